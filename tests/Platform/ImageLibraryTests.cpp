#include "Actors/Actor.h"
#include "Infrastructure/World.h"
#include "Platform/ImageFile.h"
#include "Platform/ImageLibrary.h"
#include "Platform/Screenshot.h"
#include "Platform/TextureCache.h"
#include "TestUtilities/Approx.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/TestImages.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>
#include <vector>

// The library is opened once per process, so these tests rely on ctest running each case
// in a process of its own; run together in one process, the later ones skip.
namespace
{
const String LibraryLine = "ERROR: the image library could not be loaded (";

StringList LibraryLines(const LogCapture& log)
{
    StringList found;
    for (const String& line : log.lines)
    {
        if (line.rfind(LibraryLine, 0) == 0)
            found.push_back(line);
    }
    return found;
}

ImageLoadResult Decode(const String& bytes, DecodedImage& image)
{
    unsigned int claimed[2] = {0, 0};
    return DecodeImage(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), "", image, claimed);
}

class MissingImageLibraryTest : public WindowTest
{
protected:
    void SetUp() override
    {
        if (!ImageLibrary::OpenInsteadForTesting("libtarvo-no-such-image-library.so.3"))
            GTEST_SKIP() << "the image library was opened earlier in this process";
        WindowTest::SetUp();
    }

    TestImageFolder images;
    LogCapture log;
};
} // namespace

TEST_F(MissingImageLibraryTest, ImagesFailAsUnreadableAndScreenshotsAreRefusedWithOneLinePerRun)
{
    // The test's own copy of the library writes the file; the engine can't read it back.
    const Color green(0.0f, 1.0f, 0.0f);
    const String path = images.WriteSolid("green.png", green);
    ASSERT_FALSE(path.empty());
    DecodedImage decoded;
    EXPECT_EQ(Decode(images.ReadBytes("green.png"), decoded), ILR_Unreadable);
    EXPECT_TRUE(decoded.pixels.empty());

    // An actor whose sprite can't be read is drawn in its own colour, as for a broken file.
    auto* actor = new Actor();
    actor->SetSize(8.0f);
    actor->SetColor(1.0f, 0.0f, 1.0f);
    EXPECT_FALSE(actor->SetSprite(path));
    World::GetInstance().Add(actor);
    EXPECT_COLOR_NEAR(Color(1.0f, 0.0f, 1.0f), DrawFrameAndReadPixel(512, 384), 0.02f);
    EXPECT_EQ(AcquireTexture(path), -1);
    EXPECT_EQ(log.Count("Failed to find - " + path), 1u);

    const String shot = images.Path("shot.png");
    EXPECT_FALSE(SavePng(CaptureFrame(), shot));
    EXPECT_TRUE(
        log.Contains("ERROR: could not write the screenshot " + shot + ": the image library could not be loaded"));
    std::FILE* file = std::fopen(shot.c_str(), "rb");
    EXPECT_EQ(file, nullptr) << "nothing is written";
    if (file)
        std::fclose(file);

    const StringList lines = LibraryLines(log);
    ASSERT_EQ(lines.size(), 1u) << "once per run, however many images fail";
    EXPECT_NE(lines[0].find("libtarvo-no-such-image-library.so.3"), String::npos) << lines[0];
    EXPECT_NE(lines[0].find("); images are not drawn."), String::npos) << lines[0];
    EXPECT_EQ(ImageLibrary::Get(), nullptr);
}

TEST(ImageLibrary, ALibraryWithoutTheFunctionsIsRefusedLikeAMissingOne)
{
    // A real library that opens but has none of the image functions.
    if (!ImageLibrary::OpenInsteadForTesting("libm.so.6"))
        GTEST_SKIP() << "the image library was opened earlier in this process";
    TestImageFolder images;
    images.WriteSolid("blue.png", Color(0.0f, 0.0f, 1.0f));
    LogCapture log;
    DecodedImage decoded;
    EXPECT_EQ(Decode(images.ReadBytes("blue.png"), decoded), ILR_Unreadable);
    EXPECT_EQ(ImageLibrary::Get(), nullptr);
    const StringList lines = LibraryLines(log);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("FreeImage_"), String::npos) << "names the missing function: " << lines[0];
}

TEST(ImageLibrary, FirstUseFromSeveralThreadsOpensItOnce)
{
    TestImageFolder images;
    images.Write("stripes.png", 8, 4, [](int x, int) { return x % 2 ? Color(255, 0, 0) : Color(0, 0, 255); });
    const String bytes = images.ReadBytes("stripes.png");
    LogCapture log;

    constexpr int Threads = 4;
    std::vector<DecodedImage> decoded(Threads);
    std::vector<ImageLoadResult> results(Threads, ILR_Unreadable);
    std::vector<const ImageLibrary::Api*> tables(Threads, nullptr);
    std::vector<std::thread> threads;
    for (int i = 0; i < Threads; ++i)
        threads.emplace_back(
            [&, i]
            {
                tables[i] = ImageLibrary::Get();
                results[i] = Decode(bytes, decoded[i]);
            });
    for (std::thread& thread : threads)
        thread.join();

    ASSERT_NE(tables[0], nullptr);
    for (int i = 0; i < Threads; ++i)
    {
        EXPECT_EQ(tables[i], tables[0]);
        ASSERT_EQ(results[i], ILR_Loaded);
        EXPECT_EQ(decoded[i].pixels, decoded[0].pixels);
    }
    EXPECT_EQ(decoded[0].width, 8);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_FALSE(ImageLibrary::OpenInsteadForTesting("libm.so.6")) << "too late once opened";
    EXPECT_EQ(ImageLibrary::Get(), tables[0]);
}
