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

void BeginScreenSpace(float x, float y, float rotation)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, viewport[2], 0.0, viewport[3]);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // GL counts rows from the bottom; screen space counts them from the top.
    glTranslatef(x, static_cast<float>(viewport[3]) - y, 0.0f);
    glRotatef(rotation, 0.0f, 0.0f, 1.0f);
}

void EndScreenSpace()
{
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void BeginGlyphs()
{
    // Whoever draws text may have its own depth and texture settings: put them back after.
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
}

void EndGlyphs() { glPopAttrib(); }

void ScreenRect(float left, float top, float width, float height, const Color& color)
{
    // In screen space y grows upward from the translated origin, so "down" is negative.
    glColor4f(color.R, color.G, color.B, color.A);
    glBegin(GL_QUADS);
    glVertex2f(left, -top);
    glVertex2f(left, -(top + height));
    glVertex2f(left + width, -(top + height));
    glVertex2f(left + width, -top);
    glEnd();
}

void Line(const Vector2& from, const Vector2& to, const Color& color)
{
    glColor4f(color.R, color.G, color.B, color.A);
    glBegin(GL_LINES);
    glVertex2f(from.X, from.Y);
    glVertex2f(to.X, to.Y);
    glEnd();
}

void Polygon(const Vector2* points, int count, const Color& color, bool filled)
{
    glColor4f(color.R, color.G, color.B, color.A);
    glBegin(filled ? GL_TRIANGLE_FAN : GL_LINE_LOOP);
    for (int i = 0; i < count; ++i)
        glVertex2f(points[i].X, points[i].Y);
    glEnd();
}

std::vector<std::uint8_t> ReadPixels(int x, int y, int width, int height, bool front)
{
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glReadBuffer(front ? GL_FRONT : GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void SetColor(const Color& color) { glColor4f(color.R, color.G, color.B, color.A); }

void QuadBatch(const std::vector<BatchQuad>& quads, float rotation, const Vector2& size, int texture)
{
    if (quads.empty())
        return;

    struct Vertex
    {
        GLfloat x, y, u, v, r, g, b, a;
    };
    // Kept between calls so a steady batch allocates nothing.
    static std::vector<Vertex> vertices;
    vertices.resize(quads.size() * 4);

    // Transformed here rather than by the matrix stack: per-quad matrix and begin/end
    // calls cost ten times as much in Mesa.
    const float radians = rotation * 0.01745329f;
    const float cosine = std::cos(radians);
    const float sine = std::sin(radians);
    // Corners in the order of Quad: upper right, upper left, lower left, lower right.
    static const float cornerX[4] = {0.5f, -0.5f, -0.5f, 0.5f};
    static const float cornerY[4] = {0.5f, 0.5f, -0.5f, -0.5f};
    Vertex* out = vertices.data();
    for (const BatchQuad& quad : quads)
    {
        const float width = size.X * quad.scale;
        const float height = size.Y * quad.scale;
        for (int corner = 0; corner < 4; ++corner)
        {
            const float x = cornerX[corner] * width;
            const float y = cornerY[corner] * height;
            *out++ = {quad.center.X + cosine * x - sine * y,
                      quad.center.Y + sine * x + cosine * y,
                      cornerX[corner] + 0.5f,
                      cornerY[corner] + 0.5f,
                      quad.color.R,
                      quad.color.G,
                      quad.color.B,
                      quad.color.A};
        }
    }

    if (texture >= 0)
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].u);
    glColorPointer(4, GL_FLOAT, sizeof(Vertex), &vertices[0].r);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertices.size()));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    if (texture >= 0)
        glDisable(GL_TEXTURE_2D);
}

void SetDepthTest(bool on)
{
    if (on)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
}
} // namespace Draw
