#include "Pictures.h"

#include <cmath>

namespace Art
{
namespace
{
constexpr float pi = 3.14159265f;

Rgba Lighter(const Rgba& c, float t) { return Mix(c, Rgba{1.0f, 1.0f, 1.0f, c.a}, t); }
Rgba Darker(const Rgba& c, float t) { return Mix(c, Rgba{0.0f, 0.0f, 0.0f, c.a}, t); }

// Light from the upper left: lighter at the top of a part, darker at its bottom.
Paint Shaded(const Rgba& base, float top, float bottom)
{
    return Linear(Vec{0.0f, top}, Vec{0.0f, bottom}, Lighter(base, 0.18f), Darker(base, 0.18f));
}

const Rgba skin = Rgb(247, 206, 170);
const Rgba ink = Rgb(40, 30, 38);
const Rgba white = Rgb(250, 250, 252);

// A face looking at the viewer: eyes with a glint, brows and a mouth.
void Face(Figure& figure, Vec centre, bool grin)
{
    const float eyeY = centre.y + 1.5f;
    for (float side : {-1.0f, 1.0f})
    {
        const Vec eye{centre.x + side * 3.4f, eyeY};
        figure.Detail(Ellipse(eye, 1.15f, 1.55f), ink);
        figure.Detail(Circle(Vec{eye.x + 0.35f, eye.y - 0.55f}, 0.42f), white);
        figure.Detail(Capsule(Vec{eye.x - side * 1.3f, eyeY - 3.0f}, Vec{eye.x + side * 1.2f, eyeY - 3.4f}, 0.45f),
                      ink);
    }
    // Cheeks.
    for (float side : {-1.0f, 1.0f})
        figure.Detail(Circle(Vec{centre.x + side * 5.6f, centre.y + 4.3f}, 1.3f), Rgb(240, 150, 140, 0.55f));
    if (grin)
        figure.Detail(
            Intersect(Circle(Vec{centre.x, centre.y + 4.6f}, 2.6f),
                      HalfPlane(Vec{centre.x + 4.0f, centre.y + 4.4f}, Vec{centre.x - 4.0f, centre.y + 4.4f})),
            Rgb(150, 40, 50));
    else
        figure.Detail(Arc(Vec{centre.x, centre.y + 3.2f}, 2.4f, 0.35f * pi, 0.75f * pi, 0.45f), ink);
}

Sdf Leg(Vec hip, Vec foot, float width) { return Capsule(hip, foot, width); }
} // namespace

SuitStyle PlayerStyle()
{
    SuitStyle style;
    style.cloth = Rgb(38, 52, 104);
    style.tie = Rgb(214, 38, 46);
    style.hair = Rgb(74, 48, 30);
    style.briefcase = true;
    return style;
}

SuitStyle RivalStyle(int variant)
{
    SuitStyle style;
    switch (variant)
    {
    case 1:
        style.cloth = Rgb(92, 66, 48);
        style.tie = Rgb(236, 176, 40);
        style.hair = Rgb(30, 28, 30);
        break;
    case 2:
        style.cloth = Rgb(40, 96, 84);
        style.tie = Rgb(226, 104, 150);
        style.hair = Rgb(196, 150, 80);
        break;
    default:
        style.cloth = Rgb(78, 80, 90);
        style.tie = Rgb(60, 150, 220);
        style.hair = Rgb(120, 120, 126);
        break;
    }
    return style;
}

void DrawSuit(Canvas& canvas, const SuitStyle& style)
{
    Figure figure;
    const Rgba trousers = Darker(style.cloth, 0.2f);
    const Vec head{32.0f, 14.0f};

    // Legs and shoes.
    for (float side : {-1.0f, 1.0f})
    {
        figure.Part(Box(Vec{32.0f + side * 3.6f, 51.0f}, Vec{3.3f, 7.5f}, 1.2f), Shaded(trousers, 44.0f, 58.0f));
        figure.Part(Ellipse(Vec{32.0f + side * 4.3f, 59.2f}, 4.4f, 2.2f),
                    Linear(Vec{0.0f, 57.5f}, Vec{0.0f, 61.0f}, Rgb(70, 60, 64), Rgb(18, 16, 20)));
    }
    // Body: the jacket, with the shirt and tie in its V.
    figure.Part(Polygon({{21.5f, 27.0f}, {42.5f, 27.0f}, {41.2f, 46.5f}, {22.8f, 46.5f}}, 1.6f),
                Shaded(style.cloth, 26.0f, 48.0f));
    figure.Detail(Polygon({{28.0f, 26.0f}, {36.0f, 26.0f}, {32.0f, 39.0f}}), white);
    figure.Detail(Polygon({{28.0f, 26.0f}, {31.6f, 28.0f}, {29.2f, 30.6f}}), Rgb(214, 218, 226));
    figure.Detail(Polygon({{36.0f, 26.0f}, {32.4f, 28.0f}, {34.8f, 30.6f}}), Rgb(214, 218, 226));
    figure.Detail(Grow(Polygon({{30.7f, 27.6f}, {33.3f, 27.6f}, {32.8f, 30.0f}, {31.2f, 30.0f}}), 0.35f),
                  Darker(style.tie, 0.15f));
    figure.Detail(Grow(Polygon({{31.1f, 30.0f}, {32.9f, 30.0f}, {34.0f, 38.6f}, {32.0f, 41.0f}, {30.0f, 38.6f}}), 0.3f),
                  Linear(Vec{0.0f, 30.0f}, Vec{0.0f, 41.0f}, Lighter(style.tie, 0.1f), Darker(style.tie, 0.2f)));
    figure.Detail(Capsule(Vec{31.0f, 33.8f}, Vec{33.3f, 32.6f}, 0.3f), Darker(style.tie, 0.35f));
    // Lapels and buttons.
    const Rgba seam = Darker(style.cloth, 0.45f);
    figure.Detail(Stroke({{27.6f, 26.6f}, {29.6f, 32.0f}, {32.0f, 40.0f}}, 0.5f), seam);
    figure.Detail(Stroke({{36.4f, 26.6f}, {34.4f, 32.0f}, {32.0f, 40.0f}}, 0.5f), seam);
    figure.Detail(Capsule(Vec{32.0f, 40.5f}, Vec{32.0f, 47.0f}, 0.35f), seam);
    figure.Detail(Circle(Vec{33.4f, 42.6f}, 0.7f), Darker(style.cloth, 0.6f));
    figure.Detail(Polygon({{36.8f, 31.0f}, {39.6f, 31.0f}, {38.8f, 32.8f}}), white);
    // Neck, ears, head and hair.
    figure.Part(Box(Vec{32.0f, 24.8f}, Vec{2.6f, 2.6f}, 0.8f), Darker(skin, 0.12f));
    for (float side : {-1.0f, 1.0f})
        figure.Part(Circle(Vec{32.0f + side * 8.9f, head.y + 1.8f}, 2.0f), Darker(skin, 0.05f));
    figure.Part(Ellipse(head, 9.0f, 9.6f), Radial(Vec{29.0f, 11.0f}, 12.0f, Lighter(skin, 0.2f), skin));
    const Sdf hairCap = Intersect(Ellipse(Vec{head.x, head.y - 1.0f}, 9.6f, 9.4f),
                                  HalfPlane(Vec{head.x - 10.0f, head.y - 6.0f}, Vec{head.x + 10.0f, head.y - 3.0f}));
    figure.Detail(Union(hairCap, Ellipse(Vec{head.x - 3.0f, head.y - 5.5f}, 6.5f, 3.2f)),
                  Shaded(style.hair, head.y - 11.0f, head.y - 2.0f));
    figure.Detail(Arc(Vec{head.x + 1.5f, head.y - 2.0f}, 6.0f, 1.15f * pi, 1.55f * pi, 0.4f),
                  Lighter(style.hair, 0.35f));
    Face(figure, head, style.briefcase);

    // Arms in front of the body; the player carries a briefcase in the right hand.
    for (float side : {-1.0f, 1.0f})
    {
        const Vec shoulder{32.0f + side * 10.4f, 29.5f};
        const Vec wrist{32.0f + side * 13.0f, 42.5f};
        figure.Part(Capsule(shoulder, wrist, 3.1f), Shaded(style.cloth, 27.0f, 44.0f), true);
        figure.Detail(Capsule(Vec{wrist.x - 1.6f, wrist.y + 1.2f}, Vec{wrist.x + 1.6f, wrist.y + 1.2f}, 0.7f), white);
        if (style.briefcase && side > 0.0f)
        {
            figure.Part(Arc(Vec{wrist.x + 0.6f, 47.0f}, 2.4f, pi, 2.0f * pi, 0.6f), Rgb(70, 42, 24), true);
            figure.Part(Box(Vec{wrist.x + 0.6f, 51.5f}, Vec{5.4f, 4.2f}, 1.0f), Shaded(Rgb(150, 92, 44), 47.0f, 56.0f),
                        true);
            figure.Detail(Box(Vec{wrist.x + 0.6f, 49.6f}, Vec{1.0f, 0.6f}), Rgb(232, 196, 90));
            figure.Detail(Capsule(Vec{wrist.x - 4.0f, 52.8f}, Vec{wrist.x + 5.2f, 52.8f}, 0.3f), Rgb(110, 66, 30));
        }
        figure.Part(Circle(Vec{wrist.x, wrist.y + 2.6f}, 2.1f), skin, true);
    }
    figure.Draw(canvas);
}

void DrawConsumer(Canvas& canvas, int frame)
{
    Figure figure;
    const float swing = frame == 0 ? 1.0f : -1.0f;
    const Rgba shirt = Rgb(240, 128, 44);
    const Rgba jeans = Rgb(64, 104, 172);
    const Rgba hair = Rgb(226, 184, 88);
    const Vec head{32.0f, 15.0f};

    // Legs stride: one forward (lower, longer), one back.
    for (float side : {-1.0f, 1.0f})
    {
        const float step = side * swing;
        const Vec hip{32.0f + side * 3.2f, 44.0f};
        const Vec foot{32.0f + side * 3.6f + step * 1.6f, 56.8f + step * 0.8f};
        figure.Part(Leg(hip, foot, 3.1f), Shaded(jeans, 42.0f, 58.0f));
        figure.Part(Ellipse(Vec{foot.x + side * 0.8f, foot.y + 2.6f}, 4.0f, 2.1f), white);
        figure.Detail(Capsule(Vec{foot.x - 2.8f + side * 0.8f, foot.y + 3.4f},
                              Vec{foot.x + 3.6f + side * 0.8f, foot.y + 3.4f}, 0.45f),
                      Rgb(226, 60, 70));
    }
    // T-shirt body with short sleeves.
    figure.Part(Polygon({{22.8f, 27.5f}, {41.2f, 27.5f}, {40.2f, 45.5f}, {23.8f, 45.5f}}, 1.8f),
                Shaded(shirt, 26.0f, 47.0f));
    figure.Detail(Circle(Vec{32.0f, 36.5f}, 3.4f), Lighter(shirt, 0.45f));
    figure.Detail(Polygon({{32.0f, 34.2f}, {34.2f, 38.0f}, {29.8f, 38.0f}}), Rgb(226, 60, 70));
    figure.Detail(Box(Vec{32.0f, 45.0f}, Vec{8.6f, 1.1f}, 0.5f), Darker(jeans, 0.25f));
    // Neck and head, with curly hair.
    figure.Part(Box(Vec{32.0f, 25.6f}, Vec{2.5f, 2.4f}, 0.8f), Darker(skin, 0.12f));
    figure.Part(Ellipse(head, 8.8f, 9.4f), Radial(Vec{29.0f, 12.0f}, 12.0f, Lighter(skin, 0.2f), skin));
    Sdf curls = Circle(Vec{head.x, head.y - 6.6f}, 4.6f);
    const Vec curlCentres[] = {{-6.8f, -3.2f}, {-4.6f, -6.4f}, {4.6f, -6.4f},
                               {6.8f, -3.2f},  {-8.0f, 0.4f},  {8.0f, 0.4f}};
    for (const Vec& c : curlCentres)
        curls = Union(curls, Circle(Vec{head.x + c.x, head.y + c.y}, 3.2f));
    figure.Part(curls, Shaded(hair, head.y - 11.0f, head.y + 2.0f), true);
    Face(figure, Vec{head.x, head.y + 0.6f}, false);

    // Arms swing against the legs; the left hand carries a shopping bag.
    for (float side : {-1.0f, 1.0f})
    {
        const float step = -side * swing;
        const Vec shoulder{32.0f + side * 9.6f, 30.0f};
        const Vec hand{32.0f + side * 11.6f + step * 1.4f, 42.0f + step * 0.4f};
        figure.Part(Capsule(shoulder, hand, 2.3f), Shaded(skin, 28.0f, 44.0f), true);
        figure.Part(Capsule(shoulder, Vec{shoulder.x + (hand.x - shoulder.x) * 0.35f, shoulder.y + 4.2f}, 3.2f),
                    Shaded(shirt, 27.0f, 35.0f), true);
        if (side < 0.0f)
        {
            figure.Part(Arc(Vec{hand.x, hand.y + 3.0f}, 2.2f, pi, 2.0f * pi, 0.5f), Rgb(120, 30, 40), true);
            figure.Part(Polygon({{hand.x - 4.4f, hand.y + 3.0f},
                                 {hand.x + 4.4f, hand.y + 3.0f},
                                 {hand.x + 5.0f, hand.y + 12.0f},
                                 {hand.x - 5.0f, hand.y + 12.0f}},
                                0.5f),
                        Shaded(Rgb(214, 50, 64), hand.y + 3.0f, hand.y + 12.0f), true);
            figure.Detail(Circle(Vec{hand.x, hand.y + 7.6f}, 1.6f), Rgb(250, 220, 120));
        }
        figure.Part(Circle(hand, 2.0f), skin, true);
    }
    figure.Draw(canvas);
}

void DrawJournalist(Canvas& canvas, bool flashing)
{
    Figure figure;
    const Rgba coat = Rgb(206, 170, 112);
    const Rgba hat = Rgb(70, 66, 74);
    const Vec head{32.0f, 16.0f};

    for (float side : {-1.0f, 1.0f})
    {
        figure.Part(Box(Vec{32.0f + side * 3.4f, 53.0f}, Vec{2.8f, 5.5f}, 1.0f), Rgb(60, 58, 66));
        figure.Part(Ellipse(Vec{32.0f + side * 4.0f, 59.4f}, 4.0f, 2.0f), Rgb(96, 58, 36));
    }
    // Trench coat down to the knees, belted.
    figure.Part(Polygon({{22.0f, 28.0f}, {42.0f, 28.0f}, {43.6f, 51.0f}, {20.4f, 51.0f}}, 1.6f),
                Shaded(coat, 27.0f, 52.0f));
    const Rgba seam = Darker(coat, 0.35f);
    figure.Detail(Capsule(Vec{32.0f, 40.0f}, Vec{32.0f, 52.0f}, 0.35f), seam);
    figure.Detail(Box(Vec{32.0f, 41.5f}, Vec{11.2f, 1.3f}, 0.4f), Darker(coat, 0.25f));
    figure.Detail(Box(Vec{32.0f, 41.5f}, Vec{1.6f, 1.6f}, 0.3f), Rgb(90, 70, 40));
    figure.Detail(Polygon({{28.0f, 27.0f}, {36.0f, 27.0f}, {32.0f, 33.0f}}), Rgb(240, 240, 236));
    figure.Detail(Stroke({{27.0f, 27.0f}, {30.2f, 35.0f}}, 0.5f), seam);
    figure.Detail(Stroke({{37.0f, 27.0f}, {33.8f, 35.0f}}, 0.5f), seam);
    // A press card clipped to the coat.
    figure.Detail(Box(Vec{37.6f, 45.2f}, Vec{2.4f, 1.6f}, 0.3f), white);
    figure.Detail(Box(Vec{37.6f, 44.4f}, Vec{2.4f, 0.6f}), Rgb(200, 40, 40));

    figure.Part(Box(Vec{32.0f, 26.0f}, Vec{2.5f, 2.4f}, 0.8f), Darker(skin, 0.12f));
    figure.Part(Ellipse(head, 8.6f, 9.0f), Radial(Vec{29.0f, 13.0f}, 12.0f, Lighter(skin, 0.2f), skin));
    Face(figure, Vec{head.x, head.y + 0.8f}, false);
    // A fedora with a band.
    figure.Part(Ellipse(Vec{head.x, head.y - 5.0f}, 13.0f, 2.6f), Shaded(hat, head.y - 7.0f, head.y - 3.0f), true);
    figure.Part(Box(Vec{head.x, head.y - 9.0f}, Vec{7.4f, 4.4f}, 2.4f), Shaded(hat, head.y - 14.0f, head.y - 5.0f),
                true);
    figure.Detail(Box(Vec{head.x, head.y - 6.4f}, Vec{7.4f, 1.2f}), Rgb(150, 40, 44));
    figure.Detail(Capsule(Vec{head.x - 2.0f, head.y - 12.6f}, Vec{head.x + 2.0f, head.y - 12.6f}, 0.5f),
                  Darker(hat, 0.4f));

    // Both hands hold a camera in front of the chest.
    const Vec cameraCentre{32.0f, 34.5f};
    for (float side : {-1.0f, 1.0f})
    {
        const Vec shoulder{32.0f + side * 9.8f, 30.5f};
        const Vec hand{32.0f + side * 8.2f, 36.0f};
        figure.Part(Stroke({shoulder, Vec{32.0f + side * 12.4f, 38.5f}, hand}, 2.9f), Shaded(coat, 28.0f, 40.0f), true);
    }
    figure.Part(Box(Vec{cameraCentre.x - 3.6f, cameraCentre.y - 5.0f}, Vec{2.6f, 1.6f}, 0.4f), Rgb(50, 50, 56), true);
    figure.Detail(Box(Vec{cameraCentre.x - 3.6f, cameraCentre.y - 5.0f}, Vec{1.8f, 0.9f}, 0.3f),
                  flashing ? Rgb(255, 255, 235) : Rgb(200, 210, 220));
    figure.Part(Box(cameraCentre, Vec{7.2f, 4.4f}, 1.2f), Shaded(Rgb(46, 46, 52), 30.0f, 39.0f), true);
    figure.Detail(Box(Vec{cameraCentre.x, cameraCentre.y - 1.6f}, Vec{7.0f, 0.8f}), Rgb(120, 120, 130));
    figure.Part(Circle(cameraCentre, 3.6f), Rgb(20, 20, 24), true);
    figure.Detail(Circle(cameraCentre, 2.6f),
                  Radial(Vec{cameraCentre.x - 0.8f, cameraCentre.y - 0.8f}, 3.0f, Rgb(120, 160, 220), Rgb(20, 30, 70)));
    figure.Detail(Circle(Vec{cameraCentre.x - 0.9f, cameraCentre.y - 0.9f}, 0.7f), Rgb(255, 255, 255, 0.85f));
    for (float side : {-1.0f, 1.0f})
        figure.Part(Circle(Vec{32.0f + side * 7.8f, 36.2f}, 2.0f), skin, true);

    figure.Draw(canvas);

    if (flashing)
    {
        // A burst of light from the flash: a glow and eight rays.
        const Vec flash{cameraCentre.x - 3.6f, cameraCentre.y - 6.0f};
        canvas.Fill(Circle(flash, 14.0f), Radial(flash, 14.0f, Rgb(255, 255, 220, 0.95f), Rgb(255, 240, 120, 0.0f)));
        for (int i = 0; i < 8; ++i)
        {
            const float angle = i * pi / 4.0f + pi / 8.0f;
            const float length = i % 2 == 0 ? 18.0f : 11.0f;
            const Vec tip{flash.x + length * std::cos(angle), flash.y + length * std::sin(angle)};
            canvas.Fill(Capsule(flash, tip, 1.1f), Linear(flash, tip, Rgb(255, 255, 240), Rgb(255, 230, 90, 0.0f)));
        }
        canvas.Fill(Circle(flash, 3.2f), Rgb(255, 255, 255));
    }
}
} // namespace Art
