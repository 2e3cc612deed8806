#include "Tutorial.h"

#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace Art
{
namespace
{
constexpr float pi = 3.14159265f;

// The page's frame: a title band, a scene panel on the left, text on the right.
constexpr int BandHeight = 104;
constexpr int PanelLeft = 36;
constexpr int PanelTop = 136;
constexpr int PanelWidth = 520;
constexpr int PanelHeight = 500;
constexpr int TextLeft = 592;
constexpr int TextWidth = 400;
constexpr int FooterTop = 676;

const Rgba navy = Rgb(28, 36, 70);
const Rgba ink = Rgb(34, 34, 46);
const Rgba softInk = Rgb(92, 96, 112);
const Rgba lieRed = Rgb(214, 30, 36);
const Rgba gain = Rgb(20, 150, 60);
const Rgba tickerBlue = Rgb(51, 51, 255);

// Panel coordinates (origin at the panel's top-left corner) to page pixels.
Vec P(float x, float y) { return Vec{PanelLeft + x, PanelTop + y}; }

void FillNear(Canvas& canvas, Vec centre, float reach, const Sdf& shape, const Paint& paint)
{
    canvas.FillWithin(static_cast<int>(centre.x - reach) - 2, static_cast<int>(centre.y - reach) - 2,
                      static_cast<int>(centre.x + reach) + 3, static_cast<int>(centre.y + reach) + 3, shape, paint);
}
void FillNear(Canvas& canvas, Vec centre, float reach, const Sdf& shape, const Rgba& color)
{
    FillNear(canvas, centre, reach, shape, Solid(color));
}

// One of the game's pictures, drawn at `pixels` size with its centre at `centre`.
void Sprite(Canvas& canvas, Vec centre, int pixels, float designSize, const std::function<void(Canvas&)>& draw)
{
    Canvas sprite(pixels, designSize);
    draw(sprite);
    canvas.Blit(sprite, static_cast<int>(centre.x) - pixels / 2, static_cast<int>(centre.y) - pixels / 2);
}

void Player(Canvas& canvas, Vec at, int pixels)
{
    Sprite(canvas, at, pixels, 64.0f, [](Canvas& c) { DrawSuit(c, PlayerStyle()); });
}
void Rival(Canvas& canvas, Vec at, int pixels, int variant)
{
    Sprite(canvas, at, pixels, 64.0f, [variant](Canvas& c) { DrawSuit(c, RivalStyle(variant)); });
}
void Consumer(Canvas& canvas, Vec at, int pixels, int frame)
{
    Sprite(canvas, at, pixels, 64.0f, [frame](Canvas& c) { DrawConsumer(c, frame); });
}
void Journalist(Canvas& canvas, Vec at, int pixels, bool flashing)
{
    Sprite(canvas, at, pixels, 64.0f, [flashing](Canvas& c) { DrawJournalist(c, flashing); });
}
void Dollar(Canvas& canvas, Vec at, int pixels, float degrees)
{
    Sprite(canvas, at, pixels, 64.0f, [degrees](Canvas& c) { DrawDollarCoin(c, degrees); });
}
void TinyDollar(Canvas& canvas, Vec at, int pixels)
{
    Sprite(canvas, at, pixels, 32.0f, [](Canvas& c) { DrawTinyCoin(c); });
}

// The lie circle as the game draws it (a red line, half transparent), with a faint fill
// so that it reads as an area on a still picture.
void LieCircle(Canvas& canvas, Vec centre, float radius)
{
    FillNear(canvas, centre, radius + 4, Circle(centre, radius), Rgb(230, 40, 40, 0.10f));
    FillNear(canvas, centre, radius + 4, Subtract(Circle(centre, radius + 1.6f), Circle(centre, radius - 1.6f)),
             Rgb(255, 0, 0, 0.6f));
}

// Short strokes behind something that moves toward `direction` (unit vector).
void SpeedLines(Canvas& canvas, Vec at, Vec direction, float length, const Rgba& color)
{
    const Vec side{-direction.y, direction.x};
    for (int i = -1; i <= 1; ++i)
    {
        const float offset = 9.0f * static_cast<float>(i);
        const float back = 8.0f + 6.0f * static_cast<float>(std::abs(i));
        const Vec from{at.x - direction.x * back + side.x * offset, at.y - direction.y * back + side.y * offset};
        const Vec to{from.x - direction.x * length, from.y - direction.y * length};
        FillNear(canvas, from, length + 4, Capsule(from, to, 2.0f), color);
    }
}

// A curved arrow from a to b, bending to the left of its direction by `bend` pixels.
void Arrow(Canvas& canvas, Vec a, Vec b, float bend, const Rgba& color)
{
    const Vec mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
    const float length = std::hypot(b.x - a.x, b.y - a.y);
    const Vec normal{-(b.y - a.y) / length, (b.x - a.x) / length};
    const Vec control{mid.x + normal.x * bend, mid.y + normal.y * bend};
    std::vector<Vec> points;
    for (int i = 0; i <= 16; ++i)
    {
        const float t = static_cast<float>(i) / 16.0f;
        const float u = 1.0f - t;
        points.push_back(
            Vec{u * u * a.x + 2 * u * t * control.x + t * t * b.x, u * u * a.y + 2 * u * t * control.y + t * t * b.y});
    }
    const Vec end = points.back();
    const Vec before = points[points.size() - 3];
    const float dl = std::hypot(end.x - before.x, end.y - before.y);
    const Vec dir{(end.x - before.x) / dl, (end.y - before.y) / dl};
    const Vec side{-dir.y, dir.x};
    const float head = 13.0f;
    const Vec left{end.x - dir.x * head + side.x * head * 0.6f, end.y - dir.y * head + side.y * head * 0.6f};
    const Vec right{end.x - dir.x * head - side.x * head * 0.6f, end.y - dir.y * head - side.y * head * 0.6f};
    points.pop_back();
    points.push_back(Vec{end.x - dir.x * head * 0.6f, end.y - dir.y * head * 0.6f});
    const float reach = length / 2 + std::fabs(bend) + head;
    FillNear(canvas, mid, reach, Stroke(points, 2.6f), color);
    FillNear(canvas, end, head + 2, Polygon({end, left, right}, 0.8f), color);
}

// The head-up ticker as the play field shows it, `scale` times its size in pixels.
void Ticker(Canvas& canvas, const Font& font, Vec topLeft, float scale, const std::vector<float>& samples,
            const std::string& price, const std::string& change)
{
    const float w = 265 * scale;
    const float h = 108 * scale;
    const Vec centre{topLeft.x + w / 2, topLeft.y + h / 2};
    FillNear(canvas, centre, w, Box(Vec{centre.x + 3, centre.y + 4}, Vec{w / 2, h / 2}, 4), Rgb(0, 0, 20, 0.18f));
    FillNear(canvas, centre, w, Box(centre, Vec{w / 2, h / 2}, 4), Rgb(255, 255, 255, 0.95f));
    const float gx = topLeft.x + 75 * scale;
    const float gy = topLeft.y + 8 * scale;
    const float gw = 155 * scale;
    const float gh = 92 * scale;
    for (float f : {0.8f, 0.6f, 0.4f, 0.2f})
        FillNear(canvas, Vec{gx + gw / 2, gy + gh * f}, gw,
                 Capsule(Vec{gx, gy + gh * f}, Vec{gx + gw, gy + gh * f}, 0.6f), Rgb(153, 153, 255, 0.5f));
    FillNear(canvas, Vec{gx, gy + gh / 2}, gh, Capsule(Vec{gx, gy}, Vec{gx, gy + gh}, 0.9f), Rgb(128, 128, 128));
    FillNear(canvas, Vec{gx + gw / 2, gy + gh}, gw, Capsule(Vec{gx, gy + gh}, Vec{gx + gw, gy + gh}, 0.9f),
             Rgb(128, 128, 128));
    const float low = *std::min_element(samples.begin(), samples.end());
    const float high = *std::max_element(samples.begin(), samples.end());
    std::vector<Vec> line;
    const float step = gw / static_cast<float>(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        line.push_back(Vec{gx + step * static_cast<float>(i), gy + gh - gh * (samples[i] - low) / (high - low)});
    line.push_back(Vec{gx + step * static_cast<float>(samples.size()), line.back().y});
    FillNear(canvas, Vec{gx + gw / 2, gy + gh / 2}, gw, Stroke(line, 1.4f * scale), tickerBlue);
    const int textSize = static_cast<int>(20 * scale);
    font.Draw(canvas, "QVRN:", topLeft.x + 10 * scale, topLeft.y + 30 * scale, textSize, ink);
    font.Draw(canvas, price, topLeft.x + 10 * scale, topLeft.y + 67 * scale, textSize, ink);
    font.Draw(canvas, change, topLeft.x + 10 * scale, topLeft.y + 92 * scale, static_cast<int>(15 * scale),
              change[0] == '-' ? lieRed : gain);
}

// "Lies:" and the meter bar of the play field, or the bust text when `busts` > 0.
void LieMeter(Canvas& canvas, const Font& font, Vec at, float fill, int busts)
{
    const float width = busts > 0 ? 236 : 230;
    const Vec centre{at.x + width / 2 - 8, at.y - 8};
    FillNear(canvas, centre, width, Box(centre, Vec{width / 2, 24}, 4), Rgb(255, 255, 255, 0.92f));
    FillNear(canvas, centre, width,
             Subtract(Box(centre, Vec{width / 2, 24}, 4), Box(centre, Vec{width / 2 - 1, 23}, 3)), Rgb(170, 174, 190));
    if (busts > 0)
    {
        font.Draw(canvas, "Busted! " + std::to_string(busts) + " of 3", at.x, at.y, 26, lieRed);
        return;
    }
    font.Draw(canvas, "Lies:", at.x, at.y, 26, ink);
    const float barLeft = at.x + 78;
    const float barWidth = 135 * fill;
    if (barWidth > 0.5f)
        FillNear(canvas, Vec{barLeft + barWidth / 2, at.y - 10}, 140,
                 Box(Vec{barLeft + barWidth / 2, at.y - 9}, Vec{barWidth / 2, 13}, 0.5f), Rgb(0, 0, 0, 0.85f));
}

// A burst of soft dots, like the game's particle effects.
void Burst(Canvas& canvas, Vec centre, float radius, const Rgba& inner, const Rgba& outer, int dots, unsigned seed)
{
    for (int i = 0; i < dots; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        const float angle = static_cast<float>(seed % 6283u) / 1000.0f;
        seed = seed * 1103515245u + 12345u;
        const float distance = radius * (0.25f + static_cast<float>(seed % 1000u) / 1333.0f);
        const float size = 5.0f + 9.0f * (1.0f - distance / radius);
        const Vec at{centre.x + std::cos(angle) * distance, centre.y + std::sin(angle) * distance};
        const Rgba color = Mix(inner, outer, distance / radius);
        FillNear(canvas, at, size + 2, Circle(at, size),
                 Radial(at, size, color, Rgba{color.r, color.g, color.b, 0.0f}));
    }
}

// A camera flash: a bright star of rays.
void Flash(Canvas& canvas, Vec centre, float radius)
{
    FillNear(canvas, centre, radius, Circle(centre, radius),
             Radial(centre, radius, Rgb(255, 255, 210, 0.95f), Rgb(255, 250, 180, 0.0f)));
    for (int i = 0; i < 8; ++i)
    {
        const float angle = static_cast<float>(i) * pi / 4.0f + 0.2f;
        const Vec from{centre.x + std::cos(angle) * radius * 0.35f, centre.y + std::sin(angle) * radius * 0.35f};
        const Vec to{centre.x + std::cos(angle) * radius * 1.1f, centre.y + std::sin(angle) * radius * 1.1f};
        FillNear(canvas, centre, radius * 1.2f, Capsule(from, to, 2.2f), Rgb(255, 220, 60, 0.9f));
    }
}

// A white box with a line of text, like the game's goal and banner texts.
void Label(Canvas& canvas, const Font& font, Vec centre, const std::string& text, int size, const Rgba& color)
{
    const float width = font.Width(text, size) + 24;
    const float height = static_cast<float>(size) + 16;
    FillNear(canvas, centre, width, Box(centre, Vec{width / 2, height / 2}, 4), Rgb(255, 255, 255, 0.9f));
    FillNear(canvas, centre, width,
             Subtract(Box(centre, Vec{width / 2, height / 2}, 4), Box(centre, Vec{width / 2 - 1, height / 2 - 1}, 3)),
             Rgb(170, 174, 190));
    font.DrawCentred(canvas, text, centre.x, centre.y + size * 0.36f, size, color);
}

void Background(Canvas& canvas)
{
    canvas.Shade(
        [](Vec p)
        {
            if (p.y < BandHeight)
                return Mix(Rgb(34, 44, 86), Rgb(22, 28, 56), p.y / BandHeight);
            if (p.y >= FooterTop + 40)
                return Rgb(226, 230, 238);
            Rgba paper = Mix(Rgb(244, 245, 249), Rgb(226, 231, 240), (p.y - BandHeight) / 600.0f);
            // Faint graph paper: this is a game about a stock price.
            const float gx = std::fmod(p.x, 32.0f);
            const float gy = std::fmod(p.y - BandHeight, 32.0f);
            if (gx < 1.0f || gy < 1.0f)
                paper = Mix(paper, Rgb(190, 200, 226), 0.35f);
            return paper;
        });
    // A red rule under the title band.
    canvas.FillWithin(0, BandHeight, TutorialPageWidth, BandHeight + 6,
                      Box(Vec{512, BandHeight + 2.5f}, Vec{520, 2.5f}), lieRed);
}

void Panel(Canvas& canvas)
{
    const Vec centre{PanelLeft + PanelWidth / 2.0f, PanelTop + PanelHeight / 2.0f};
    const Vec half{PanelWidth / 2.0f, PanelHeight / 2.0f};
    canvas.FillWithin(PanelLeft - 10, PanelTop - 10, PanelLeft + PanelWidth + 16, PanelTop + PanelHeight + 16,
                      Box(Vec{centre.x + 5, centre.y + 7}, half, 14), Rgb(20, 30, 60, 0.16f));
    canvas.FillWithin(PanelLeft - 4, PanelTop - 4, PanelLeft + PanelWidth + 4, PanelTop + PanelHeight + 4,
                      Box(centre, half, 14),
                      Linear(Vec{0, PanelTop}, Vec{0, PanelTop + PanelHeight}, Rgb(255, 255, 255), Rgb(240, 243, 248)));
    canvas.FillWithin(PanelLeft - 4, PanelTop - 4, PanelLeft + PanelWidth + 4, PanelTop + PanelHeight + 4,
                      Subtract(Box(centre, half, 14), Box(centre, Vec{half.x - 2, half.y - 2}, 12)),
                      Rgb(150, 160, 186));
}

void Frame(Canvas& canvas, const Font& font, int page, const std::string& title)
{
    Background(canvas);
    font.Draw(canvas, title, 40, 68, 46, Rgb(255, 255, 255));
    const std::string brand = "QVRN";
    font.Draw(canvas, brand, TutorialPageWidth - 40 - font.Width(brand, 40), 66, 40, Rgb(255, 70, 70));
    Panel(canvas);

    // Where we are: one dot per page.
    for (int i = 1; i <= TutorialPageCount; ++i)
    {
        const Vec dot{40.0f + 26.0f * static_cast<float>(i - 1), FooterTop + 30.0f};
        FillNear(canvas, dot, 12, Circle(dot, i == page ? 8.0f : 6.0f), i == page ? lieRed : Rgb(170, 176, 196));
    }
    font.Draw(canvas, "Page " + std::to_string(page) + " of " + std::to_string(TutorialPageCount),
              60.0f + 26.0f * TutorialPageCount, FooterTop + 38.0f, 22, softInk);
    // The right of the footer stays empty: the game draws the keys that turn the page
    // there, the ones the player's bindings give.
}

// Paragraphs in the text column; a paragraph starting with "!" is drawn in red.
float Paragraphs(Canvas& canvas, const Font& font, float top, const std::vector<std::string>& paragraphs, int size = 25)
{
    const float lineHeight = size * 1.38f;
    float baseline = top + size;
    for (const std::string& paragraph : paragraphs)
    {
        const bool warning = !paragraph.empty() && paragraph[0] == '!';
        const std::string text = warning ? paragraph.substr(1) : paragraph;
        for (const std::string& line : font.Wrap(text, TextWidth, size))
        {
            font.Draw(canvas, line, TextLeft, baseline, size, warning ? lieRed : ink);
            baseline += lineHeight;
        }
        baseline += lineHeight * 0.45f;
    }
    return baseline - size;
}

void PageMove(Canvas& canvas, const Font& font)
{
    Frame(canvas, font, 1, "Welcome to the market");
    // The player in the middle of the field, arrows to every side.
    const Vec centre = P(260, 290);
    for (const Vec& d : {Vec{0, -1}, Vec{0, 1}, Vec{-1, 0}, Vec{1, 0}})
    {
        const Vec from{centre.x + d.x * 88, centre.y + d.y * 118};
        const Vec to{centre.x + d.x * 150, centre.y + d.y * 168};
        Arrow(canvas, from, to, 0.0f, Rgb(60, 80, 150, 0.85f));
    }
    Player(canvas, centre, 220);
    Consumer(canvas, P(455, 170), 110, 1);
    Consumer(canvas, P(75, 410), 110, 0);
    Consumer(canvas, P(450, 410), 110, 1);
    Dollar(canvas, P(70, 200), 56, 0.0f);
    Ticker(canvas, font, P(14, 14), 0.8f, {9.0f, 9.4f, 9.2f, 9.9f, 10.6f, 10.4f, 11.3f, 12.0f}, "12.03", "0.75");
    font.Draw(canvas, "your score", PanelLeft + 290, PanelTop + 62, 22, softInk);
    Arrow(canvas, P(282, 54), P(234, 52), 6.0f, Rgb(100, 104, 120));

    // The game draws the walking keys under the text (SuitScreenTutorial::WalkKeysTop).
    Paragraphs(canvas, font, PanelTop + 4,
               {"You are the suit with the red tie and the briefcase.",
                "Your score is your company's stock price, shown on the ticker at the top left. Make it "
                "climb: win people over and take their money."});
}

void PageLie(Canvas& canvas, const Font& font)
{
    Frame(canvas, font, 2, "Lie to win followers");
    const Vec player = P(190, 230);
    LieCircle(canvas, player, 150);
    // Followers trail behind, paying as they go.
    Consumer(canvas, P(60, 360), 96, 1);
    Consumer(canvas, P(110, 410), 96, 0);
    TinyDollar(canvas, P(110, 320), 26);
    TinyDollar(canvas, P(150, 300), 22);
    Arrow(canvas, P(80, 310), P(150, 270), -18.0f, Rgb(40, 150, 70, 0.9f));
    // Caught by the lie: walking in.
    SpeedLines(canvas, P(290, 150), Vec{-0.8f, 0.6f}, 22, Rgb(214, 30, 36, 0.55f));
    Consumer(canvas, P(290, 150), 96, 0);
    SpeedLines(canvas, P(300, 300), Vec{-0.9f, -0.3f}, 22, Rgb(214, 30, 36, 0.55f));
    Consumer(canvas, P(300, 300), 96, 1);
    // Out of reach: not listening.
    Consumer(canvas, P(450, 90), 96, 1);
    Consumer(canvas, P(455, 410), 96, 0);
    Player(canvas, player, 150);
    font.Draw(canvas, "lie circle", PanelLeft + 22, PanelTop + 48, 22, lieRed);
    Arrow(canvas, P(72, 58), P(96, 104), -6.0f, Rgb(214, 30, 36, 0.8f));

    // The game draws the lying keys under the text (SuitScreenTutorial::LieKeysTop).
    Paragraphs(canvas, font, PanelTop + 4,
               {"Hold the lie key and a red lie circle grows around you.",
                "Consumers inside it come to you and follow you.",
                "Every follower pays you a dollar each second, and every dollar lifts your price. After "
                "eight dollars a follower is broke and drops."});
}

void PageMeter(Canvas& canvas, const Font& font)
{
    Frame(canvas, font, 3, "Mind the lie meter");
    LieMeter(canvas, font, P(40, 58), 1.0f, 0);
    font.Draw(canvas, "full", PanelLeft + 300, PanelTop + 58, 22, softInk);
    LieMeter(canvas, font, P(40, 122), 0.22f, 0);
    font.Draw(canvas, "lying drains it", PanelLeft + 300, PanelTop + 122, 22, softInk);
    LieMeter(canvas, font, P(40, 186), 0.0f, 1);
    font.Draw(canvas, "run dry: bust", PanelLeft + 300, PanelTop + 186, 22, lieRed);

    // The bust: a red burst, and the crowd running off.
    const Vec player = P(250, 360);
    Burst(canvas, player, 120, Rgb(255, 50, 30, 1.0f), Rgb(255, 180, 40, 0.7f), 110, 7u);
    Player(canvas, player, 140);
    SpeedLines(canvas, P(90, 330), Vec{-1, 0}, 26, Rgb(60, 60, 80, 0.5f));
    Consumer(canvas, P(90, 330), 90, 0);
    SpeedLines(canvas, P(420, 330), Vec{1, -0.2f}, 26, Rgb(60, 60, 80, 0.5f));
    Consumer(canvas, P(420, 330), 90, 1);
    SpeedLines(canvas, P(390, 440), Vec{0.8f, 0.6f}, 26, Rgb(60, 60, 80, 0.5f));
    Consumer(canvas, P(390, 440), 90, 0);
    font.Draw(canvas, "-10", PanelLeft + 300, PanelTop + 300, 34, lieRed);

    Paragraphs(canvas, font, PanelTop + 4,
               {"Lying drains the lie meter at the top right. A full meter lasts less than a second.",
                "Lie in short bursts: the meter fills again slowly while you tell the truth.",
                "!Run it dry and you are busted: the price drops, nearby consumers run away for seven seconds, "
                "and you can't lie for five."});
}

void PageRivals(Canvas& canvas, const Font& font)
{
    Frame(canvas, font, 4, "Rivals and the press");
    // A rival with its own little crowd, heading for a dollar.
    Rival(canvas, P(110, 120), 130, 1);
    Consumer(canvas, P(40, 190), 84, 0);
    Consumer(canvas, P(80, 215), 84, 1);
    Arrow(canvas, P(160, 110), P(260, 80), -16.0f, Rgb(120, 90, 40, 0.8f));
    Dollar(canvas, P(290, 74), 54, 30.0f);
    Rival(canvas, P(440, 120), 130, 2);

    // A lie seen by a journalist.
    const Vec player = P(170, 370);
    LieCircle(canvas, player, 105);
    Player(canvas, player, 130);
    Flash(canvas, P(394, 362), 78);
    Journalist(canvas, P(400, 370), 140, true);
    font.Draw(canvas, "click!", PanelLeft + 418, PanelTop + 290, 22, Rgb(200, 130, 0));

    Paragraphs(canvas, font, PanelTop + 4,
               {"Rival suits hunt the same consumers and race you for every dollar on the field.",
                "Journalists flash their cameras at your lies.",
                "!Get busted near one and it is in the news: more consumers run away.",
                "Keep your lies away from the cameras."});
}

void PageGoals(Canvas& canvas, const Font& font)
{
    Frame(canvas, font, 5, "Goals and the end");
    Ticker(canvas, font, P(20, 18), 0.9f, {6.0f, 7.2f, 6.9f, 8.4f, 9.1f, 8.8f, 10.2f, 11.5f, 12.4f}, "12.40", "0.90");
    Label(canvas, font, P(400, 54), "Goal:10.00", 24, ink);
    font.DrawCentred(canvas, "passed: level 2!", PanelLeft + 400, PanelTop + 112, 22, gain);
    const Vec player = P(140, 250);
    Player(canvas, player, 130);
    Dollar(canvas, P(290, 215), 60, 0.0f);
    Dollar(canvas, P(380, 255), 60, 60.0f);
    Dollar(canvas, P(280, 295), 60, 120.0f);
    Arrow(canvas, P(250, 252), P(205, 252), 0.0f, Rgb(40, 150, 70, 0.9f));

    // The game-over banner, as the play field shows it.
    const Vec banner = P(260, 410);
    FillNear(canvas, banner, 200, Box(Vec{banner.x + 4, banner.y + 5}, Vec{180, 62}, 8), Rgb(20, 30, 60, 0.15f));
    FillNear(canvas, banner, 200, Box(banner, Vec{180, 62}, 8), Rgb(255, 255, 255, 0.95f));
    FillNear(canvas, banner, 200, Subtract(Box(banner, Vec{180, 62}, 8), Box(banner, Vec{178, 60}, 6)),
             Rgb(170, 174, 190));
    font.DrawCentred(canvas, "Game Over!", banner.x, banner.y - 22, 30, lieRed);
    font.DrawCentred(canvas, "You lied too much.", banner.x, banner.y + 12, 22, ink);
    font.DrawCentred(canvas, "High Score: 24.70", banner.x, banner.y + 44, 22, ink);

    Paragraphs(canvas, font, PanelTop + 4,
               {"Grab the spinning dollars for a quick boost.",
                "Pass the goal price to reach the next level: the view widens and more people and money "
                "arrive. Each goal is 20 higher.",
                "!The game ends after three busts, or when no consumer is left.",
                "Your best price is your high score."});
}
} // namespace

void DrawTutorialPage(Canvas& canvas, const Font& font, int page)
{
    switch (page)
    {
    case 1:
        PageMove(canvas, font);
        break;
    case 2:
        PageLie(canvas, font);
        break;
    case 3:
        PageMeter(canvas, font);
        break;
    case 4:
        PageRivals(canvas, font);
        break;
    default:
        PageGoals(canvas, font);
        break;
    }
}
} // namespace Art
