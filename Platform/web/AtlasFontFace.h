#pragma once

#include "Platform/FontFace.h"

// The browser's font face, which the desktop tests also try against the desktop's:
// OpenFontFace in the browser build.
std::unique_ptr<FontFace> OpenAtlasFontFace(String fontBytes, int pointSize, FontOpenResult& result);
