#pragma once

#include "Util/Color.h"
#include "Util/Vector2.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const Vector2& v, std::ostream* os);
void PrintTo(const Color& c, std::ostream* os);

::testing::AssertionResult VectorsNear(const Vector2& expected, const Vector2& actual, float tolerance);
::testing::AssertionResult ColorsNear(const Color& expected, const Color& actual, float tolerance);

#define EXPECT_VEC2_NEAR(expected, actual, tolerance) EXPECT_TRUE(VectorsNear((expected), (actual), (tolerance)))
#define EXPECT_COLOR_NEAR(expected, actual, tolerance) EXPECT_TRUE(ColorsNear((expected), (actual), (tolerance)))
