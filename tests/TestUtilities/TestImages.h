#pragma once

#include "Util/Color.h"
#include "Util/StringUtil.h"

#include <functional>

// A fresh folder for the current test's image files, removed again with the object.
class TestImageFolder
{
public:
    TestImageFolder();
    ~TestImageFolder();

    String Path(const String& fileName) const { return folder + "/" + fileName; }

    // Writes a PNG whose pixel (x, y), y counted from the top, has the given colour: 32-bit
    // with alpha when `alpha`, else 24-bit. Returns the path, or "" if it couldn't be written.
    String Write(const String& fileName, int width, int height, const std::function<Color(int x, int y)>& pixel,
                 bool alpha = false) const;
    // A one-colour 4 x 4 image.
    String WriteSolid(const String& fileName, const Color& color) const;
    // Raw bytes, for broken files.
    String WriteBytes(const String& fileName, const String& bytes) const;
    String ReadBytes(const String& fileName) const;

private:
    String folder;
};
