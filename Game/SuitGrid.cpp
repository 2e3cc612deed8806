#include "Game/SuitGrid.h"

#include "Game/Suit.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float CellSize = 2.0f;

int CellIndex(float coordinate) { return static_cast<int>(std::floor(coordinate / CellSize)); }
} // namespace

long long SuitGrid::Key(int cellX, int cellY)
{
    // Packed as unsigned: shifting a negative number left is undefined.
    const unsigned long long high = static_cast<unsigned int>(cellX);
    const unsigned long long low = static_cast<unsigned int>(cellY);
    return static_cast<long long>((high << 32) | low);
}

long long SuitGrid::CellOf(const Vector2& point) { return Key(CellIndex(point.X), CellIndex(point.Y)); }

void SuitGrid::Insert(Suit* suit)
{
    if (!suit || suit->inGrid)
        return;
    suit->gridCell = CellOf(suit->GetPosition());
    suit->inGrid = true;
    cells[suit->gridCell].push_back(suit);
}

void SuitGrid::Remove(Suit* suit)
{
    if (!suit || !suit->inGrid)
        return;
    auto cell = cells.find(suit->gridCell);
    if (cell != cells.end())
    {
        auto& members = cell->second;
        members.erase(std::remove(members.begin(), members.end(), suit), members.end());
    }
    suit->inGrid = false;
}

void SuitGrid::Move(Suit* suit)
{
    if (!suit || !suit->inGrid)
        return;
    const long long cell = CellOf(suit->GetPosition());
    if (cell == suit->gridCell)
        return;
    Remove(suit);
    Insert(suit);
}

void SuitGrid::Clear()
{
    for (auto& cell : cells)
        for (Suit* suit : cell.second)
            suit->inGrid = false;
    cells.clear();
}

void SuitGrid::Query(const Vector2& centre, float radius, std::vector<Suit*>& found) const
{
    found.clear();
    const int left = CellIndex(centre.X - radius);
    const int right = CellIndex(centre.X + radius);
    const int bottom = CellIndex(centre.Y - radius);
    const int top = CellIndex(centre.Y + radius);
    for (int x = left; x <= right; ++x)
        for (int y = bottom; y <= top; ++y)
        {
            auto cell = cells.find(Key(x, y));
            if (cell != cells.end())
                found.insert(found.end(), cell->second.begin(), cell->second.end());
        }
    std::sort(found.begin(), found.end(), [](const Suit* a, const Suit* b) { return a->serial < b->serial; });
}
