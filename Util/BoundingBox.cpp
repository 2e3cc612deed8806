#include "Util/BoundingBox.h"

#include <cmath>

bool BoundingBox::Intersects(const Vector2& centre, float radius) const
{
    // The centre's region in a 3 x 3 grid around the box decides which feature is nearest.
    const int column = centre.X < Min.X ? 0 : (centre.X > Max.X ? 2 : 1);
    const int row = centre.Y < Min.Y ? 0 : (centre.Y > Max.Y ? 2 : 1);
    const int region = column + 3 * row;

    if (region == 4)
        return true;
    if (region == 1 || region == 7)
    {
        const float halfHeight = (Max.Y - Min.Y) * 0.5f;
        return std::fabs(centre.Y - (Min.Y + halfHeight)) <= halfHeight + radius;
    }
    if (region == 3 || region == 5)
    {
        const float halfWidth = (Max.X - Min.X) * 0.5f;
        return std::fabs(centre.X - (Min.X + halfWidth)) <= halfWidth + radius;
    }
    const Vector2 corner(column == 0 ? Min.X : Max.X, row == 0 ? Min.Y : Max.Y);
    return Vector2::DistanceSquared(corner, centre) <= radius * radius;
}
