#pragma once

#include "Figure.h"

// The game's pictures, each drawn into a canvas of 64 x 64 design units (32 x 32 for the
// tiny coin and the particle).
namespace Art
{
// Which suit a character wears.
struct SuitStyle
{
    Rgba cloth;
    Rgba tie;
    Rgba hair;
    bool briefcase = false;
};
SuitStyle PlayerStyle();
SuitStyle RivalStyle(int variant);

void DrawSuit(Canvas& canvas, const SuitStyle& style);
// Walking frames 0 and 1 swing arms and legs the opposite ways.
void DrawConsumer(Canvas& canvas, int frame);
void DrawJournalist(Canvas& canvas, bool flashing);
// The pickup dollar coin turned `degrees` about its vertical axis.
void DrawDollarCoin(Canvas& canvas, float degrees);
void DrawTinyCoin(Canvas& canvas);
void DrawParticle(Canvas& canvas);
// A card that shows orientation: an arrow pointing up over a checker, coloured corners.
void DrawTestCard(Canvas& canvas);
// The game's desktop icon: the player in his lie circle, with a coin.
void DrawIcon(Canvas& canvas);
// The engine's icon, for packed games that bring none: a ball over a paddle.
void DrawEngineIcon(Canvas& canvas);
} // namespace Art
