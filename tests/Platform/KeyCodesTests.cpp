#include "Platform/KeyCodes.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

TEST(KeyCodes, LibraryKeysMapIntoTheEngineSpace)
{
    // The two spaces collide: the library's 257 is Enter, the engine's is Escape.
    EXPECT_EQ(KeyCodes::FromLibraryKey(GLFW_KEY_ESCAPE), 257);
    EXPECT_EQ(KeyCodes::FromLibraryKey(GLFW_KEY_ENTER), 294);
    EXPECT_EQ(KeyCodes::FromLibraryKey(GLFW_KEY_F25), 282);
    EXPECT_EQ(KeyCodes::FromLibraryKey(GLFW_KEY_KP_9), 311);
    EXPECT_EQ(KeyCodes::FromLibraryKey(GLFW_KEY_KP_ENTER), 318);
    EXPECT_EQ(KeyCodes::FromLibraryKey(GLFW_KEY_A), 'A');
    EXPECT_EQ(KeyCodes::FromLibraryKey(GLFW_KEY_GRAVE_ACCENT), '`');
    EXPECT_EQ(KeyCodes::FromLibraryKey(GLFW_KEY_CAPS_LOCK), -1);
    EXPECT_EQ(KeyCodes::FromLibraryKey(GLFW_KEY_UNKNOWN), -1);
}

TEST(KeyCodes, EverySpecialKeyRoundTrips)
{
    for (int code = KeyCodes::KEY_ESCAPE; code <= KeyCodes::KEY_LAST; ++code)
    {
        const int libraryKey = KeyCodes::ToLibraryKey(code);
        ASSERT_GE(libraryKey, 0) << code;
        EXPECT_EQ(KeyCodes::FromLibraryKey(libraryKey), code);
    }
    EXPECT_EQ(KeyCodes::ToLibraryKey('a'), GLFW_KEY_A);
    EXPECT_EQ(KeyCodes::ToLibraryKey('Z'), GLFW_KEY_Z);
    EXPECT_EQ(KeyCodes::ToLibraryKey(' '), GLFW_KEY_SPACE);
    EXPECT_EQ(KeyCodes::ToLibraryKey(KeyCodes::KEY_LAST + 1), -1);
    EXPECT_EQ(KeyCodes::ToLibraryKey(1000), -1);
    EXPECT_EQ(KeyCodes::ToLibraryKey(-1), -1);
}
