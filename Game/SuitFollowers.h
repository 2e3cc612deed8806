#pragma once

#include <vector>

class Suit;

// A leader's followers, in joining order. Lists without owning.
class SuitFollowers
{
public:
    virtual ~SuitFollowers() = default;

    // False, and no change, when the suit is already listed.
    bool Add(Suit* suit);
    // False when the suit isn't listed.
    bool Remove(Suit* suit);
    int Count() const { return static_cast<int>(suits.size()); }

    std::vector<Suit*> suits;
};
