#include "TestUtilities/Approx.h"

#include <cmath>

void PrintTo(const Vector2& v, std::ostream* os) { *os << "(" << v.X << ", " << v.Y << ")"; }

void PrintTo(const Color& c, std::ostream* os)
{
    *os << "(" << c.R << ", " << c.G << ", " << c.B << ", " << c.A << ")";
}

::testing::AssertionResult VectorsNear(const Vector2& expected, const Vector2& actual, float tolerance)
{
    if (std::fabs(expected.X - actual.X) <= tolerance && std::fabs(expected.Y - actual.Y) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected " << ::testing::PrintToString(expected) << ", got "
                                         << ::testing::PrintToString(actual);
}

::testing::AssertionResult ColorsNear(const Color& expected, const Color& actual, float tolerance)
{
    if (std::fabs(expected.R - actual.R) <= tolerance && std::fabs(expected.G - actual.G) <= tolerance &&
        std::fabs(expected.B - actual.B) <= tolerance && std::fabs(expected.A - actual.A) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected " << ::testing::PrintToString(expected) << ", got "
                                         << ::testing::PrintToString(actual);
}
