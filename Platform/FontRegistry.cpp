#include "Platform/FontRegistry.h"

#include "Platform/Draw.h"
#include "Platform/FontFace.h"
#include "Platform/Log.h"
#include "Util/SafeFiles.h"
#include "Util/Utf8.h"

#include <map>
#include <memory>
#include <set>
#include <utility>

namespace
{
std::map<String, std::unique_ptr<FontFace>>& Fonts()
{
    // Never destroyed: fonts hold GL objects that must not be freed after the context is gone.
    static auto* fonts = new std::map<String, std::unique_ptr<FontFace>>();
    return *fonts;
}

FontFace* FindFont(const String& nickname)
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

    String bytes;
    String reason;
    const FileReadStatus read = ReadRegularFile(filename, MaxFontFileBytes, bytes, reason);
    if (read != FRS_Read && read != FRS_Missing)
    {
        SystemLogInstance().Printf("ERROR: %s. The font is not opened.",
                                   DescribeReadFailure(filename, read, reason).c_str());
        return false;
    }
    FontOpenResult result = FOR_Unreadable;
    std::unique_ptr<FontFace> face = OpenFontFace(std::move(bytes), pointSize, result);
    if (result == FOR_Unreadable)
        SystemLogInstance().Log("Failed to open font " + filename);
    else if (result == FOR_BadSize)
        SystemLogInstance().Log("Failed to set size.");
    if (!face)
        return false;
    Fonts()[nickname] = std::move(face);
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
    FontFace* face = FindFont(nickname);
    return face ? face->Measure(WellFormedUtf8(text)) : Vector2();
}

Vector2 DrawScreenText(const String& text, const String& nickname, int pixelX, int pixelY, float rotation)
{
    FontFace* face = FindFont(nickname);
    if (!face)
    {
        WarnUnknownFont(nickname);
        return Vector2();
    }
    const String wellFormed = WellFormedUtf8(text);
    Draw::BeginScreenSpace(static_cast<float>(pixelX), static_cast<float>(pixelY), rotation);
    Draw::BeginGlyphs();
    face->Render(wellFormed);
    Draw::EndGlyphs();
    Draw::EndScreenSpace();
    return face->Measure(wellFormed);
}
