#include "Infrastructure/Draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace
{
void Begin(const Draw::Transform& transform, const Color& color, int texture)
{
    glPushMatrix();
    glTranslatef(transform.position.X, transform.position.Y, 0.0f);
    glRotatef(transform.rotation, 0.0f, 0.0f, 1.0f);
    glScalef(transform.scale.X, transform.scale.Y, 1.0f);
    glColor4f(color.R, color.G, color.B, color.A);
    if (texture >= 0)
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    }
}

void End(int texture)
{
    if (texture >= 0)
        glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}
} // namespace

namespace Draw
{
void InitState()
{
    glShadeModel(GL_FLAT);
    glPolygonMode(GL_FRONT, GL_FILL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearStencil(0);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void SetClearColor(const Color& color) { glClearColor(color.R, color.G, color.B, 1.0f); }

void BeginFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
}

void EndFrame()
{
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void SetViewport(int width, int height) { glViewport(0, 0, width, height); }

void SetPerspective(double apertureDegrees, double aspect, double nearClip, double farClip)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(apertureDegrees, aspect, nearClip, farClip);
    glMatrixMode(GL_MODELVIEW);
}

void SetView(const Vector3& eye, const Vector3& target, const Vector3& up)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.X, eye.Y, eye.Z, target.X, target.Y, target.Z, up.X, up.Y, up.Z);
}

void Quad(const Transform& transform, const Color& color, int texture, const Vector2& uvLowerLeft,
          const Vector2& uvUpperRight)
{
    Begin(transform, color, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(uvUpperRight.X, uvUpperRight.Y);
    glVertex2f(0.5f, 0.5f);
    glTexCoord2f(uvLowerLeft.X, uvUpperRight.Y);
    glVertex2f(-0.5f, 0.5f);
    glTexCoord2f(uvLowerLeft.X, uvLowerLeft.Y);
    glVertex2f(-0.5f, -0.5f);
    glTexCoord2f(uvUpperRight.X, uvLowerLeft.Y);
    glVertex2f(0.5f, -0.5f);
    glEnd();
    End(texture);
}

void Disc(const Transform& transform, const Color& color, int texture)
{
    constexpr int rimSegments = 32;
    Begin(transform, color, texture);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(0.0f, 0.0f);
    for (int i = 0; i <= rimSegments; ++i)
    {
        const float angle = static_cast<float>(i) * 6.283185f / rimSegments;
        glVertex2f(0.5f * std::cos(angle), 0.5f * std::sin(angle));
    }
    glEnd();
    End(texture);
}

void DisplayList(const Transform& transform, const Color& color, int texture, int list)
{
    Begin(transform, color, texture);
    if (list >= 0)
        glCallList(static_cast<GLuint>(list));
    End(texture);
}

std::vector<std::uint8_t> ReadPixels(int x, int y, int width, int height, bool front)
{
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glReadBuffer(front ? GL_FRONT : GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
} // namespace Draw
