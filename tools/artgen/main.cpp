// Draws the game's images, and the tutorial pages with the text in the game's font,
// into a folder:
//   tarvo_artgen <folder> [--preview <file.png> [<name part>]]
// The preview is a contact sheet of the images (those whose name holds <name part>, at
// a larger size) on white and on grey, for looking at the art.
#include "Pictures.h"
#include "Tutorial.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{
struct Image
{
    std::string name;
    int pixels;
    float designSize;
    std::function<void(Art::Canvas&)> draw;
};

std::vector<Image> Images()
{
    using namespace Art;
    std::vector<Image> images;
    images.push_back({"player.png", 64, 64.0f, [](Canvas& c) { DrawSuit(c, PlayerStyle()); }});
    images.push_back({"suit.png", 64, 64.0f, [](Canvas& c) { DrawSuit(c, RivalStyle(0)); }});
    images.push_back({"suit_brown.png", 64, 64.0f, [](Canvas& c) { DrawSuit(c, RivalStyle(1)); }});
    images.push_back({"suit_green.png", 64, 64.0f, [](Canvas& c) { DrawSuit(c, RivalStyle(2)); }});
    images.push_back({"consumer_001.png", 64, 64.0f, [](Canvas& c) { DrawConsumer(c, 0); }});
    images.push_back({"consumer_002.png", 64, 64.0f, [](Canvas& c) { DrawConsumer(c, 1); }});
    images.push_back({"Camera.png", 64, 64.0f, [](Canvas& c) { DrawJournalist(c, false); }});
    images.push_back({"Camera_flash.png", 64, 64.0f, [](Canvas& c) { DrawJournalist(c, true); }});
    // The pickup turns through half a revolution in six pictures; the sign shows
    // mirrored as the back comes round. The game reads dollar1..6, the sprite series
    // loader dollar_001..006.
    for (int i = 0; i < 6; ++i)
    {
        const float degrees = 30.0f * static_cast<float>(i);
        auto draw = [degrees](Canvas& c) { DrawDollarCoin(c, degrees); };
        images.push_back({"dollar" + std::to_string(i + 1) + ".png", 64, 64.0f, draw});
        char series[32];
        std::snprintf(series, sizeof series, "dollar_%03d.png", i + 1);
        images.push_back({series, 64, 64.0f, draw});
    }
    images.push_back({"tinydollar.png", 32, 32.0f, [](Canvas& c) { DrawTinyCoin(c); }});
    images.push_back({"particle.png", 32, 32.0f, [](Canvas& c) { DrawParticle(c); }});
    images.push_back({"testcard.png", 64, 64.0f, [](Canvas& c) { DrawTestCard(c); }});
    images.push_back({"qvrn-icon.png", 128, 64.0f, [](Canvas& c) { DrawIcon(c); }});
    images.push_back({"tarvo-icon.png", 128, 64.0f, [](Canvas& c) { DrawEngineIcon(c); }});
    return images;
}

bool WritePreview(std::vector<Image> images, const std::string& path, const std::string& namePart)
{
    if (!namePart.empty())
        images.erase(std::remove_if(images.begin(), images.end(),
                                    [&](const Image& image) { return image.name.find(namePart) == std::string::npos; }),
                     images.end());
    const int cell = namePart.empty() ? 256 : 512;
    const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(2.0 * images.size()))));
    const int rows = static_cast<int>((images.size() + columns - 1) / columns);
    // Two copies of the sheet, the second on grey, stacked.
    const int sheetSize = cell * std::max(columns, rows * 2);
    Art::Canvas sheet(sheetSize, static_cast<float>(sheetSize));
    sheet.Shade([&](Art::Vec p) { return p.y < rows * cell ? Art::Rgb(255, 255, 255) : Art::Rgb(96, 104, 112); });
    for (size_t i = 0; i < images.size(); ++i)
    {
        Art::Canvas big(cell, images[i].designSize);
        images[i].draw(big);
        const int column = static_cast<int>(i % columns);
        const int row = static_cast<int>(i / columns);
        sheet.Blit(big, column * cell, row * cell);
        sheet.Blit(big, column * cell, (row + rows) * cell);
    }
    return sheet.Save(path);
}
bool WriteTutorial(const std::string& folder)
{
    // The build passes the font it copies into the run folder.
    Art::Font font(ARTGEN_FONT);
    if (!font.IsOpen())
    {
        std::fprintf(stderr, "ERROR: could not open the font %s\n", ARTGEN_FONT);
        return false;
    }
    for (int page = 1; page <= Art::TutorialPageCount; ++page)
    {
        Art::Canvas canvas(Art::TutorialPageWidth, Art::TutorialPageHeight);
        Art::DrawTutorialPage(canvas, font, page);
        char name[32];
        std::snprintf(name, sizeof name, "Tutorial_%03d.png", page);
        if (!canvas.Save(folder + "/" + name))
        {
            std::fprintf(stderr, "ERROR: could not write %s/%s\n", folder.c_str(), name);
            return false;
        }
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && !((argc == 4 || argc == 5) && std::string(argv[2]) == "--preview"))
    {
        std::fprintf(stderr, "usage: %s <folder> [--preview <file.png> [<name part>]]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<Image> images = Images();
    for (const Image& image : images)
    {
        Art::Canvas canvas(image.pixels, image.designSize);
        image.draw(canvas);
        if (!canvas.Save(folder + "/" + image.name))
        {
            std::fprintf(stderr, "ERROR: could not write %s/%s\n", folder.c_str(), image.name.c_str());
            return 1;
        }
    }
    if (!WriteTutorial(folder))
        return 1;
    if (argc >= 4 && !WritePreview(images, argv[3], argc == 5 ? argv[4] : ""))
    {
        std::fprintf(stderr, "ERROR: could not write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
