#include "Pictures.h"

namespace Art
{
void DrawIcon(Canvas& canvas)
{
    // A tile in the menu's colour, so the icon reads on dark and light desktops alike.
    const int pixels = canvas.Pixels();
    const float unit = static_cast<float>(pixels) / 64.0f;
    const Sdf tile = Box(Vec{32.0f, 32.0f}, Vec{29.0f, 29.0f}, 11.0f);
    canvas.Fill(Grow(tile, 1.5f), Rgb(40, 44, 58));
    canvas.Fill(tile, Linear(Vec{32.0f, 3.0f}, Vec{32.0f, 61.0f}, Rgb(246, 248, 240), Rgb(218, 224, 208)));

    // The player lying: the red lie circle around the suit, and the money it brings.
    canvas.Fill(Circle(Vec{29.0f, 35.0f}, 21.0f), Rgb(220, 40, 40, 0.18f));
    canvas.Fill(Arc(Vec{29.0f, 35.0f}, 21.0f, 0.0f, 6.2832f, 1.6f), Rgb(200, 30, 30, 0.85f));

    Canvas suit(static_cast<int>(44.0f * unit), 64.0f);
    DrawSuit(suit, PlayerStyle());
    canvas.Blit(suit, static_cast<int>(7.0f * unit), static_cast<int>(13.0f * unit));

    Canvas coin(static_cast<int>(26.0f * unit), 64.0f);
    DrawDollarCoin(coin, 0.0f);
    canvas.Blit(coin, static_cast<int>(36.0f * unit), static_cast<int>(4.0f * unit));
}
} // namespace Art

namespace Art
{
void DrawEngineIcon(Canvas& canvas)
{
    // A night-blue tile with a ball flying over a paddle: any game, none in particular,
    // for a packed game whose folder brings no icon of its own.
    const Sdf tile = Box(Vec{32.0f, 32.0f}, Vec{29.0f, 29.0f}, 11.0f);
    canvas.Fill(Grow(tile, 1.5f), Rgb(20, 24, 40));
    canvas.Fill(tile, Linear(Vec{32.0f, 3.0f}, Vec{32.0f, 61.0f}, Rgb(48, 66, 120), Rgb(24, 32, 64)));
    canvas.Fill(Arc(Vec{32.0f, 52.0f}, 30.0f, 3.6f, 4.9f, 1.2f), Rgb(255, 255, 255, 0.35f));
    canvas.Fill(Circle(Vec{40.0f, 22.0f}, 7.0f),
                Radial(Vec{38.0f, 20.0f}, 8.0f, Rgb(255, 236, 150), Rgb(240, 170, 40)));
    canvas.Fill(Box(Vec{26.0f, 47.0f}, Vec{13.0f, 3.5f}, 3.5f), Rgb(236, 92, 72));
}
} // namespace Art
