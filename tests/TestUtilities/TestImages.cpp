#include "TestUtilities/TestImages.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace
{
BYTE ToByte(float channel) { return static_cast<BYTE>(channel * 255.0f + 0.5f); }
} // namespace

TestImageFolder::TestImageFolder()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps apart the same test run from two build folders at once.
    folder = ::testing::TempDir() + "tarvo-" +
             (test ? String(test->test_suite_name()) + "-" + test->name() : "images") + "-" + std::to_string(getpid());
    std::filesystem::create_directories(folder);
}

TestImageFolder::~TestImageFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

String TestImageFolder::Write(const String& fileName, int width, int height,
                              const std::function<Color(int x, int y)>& pixel, bool alpha) const
{
    const int bpp = alpha ? 32 : 24;
    FIBITMAP* image = FreeImage_Allocate(width, height, bpp, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!image)
        return "";
    for (int y = 0; y < height; ++y)
    {
        BYTE* row = FreeImage_GetScanLine(image, height - 1 - y);
        for (int x = 0; x < width; ++x)
        {
            const Color c = pixel(x, y);
            BYTE* px = row + x * (bpp / 8);
            px[FI_RGBA_RED] = ToByte(c.R);
            px[FI_RGBA_GREEN] = ToByte(c.G);
            px[FI_RGBA_BLUE] = ToByte(c.B);
            if (alpha)
                px[FI_RGBA_ALPHA] = ToByte(c.A);
        }
    }
    const String path = Path(fileName);
    const bool saved = FreeImage_Save(FIF_PNG, image, path.c_str(), PNG_DEFAULT) != 0;
    FreeImage_Unload(image);
    return saved ? path : "";
}

String TestImageFolder::WriteSolid(const String& fileName, const Color& color) const
{
    return Write(fileName, 4, 4, [&](int, int) { return color; });
}

String TestImageFolder::WriteBytes(const String& fileName, const String& bytes) const
{
    const String path = Path(fileName);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

String TestImageFolder::ReadBytes(const String& fileName) const
{
    std::ifstream in(Path(fileName), std::ios::binary);
    return String(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
