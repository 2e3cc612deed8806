// Fonts on the desktop: FTGL's texture fonts, each glyph's quad in a display list.

#include "Platform/FontFace.h"

#include <FTGL/ftgl.h>

#include <utility>

namespace
{
class FtglFontFace : public FontFace
{
public:
    explicit FtglFontFace(String fontBytes)
        : bytes(std::move(fontBytes)), font(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())
    {
    }

    bool Opened() const { return font.Error() == 0; }

    bool SetSize(int pointSize)
    {
        if (pointSize <= 0 || !font.FaceSize(static_cast<unsigned int>(pointSize), 72))
            return false;
        font.UseDisplayList(true);
        return true;
    }

    Vector2 Measure(const String& text) override
    {
        const FTBBox box = font.BBox(text.c_str());
        const FTPoint extent = box.Upper() - box.Lower();
        return Vector2(extent.Xf(), extent.Yf());
    }

    void Render(const String& text) override { font.Render(text.c_str()); }

private:
    // FreeType reads the face from these as long as the font lives: declared first, freed last.
    String bytes;
    FTTextureFont font;
};
} // namespace

std::unique_ptr<FontFace> OpenFontFace(String fontBytes, int pointSize, FontOpenResult& result)
{
    auto face = std::make_unique<FtglFontFace>(std::move(fontBytes));
    result = !face->Opened() ? FOR_Unreadable : !face->SetSize(pointSize) ? FOR_BadSize : FOR_Opened;
    return result == FOR_Opened ? std::move(face) : nullptr;
}
