#pragma once

#include "Util/StringUtil.h"
#include "Util/Vector2.h"

#include <cstddef>

// Fonts registered under short nicknames, rendered at a fixed point size at 72 dpi, so
// one point is one pixel. Positions are window pixels, origin top left, y down.

// Font files past this size are refused before they are read.
constexpr std::size_t MaxFontFileBytes = 32u << 20;

// Loads the font file; a nickname already taken is replaced. Logs "Failed to open font
// <file>" or "Failed to set size." and returns false on failure; a folder, FIFO or
// device, a file past MaxFontFileBytes or one that can't be read gets one ERROR line
// saying which, and is never read.
bool AddFont(const String& filename, int pointSize, const String& nickname);
// Logs a line and returns false when no font has that nickname.
bool RemoveFont(const String& nickname);
// Draws the text with its baseline starting at the pixel, rotated counter-clockwise by
// `rotation` degrees about that point, in the current colour. Returns the text's extents
// in pixels. An unknown nickname draws nothing and returns (0, 0); the first time each
// such nickname is drawn with, one WARNING line names it.
Vector2 DrawScreenText(const String& text, const String& nickname, int pixelX, int pixelY, float rotation = 0.0f);
// Width and height of the text's bounding box in pixels; (0, 0) for an unknown nickname,
// silently (text is often laid out before its font is registered).
Vector2 MeasureText(const String& text, const String& nickname);
