#pragma once

#include "Util/StringUtil.h"

#include <GL/gl.h>

#include <cstddef>

// Image files become OpenGL textures here, each file decoded and uploaded once per
// process; the textures live until the process ends. Files are keyed by name exactly as
// given, so a second request with other modes gets the first texture unchanged.

// The texture name for the file, or -1 if it can't be loaded, which logs "Failed to
// find - <file>" unless optional. An image whose header claims more than 16384 pixels a
// side or 64 M pixels is refused before decoding with one ERROR line instead, and so is
// a file that is no regular file (a folder, FIFO or device), is larger than 64 MiB or
// can't be read, before it is read at all; the line says which. A file
// that failed is remembered: asking again returns -1 at once and logs nothing more.
// Needs the window's GL context to be current.
int AcquireTexture(const String& filename, GLint clampmode = GL_CLAMP, GLint filtermode = GL_LINEAR,
                   bool optional = false);

// Textures loaded so far (a cheap leak check for soaks).
size_t GetTextureCacheSize();
