// Textures in the browser's GL: RGBA uploads only (no BGR orders), clamping to the edge
// instead of to a border colour, repeating only for sides that are powers of two, and no
// mipmaps (there is no GLU to build them): a mipmapped filter becomes a linear one.

#include "Platform/Draw.h"

#include <GL/gl.h>

#include <vector>

namespace Draw
{
namespace
{
bool IsPowerOfTwo(int side) { return (side & (side - 1)) == 0; }

// Rows padded to 4 bytes, BGR or BGRA, become tight RGBA rows in the same order.
std::vector<unsigned char> ToRgba(const unsigned char* pixels, int width, int height, int components)
{
    const size_t rowBytes = (static_cast<size_t>(width) * components + 3) & ~static_cast<size_t>(3);
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    unsigned char* target = rgba.data();
    for (int row = 0; row < height; ++row)
    {
        const unsigned char* source = pixels + static_cast<size_t>(row) * rowBytes;
        for (int column = 0; column < width; ++column, source += components, target += 4)
        {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            target[3] = components == 4 ? source[3] : 255;
        }
    }
    return rgba;
}
} // namespace

unsigned int CreateTexture(const void* pixels, int width, int height, int components, int clampMode, int filterMode)
{
    if (!pixels || width <= 0 || height <= 0 || (components != 3 && components != 4))
        return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    if (texture == 0)
        return 0;

    const bool powersOfTwo = IsPowerOfTwo(width) && IsPowerOfTwo(height);
    const int wrapMode = clampMode == GL_REPEAT && powersOfTwo ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    const int filter = filterMode == GL_NEAREST ? GL_NEAREST : GL_LINEAR;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);

    const std::vector<unsigned char> rgba =
        ToRgba(static_cast<const unsigned char*>(pixels), width, height, components);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const bool failed = glGetError() != GL_NO_ERROR;
    glBindTexture(GL_TEXTURE_2D, 0);
    if (failed)
    {
        glDeleteTextures(1, &texture);
        return 0;
    }
    return texture;
}
} // namespace Draw
