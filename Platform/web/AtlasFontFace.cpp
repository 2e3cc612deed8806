// Fonts in the browser: FreeType renders each glyph once into an atlas texture, and text
// is drawn as one textured quad a glyph. The desktop's font library needs display lists,
// saved attribute stacks and alpha-only textures, none of which the browser's GL has; the
// atlas holds luminance-alpha texels, which it draws right.

#include "Platform/web/AtlasFontFace.h"

#include "Platform/Log.h"
#include "Util/Utf8.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace
{
constexpr int AtlasSide = 512;
// Empty texels between glyphs, so linear filtering never reads a neighbour.
constexpr int GlyphGap = 1;

FT_Library FreeType()
{
    static FT_Library library = nullptr;
    static bool tried = false;
    if (!tried)
    {
        tried = true;
        if (FT_Init_FreeType(&library) != 0)
        {
            SystemLogInstance().Log("ERROR: FreeType could not start; no text is drawn.");
            library = nullptr;
        }
    }
    return library;
}

struct Glyph
{
    // Where the bitmap sits from the pen, in pixels, y up.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    float advance = 0.0f;
    // The outline's box from the pen, in pixels, y up: what text is measured by.
    float boxLeft = 0.0f;
    float boxBottom = 0.0f;
    float boxRight = 0.0f;
    float boxTop = 0.0f;
    unsigned int texture = 0;
    float u0 = 0.0f, v0 = 0.0f, u1 = 0.0f, v1 = 0.0f;
};

class AtlasFontFace : public FontFace
{
public:
    ~AtlasFontFace() override
    {
        if (!textures.empty())
            glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
        if (face)
            FT_Done_Face(face);
    }

    bool Open(String fontBytes)
    {
        bytes = std::move(fontBytes);
        return FreeType() && FT_New_Memory_Face(FreeType(), reinterpret_cast<const FT_Byte*>(bytes.data()),
                                                static_cast<FT_Long>(bytes.size()), 0, &face) == 0;
    }

    bool SetSize(int pointSize) { return FT_Set_Char_Size(face, pointSize * 64, pointSize * 64, 72, 72) == 0; }

    Vector2 Measure(const String& text) override
    {
        bool any = false;
        float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
        Walk(text,
             [&](const Glyph& glyph, float pen)
             {
                 const float glyphLeft = pen + glyph.boxLeft;
                 const float glyphRight = pen + glyph.boxRight;
                 left = any ? std::min(left, glyphLeft) : glyphLeft;
                 right = any ? std::max(right, glyphRight) : glyphRight;
                 bottom = any ? std::min(bottom, glyph.boxBottom) : glyph.boxBottom;
                 top = any ? std::max(top, glyph.boxTop) : glyph.boxTop;
                 any = true;
             });
        return Vector2(right - left, top - bottom);
    }

    void Render(const String& text) override
    {
        bound = 0;
        Walk(text,
             [&](const Glyph& glyph, float pen)
             {
                 if (glyph.texture == 0)
                     return;
                 if (glyph.texture != bound)
                     Bind(glyph.texture);
                 // Whole pixels keep the glyph's texels on the screen's pixels, unblurred.
                 const float x0 = std::floor(pen) + static_cast<float>(glyph.left);
                 const float y1 = static_cast<float>(glyph.top);
                 const float x1 = x0 + static_cast<float>(glyph.width);
                 const float y0 = y1 - static_cast<float>(glyph.height);
                 glBegin(GL_QUADS);
                 glTexCoord2f(glyph.u0, glyph.v1);
                 glVertex2f(x0, y0);
                 glTexCoord2f(glyph.u1, glyph.v1);
                 glVertex2f(x1, y0);
                 glTexCoord2f(glyph.u1, glyph.v0);
                 glVertex2f(x1, y1);
                 glTexCoord2f(glyph.u0, glyph.v0);
                 glVertex2f(x0, y1);
                 glEnd();
             });
        Bind(0);
    }

private:
    const Glyph& Find(unsigned int codePoint)
    {
        auto [entry, added] = glyphs.try_emplace(codePoint);
        if (added)
            entry->second = Rasterize(codePoint);
        return entry->second;
    }

    float Kerning(unsigned int left, unsigned int right) const
    {
        if (!FT_HAS_KERNING(face))
            return 0.0f;
        FT_Vector kerning = {};
        FT_Get_Kerning(face, FT_Get_Char_Index(face, left), FT_Get_Char_Index(face, right), FT_KERNING_UNFITTED,
                       &kerning);
        return static_cast<float>(kerning.x) / 64.0f;
    }

    // Calls `visit(glyph, penX)` for each character, the pen moving by advance and kerning.
    template <typename Visit> void Walk(const String& text, Visit visit)
    {
        float pen = 0.0f;
        unsigned int previous = 0;
        for (size_t index = 0; index < text.size();)
        {
            const unsigned int codePoint = NextCodePoint(text, index);
            if (previous != 0)
                pen += Kerning(previous, codePoint);
            const Glyph& glyph = Find(codePoint);
            visit(glyph, pen);
            pen += glyph.advance;
            previous = codePoint;
        }
    }

    Glyph Rasterize(unsigned int codePoint)
    {
        Glyph glyph;
        if (FT_Load_Char(face, codePoint, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
            return glyph;
        FT_GlyphSlot slot = face->glyph;
        glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE)
        {
            FT_BBox box = {};
            FT_Outline_Get_CBox(&slot->outline, &box);
            glyph.boxLeft = static_cast<float>(box.xMin) / 64.0f;
            glyph.boxBottom = static_cast<float>(box.yMin) / 64.0f;
            glyph.boxRight = static_cast<float>(box.xMax) / 64.0f;
            glyph.boxTop = static_cast<float>(box.yMax) / 64.0f;
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0 || slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
            return glyph;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(slot->bitmap.width);
        glyph.height = static_cast<int>(slot->bitmap.rows);
        if (glyph.width > 0 && glyph.height > 0)
            Place(slot->bitmap, glyph);
        return glyph;
    }

    // Copies the bitmap into the atlas, starting a new atlas when this one is full.
    void Place(const FT_Bitmap& bitmap, Glyph& glyph)
    {
        // Even widths keep each row of two-byte texels a multiple of four bytes, the
        // unpack alignment every texture here is uploaded with.
        const int paddedWidth = (glyph.width + 1) & ~1;
        if (paddedWidth + GlyphGap > AtlasSide || glyph.height + GlyphGap > AtlasSide)
            return;
        if (textures.empty() || penX + paddedWidth + GlyphGap > AtlasSide)
        {
            penX = GlyphGap;
            penY += rowHeight;
            rowHeight = 0;
        }
        if (textures.empty() || penY + glyph.height + GlyphGap > AtlasSide)
        {
            NewAtlas();
            penX = GlyphGap;
            penY = GlyphGap;
            rowHeight = 0;
        }

        std::vector<unsigned char> texels(static_cast<size_t>(paddedWidth) * glyph.height * 2, 0);
        for (int row = 0; row < glyph.height; ++row)
        {
            // FreeType's rows run top down; the texture's v grows with them here too.
            const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
            for (int column = 0; column < glyph.width; ++column)
            {
                unsigned char* texel = &texels[(static_cast<size_t>(row) * paddedWidth + column) * 2];
                texel[0] = 255;
                texel[1] = source[column];
            }
        }
        Bind(textures.back());
        glTexSubImage2D(GL_TEXTURE_2D, 0, penX, penY, paddedWidth, glyph.height, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
                        texels.data());
        Bind(0);

        const float side = static_cast<float>(AtlasSide);
        glyph.texture = textures.back();
        glyph.u0 = static_cast<float>(penX) / side;
        glyph.v0 = static_cast<float>(penY) / side;
        glyph.u1 = static_cast<float>(penX + glyph.width) / side;
        glyph.v1 = static_cast<float>(penY + glyph.height) / side;
        penX += paddedWidth + GlyphGap;
        rowHeight = std::max(rowHeight, glyph.height + GlyphGap);
    }

    void NewAtlas()
    {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        Bind(texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        const std::vector<unsigned char> clear(static_cast<size_t>(AtlasSide) * AtlasSide * 2, 0);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, AtlasSide, AtlasSide, 0, GL_LUMINANCE_ALPHA,
                     GL_UNSIGNED_BYTE, clear.data());
        Bind(0);
        textures.push_back(texture);
    }

    // Glyphs are rasterised into the atlas while text is drawn, which binds the atlas:
    // drawing binds again whenever the texture it last bound isn't bound any more.
    void Bind(GLuint texture)
    {
        glBindTexture(GL_TEXTURE_2D, texture);
        bound = texture;
    }

    // FreeType reads the face from these as long as it lives.
    String bytes;
    FT_Face face = nullptr;
    GLuint bound = 0;
    std::map<unsigned int, Glyph> glyphs;
    std::vector<GLuint> textures;
    int penX = 0;
    int penY = 0;
    int rowHeight = 0;
};

} // namespace

std::unique_ptr<FontFace> OpenAtlasFontFace(String fontBytes, int pointSize, FontOpenResult& result)
{
    auto face = std::make_unique<AtlasFontFace>();
    result = !face->Open(std::move(fontBytes))             ? FOR_Unreadable
             : pointSize <= 0 || !face->SetSize(pointSize) ? FOR_BadSize
                                                           : FOR_Opened;
    return result == FOR_Opened ? std::move(face) : nullptr;
}

#ifdef __EMSCRIPTEN__
std::unique_ptr<FontFace> OpenFontFace(String fontBytes, int pointSize, FontOpenResult& result)
{
    return OpenAtlasFontFace(std::move(fontBytes), pointSize, result);
}
#endif
