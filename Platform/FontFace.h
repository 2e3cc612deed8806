#pragma once

#include "Util/StringUtil.h"
#include "Util/Vector2.h"

#include <memory>

// One font file at one size, drawn by the platform's font code: FTGL on the desktop
// (Platform/FtglFontFace.cpp), glyph atlases made with FreeType in the browser
// (Platform/web/AtlasFontFace.cpp). The font registry owns the faces; text given to them
// is well-formed UTF-8.
class FontFace
{
public:
    virtual ~FontFace() = default;
    // Width and height of the text's bounding box in pixels.
    virtual Vector2 Measure(const String& text) = 0;
    // Draws the text with its baseline starting at the origin of the current space, in
    // the current colour, with textures on (Draw::BeginGlyphs).
    virtual void Render(const String& text) = 0;
};

enum FontOpenResult
{
    FOR_Opened,
    FOR_Unreadable, // not a font
    FOR_BadSize,    // the font refused the size, or the size isn't above 0
};

// Opens the contents of a font file (the registry reads it) at `pointSize` points of
// 72 dpi, so that a point is a pixel; the face keeps the bytes for as long as it lives.
// Null, with the reason in `result`, when it can't.
std::unique_ptr<FontFace> OpenFontFace(String fontBytes, int pointSize, FontOpenResult& result);
