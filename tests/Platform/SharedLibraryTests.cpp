#include "Platform/SharedLibrary.h"

#include <gtest/gtest.h>

TEST(SharedLibraryTest, OpensTheFirstNameThatLoadsAndFindsItsFunctions)
{
    SharedLibrary library;
    String error;
    ASSERT_TRUE(library.Open({"libno-such-library.so.9", "libm.so.6"}, error)) << error;
    EXPECT_TRUE(library.IsOpen());

    double (*cosine)(double) = nullptr;
    ASSERT_TRUE(library.Find(cosine, "cos", error)) << error;
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);

    EXPECT_FALSE(library.Find(cosine, "no_such_function", error));
    EXPECT_EQ(cosine, nullptr);
    EXPECT_NE(error.find("no_such_function"), String::npos) << error;
}

TEST(SharedLibraryTest, ALibraryThatIsMissingSaysWhyAndFindsNothing)
{
    SharedLibrary library;
    String error;
    EXPECT_FALSE(library.Open({"libno-such-library.so.9"}, error));
    EXPECT_FALSE(library.IsOpen());
    EXPECT_NE(error.find("libno-such-library.so.9"), String::npos) << error;

    void (*function)() = nullptr;
    EXPECT_FALSE(library.Find(function, "anything", error));
    EXPECT_EQ(function, nullptr);
}
