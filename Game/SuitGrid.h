#pragma once

#include "Util/Vector2.h"

#include <unordered_map>
#include <vector>

class Suit;

// The suits on the field sorted into square cells of two world units, so that looking
// for neighbours costs the same however many characters have been spawned.
class SuitGrid
{
public:
    void Insert(Suit* suit);
    void Remove(Suit* suit);
    // Re-files a suit whose position changed.
    void Move(Suit* suit);
    void Clear();

    // Every suit whose cell lies within `radius` of the point, in the order they joined
    // the field. `found` is replaced.
    void Query(const Vector2& centre, float radius, std::vector<Suit*>& found) const;

private:
    static long long CellOf(const Vector2& point);
    static long long Key(int cellX, int cellY);

    std::unordered_map<long long, std::vector<Suit*>> cells;
};
