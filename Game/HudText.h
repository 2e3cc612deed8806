#pragma once

#include "Util/Color.h"
#include "Util/StringUtil.h"
#include "Util/Vector2.h"

// Screen texts of the play field and the menu: a line on a nearly opaque white box that
// covers its extents plus 0.1 world units on every side. Positions are window pixels
// (origin top left), y the baseline.
namespace HudText
{
// The window row (pixels from the top) above which the play field's head-up texts and
// meters stand; the ticker's panel, the tallest of them, reaches down to it. The field's
// characters stay below it.
constexpr int HudBottom = 108;
// The window row where the field begins in a window `windowHeight` pixels high: under
// the head-up display, or half-way down a window too short for both.
int FieldTop(int windowHeight);
// The colour of every box and panel behind the play field's texts.
Color BoxColor();
void DrawBoxed(const String& text, const String& font, int x, int y, const Color& textColor);
// The x at which the text is centred in the window.
int CenteredX(const String& text, const String& font);
// A filled rectangle in world units, lower-left corner first.
void FillWorldRect(const Vector2& lowerLeft, const Vector2& upperRight, const Color& color);
// A circle outline of 64 segments in world units.
void CircleOutline(const Vector2& centre, float radius, const Color& color);
// A filled circle of 64 segments in world units.
void FillCircle(const Vector2& centre, float radius, const Color& color);
// A band of the given width (world units) centred on the circle of `radius`.
void Ring(const Vector2& centre, float radius, float width, const Color& color);
} // namespace HudText
