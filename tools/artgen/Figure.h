#pragma once

#include "Canvas.h"

#include <vector>

namespace Art
{
// A cartoon figure: body parts filled in order inside one shared dark outline, then
// details (faces, seams, highlights) painted on top without outline.
class Figure
{
public:
    explicit Figure(float outlineWidth = 1.0f, Rgba outlineColor = Rgb(28, 24, 36));

    // A separate part also gets its outline drawn over the parts before it (an arm in
    // front of the body); other parts only add to the silhouette.
    void Part(Sdf shape, Paint paint, bool separate = false);
    void Part(Sdf shape, const Rgba& color, bool separate = false) { Part(std::move(shape), Solid(color), separate); }
    void Detail(Sdf shape, Paint paint);
    void Detail(Sdf shape, const Rgba& color) { Detail(std::move(shape), Solid(color)); }

    void Draw(Canvas& canvas) const;

private:
    struct Layer
    {
        Sdf shape;
        Paint paint;
        bool outlined;
        bool separate;
    };
    float outline;
    Rgba outlineColor;
    std::vector<Layer> layers;
};

// Images of the game, drawn into a canvas of 64 x 64 design units unless stated.
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
} // namespace Art
