#include "Util/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, EncodesEveryLengthAndReadsBackTheSameCodePoint)
{
    // The ends of each encoded length, where a shift or a mask off by one shows.
    const unsigned int codePoints[] = {0x20,   0x7F,   0x80,   0xE9,    0x7FF,   0x800,   0x263A,
                                       0xD7FF, 0xE000, 0xFFFF, 0x10000, 0x1F642, 0x10FFFF};
    const size_t lengths[] = {1, 1, 2, 2, 2, 3, 3, 3, 3, 3, 4, 4, 4};
    for (size_t i = 0; i < std::size(codePoints); ++i)
    {
        const String bytes = CodePointToUtf8(codePoints[i]);
        EXPECT_EQ(bytes.size(), lengths[i]) << std::hex << codePoints[i];
        EXPECT_EQ(WellFormedUtf8(bytes), bytes) << std::hex << codePoints[i];
        size_t index = 0;
        EXPECT_EQ(NextCodePoint(bytes, index), codePoints[i]);
        EXPECT_EQ(index, bytes.size());
    }
    EXPECT_EQ(CodePointToUtf8(0xE9), "\xC3\xA9");
    // No bytes a reader would refuse: surrogates and values past the last code point.
    EXPECT_EQ(CodePointToUtf8(0xD800), "?");
    EXPECT_EQ(CodePointToUtf8(0xDFFF), "?");
    EXPECT_EQ(CodePointToUtf8(0x110000), "?");
}
