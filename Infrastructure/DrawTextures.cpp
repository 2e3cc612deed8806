#include "Infrastructure/Draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace Draw
{
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
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, clampMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, clampMode);
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
