#include "Platform/FontRegistry.h"

#include "Platform/Draw.h"
#include "Platform/Log.h"
#include "Util/Utf8.h"

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
