#include "Figure.h"

namespace Art
{
Figure::Figure(float outlineWidth, Rgba color) : outline(outlineWidth), outlineColor(color) {}

void Figure::Part(Sdf shape, Paint paint, bool separate)
{
    layers.push_back(Layer{std::move(shape), std::move(paint), true, separate});
}

void Figure::Detail(Sdf shape, Paint paint)
{
    layers.push_back(Layer{std::move(shape), std::move(paint), false, false});
}

void Figure::Draw(Canvas& canvas) const
{
    // All outlines first, so a part drawn later covers the outline of the one below where
    // they overlap and the figure reads as one silhouette.
    for (const Layer& layer : layers)
        if (layer.outlined)
            canvas.Fill(Grow(layer.shape, outline), outlineColor);
    for (const Layer& layer : layers)
    {
        if (layer.separate)
            canvas.Fill(Grow(layer.shape, outline * 0.75f), outlineColor);
        canvas.Fill(layer.shape, layer.paint);
    }
}
} // namespace Art
