#include "Platform/Draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace Draw
{
namespace
{
// Whether every texel on the image's rim is fully transparent. Rows are 4-byte BGRA.
bool HasTransparentRim(const unsigned char* pixels, int width, int height)
{
    const auto alpha = [&](int x, int y) { return pixels[(static_cast<size_t>(y) * width + x) * 4 + 3]; };
    for (int x = 0; x < width; ++x)
    {
        if (alpha(x, 0) != 0 || alpha(x, height - 1) != 0)
            return false;
    }
    for (int y = 0; y < height; ++y)
    {
        if (alpha(0, y) != 0 || alpha(width - 1, y) != 0)
            return false;
    }
    return true;
}

// GL_CLAMP lets filtering blend the outermost half texel with the border colour, which
// the software rasteriser samples on a general path, about a quarter slower than
// clamping to the edge texel. When the rim is fully transparent, both modes blend only
// transparent texels there, and with the alpha blending every drawing uses the picture
// is the same: the faster mode is taken. Mipmapped filters would also read smaller
// levels, whose rims needn't be transparent.
int EffectiveWrapMode(const void* pixels, int width, int height, int components, int clampMode, int filterMode)
{
    const bool unmipmapped = filterMode == GL_LINEAR || filterMode == GL_NEAREST;
    if (clampMode == GL_CLAMP && unmipmapped && components == 4 &&
        HasTransparentRim(static_cast<const unsigned char*>(pixels), width, height))
        return GL_CLAMP_TO_EDGE;
    return clampMode;
}
} // namespace

unsigned int CreateTexture(const void* pixels, int width, int height, int components, int clampMode, int filterMode)
{
    if (!pixels || width <= 0 || height <= 0 || (components != 3 && components != 4))
        return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    // Without a current context the call does nothing and leaves the name 0.
    if (texture == 0)
        return 0;

    glBindTexture(GL_TEXTURE_2D, texture);
    const int wrapMode = EffectiveWrapMode(pixels, width, height, components, clampMode, filterMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filterMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filterMode);

    // The font library changes the unpack state for its glyphs; rows here are padded to
    // 4 bytes, and an alignment of 1 would shear odd-width images.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    const GLenum format = components == 4 ? GL_BGRA : GL_BGR;
    const GLint failed = gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, format, GL_UNSIGNED_BYTE, pixels);
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, 0);

    if (failed != 0)
    {
        glDeleteTextures(1, &texture);
        return 0;
    }
    return texture;
}
} // namespace Draw
