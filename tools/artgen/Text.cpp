#include "Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace Art
{
namespace
{
FT_Face Face(void* face) { return static_cast<FT_Face>(face); }
} // namespace

Font::Font(const std::string& path)
{
    FT_Library ft = nullptr;
    if (FT_Init_FreeType(&ft) != 0)
        return;
    library = ft;
    FT_Face loaded = nullptr;
    if (FT_New_Face(ft, path.c_str(), 0, &loaded) == 0)
        face = loaded;
}

Font::~Font()
{
    if (face)
        FT_Done_Face(Face(face));
    if (library)
        FT_Done_FreeType(static_cast<FT_Library>(library));
}

float Font::Width(const std::string& text, int pixelSize) const
{
    if (!face)
        return 0.0f;
    FT_Set_Pixel_Sizes(Face(face), 0, static_cast<FT_UInt>(pixelSize));
    float width = 0.0f;
    for (unsigned char c : text)
    {
        if (FT_Load_Char(Face(face), c, FT_LOAD_DEFAULT) == 0)
            width += static_cast<float>(Face(face)->glyph->advance.x) / 64.0f;
    }
    return width;
}

void Font::Draw(Canvas& canvas, const std::string& text, float left, float baseline, int pixelSize,
                const Rgba& color) const
{
    if (!face)
        return;
    FT_Face f = Face(face);
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize));
    float pen = left;
    for (unsigned char c : text)
    {
        if (FT_Load_Char(f, c, FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot glyph = f->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        // Whole-pixel placement keeps the hinted stems sharp.
        const int x0 = static_cast<int>(pen + 0.5f) + glyph->bitmap_left;
        const int y0 = static_cast<int>(baseline + 0.5f) - glyph->bitmap_top;
        for (unsigned int row = 0; row < bitmap.rows; ++row)
            for (unsigned int column = 0; column < bitmap.width; ++column)
            {
                const unsigned char value = bitmap.buffer[row * static_cast<unsigned int>(bitmap.pitch) + column];
                if (value != 0)
                    canvas.Blend(x0 + static_cast<int>(column), y0 + static_cast<int>(row), color, value / 255.0f);
            }
        pen += static_cast<float>(glyph->advance.x) / 64.0f;
    }
}

void Font::DrawCentred(Canvas& canvas, const std::string& text, float centre, float baseline, int pixelSize,
                       const Rgba& color) const
{
    Draw(canvas, text, centre - Width(text, pixelSize) / 2.0f, baseline, pixelSize, color);
}

std::vector<std::string> Font::Wrap(const std::string& text, float width, int pixelSize) const
{
    std::vector<std::string> lines;
    std::string line;
    std::string word;
    auto flushWord = [&]
    {
        if (word.empty())
            return;
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && Width(candidate, pixelSize) > width)
        {
            lines.push_back(line);
            line = word;
        }
        else
        {
            line = candidate;
        }
        word.clear();
    };
    for (char c : text)
    {
        if (c == ' ')
        {
            flushWord();
        }
        else if (c == '\n')
        {
            flushWord();
            lines.push_back(line);
            line.clear();
        }
        else
        {
            word += c;
        }
    }
    flushWord();
    if (!line.empty())
        lines.push_back(line);
    return lines;
}
} // namespace Art
