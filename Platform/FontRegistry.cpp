#include "Platform/FontRegistry.h"

#include "Platform/Draw.h"
#include "Platform/Log.h"

#include <FTGL/ftgl.h>

#include <map>
#include <memory>
#include <set>

namespace
{
std::map<String, std::unique_ptr<FTFont>>& Fonts()
{
    // Never destroyed: fonts hold GL objects that must not be freed after the context is gone.
    static auto* fonts = new std::map<String, std::unique_ptr<FTFont>>();
    return *fonts;
}

FTFont* FindFont(const String& nickname)
{
    auto found = Fonts().find(nickname);
    return found == Fonts().end() ? nullptr : found->second.get();
}

// Text in a font nobody registered would otherwise just be missing from the screen.
// Once per nickname: the text is drawn again every frame.
void WarnUnknownFont(const String& nickname)
{
    static std::set<String> warned;
    if (warned.insert(nickname).second)
        SystemLogInstance().Printf("WARNING: No font called \"%s\" is registered (AddFont); its text is not drawn.",
                                   nickname.c_str());
}

// The font library reads text as UTF-8 and crashes on byte sequences that aren't (a
// cut-off character, a stray continuation byte). Each byte that doesn't start a
// well-formed character becomes '?'; valid text passes unchanged.
String WellFormedUtf8(const String& text)
{
    String result;
    result.reserve(text.size());
    const size_t size = text.size();
    for (size_t i = 0; i < size;)
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 0;
        unsigned int codePoint = 0;
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xc2 && lead <= 0xdf)
            length = 2, codePoint = lead & 0x1fu;
        else if (lead >= 0xe0 && lead <= 0xef)
            length = 3, codePoint = lead & 0x0fu;
        else if (lead >= 0xf0 && lead <= 0xf4)
            length = 4, codePoint = lead & 0x07u;

        bool valid = length > 0 && i + length <= size;
        for (size_t k = 1; valid && k < length; ++k)
        {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xc0u) == 0x80u;
            codePoint = (codePoint << 6) | (next & 0x3fu);
        }
        // Overlong forms, surrogates and values past the last code point.
        if (valid && ((length == 3 && (codePoint < 0x800 || (codePoint >= 0xd800 && codePoint <= 0xdfff))) ||
                      (length == 4 && (codePoint < 0x10000 || codePoint > 0x10ffff))))
            valid = false;

        if (valid)
        {
            result.append(text, i, length);
            i += length;
        }
        else
        {
            result += '?';
            ++i;
        }
    }
    return result;
}
} // namespace

bool AddFont(const String& filename, int pointSize, const String& nickname)
{
    if (FindFont(nickname))
        RemoveFont(nickname);

    auto font = std::make_unique<FTTextureFont>(filename.c_str());
    if (font->Error())
    {
        SystemLogInstance().Log("Failed to open font " + filename);
        return false;
    }
    if (pointSize <= 0 || !font->FaceSize(static_cast<unsigned int>(pointSize), 72))
    {
        SystemLogInstance().Log("Failed to set size.");
        return false;
    }
    font->UseDisplayList(true);
    Fonts()[nickname] = std::move(font);
    return true;
}

bool RemoveFont(const String& nickname)
{
    if (Fonts().erase(nickname) == 0)
    {
        SystemLogInstance().Log("No font called \"" + nickname + "\"; un-registration failed.");
        return false;
    }
    return true;
}

Vector2 MeasureText(const String& text, const String& nickname)
{
    FTFont* font = FindFont(nickname);
    if (!font)
        return Vector2();
    const FTBBox box = font->BBox(WellFormedUtf8(text).c_str());
    const FTPoint extent = box.Upper() - box.Lower();
    return Vector2(extent.Xf(), extent.Yf());
}

Vector2 DrawScreenText(const String& text, const String& nickname, int pixelX, int pixelY, float rotation)
{
    FTFont* font = FindFont(nickname);
    if (!font)
    {
        WarnUnknownFont(nickname);
        return Vector2();
    }
    Draw::BeginScreenSpace(static_cast<float>(pixelX), static_cast<float>(pixelY), rotation);
    Draw::BeginGlyphs();
    font->Render(WellFormedUtf8(text).c_str());
    Draw::EndGlyphs();
    Draw::EndScreenSpace();
    return MeasureText(text, nickname);
}
