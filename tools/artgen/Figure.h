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
} // namespace Art
