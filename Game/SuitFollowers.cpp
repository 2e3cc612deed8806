#include "Game/SuitFollowers.h"

#include <algorithm>

bool SuitFollowers::Add(Suit* suit)
{
    if (std::find(suits.begin(), suits.end(), suit) != suits.end())
        return false;
    suits.push_back(suit);
    return true;
}

bool SuitFollowers::Remove(Suit* suit)
{
    auto found = std::find(suits.begin(), suits.end(), suit);
    if (found == suits.end())
        return false;
    suits.erase(found);
    return true;
}
