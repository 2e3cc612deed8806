#include "Platform/Draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace
{
// The depth test as the engine's callers see it. Every shape this layer draws lies in
// the plane z = 0, where a "less or equal" test passes every fragment, so the GL test
// is only switched on around display lists, which may hold depth of their own. Off
// elsewhere, it saves a depth read and write per pixel.
bool depthTestOn = true;
// The depth buffer is cleared only for the first depth-tested drawing of a frame: most
// frames have none, and clearing depth but not stencil is a masked write of every pixel.
bool depthClearPending = true;
int viewportWidth = 0;
int viewportHeight = 0;
// What the projection's scale follows from: the vertical aperture, and how far the eye is
// from the plane z = 0 along its line of sight (0 when it never meets the plane).
double apertureDegrees = 0.0;
double eyeDistance = 0.0;
// What those give, worked out when one of them changes rather than for every disc drawn.
float worldPixelsPerUnit = 0.0f;
// Screen-space stretches open now: a unit is a pixel there.
int screenSpaceDepth = 0;

void UpdatePixelsPerUnit()
{
    const double halfHeight = eyeDistance * std::tan(apertureDegrees * 3.14159265358979 / 360.0);
    worldPixelsPerUnit =
        (viewportHeight <= 0 || !(halfHeight > 0.0)) ? 0.0f : static_cast<float>(viewportHeight / (2.0 * halfHeight));
}

#ifdef __EMSCRIPTEN__
// The browser's GLU takes gluLookAt's arguments in another order, and the world then
// draws nothing at all: the view is built here, as GLU builds it.
void LookAt(const Vector3& eye, const Vector3& target, const Vector3& up)
{
    const auto normalize = [](float v[3])
    {
        const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (length == 0.0f)
            return;
        for (int i = 0; i < 3; ++i)
            v[i] /= length;
    };
    const auto cross = [](const float a[3], const float b[3], float out[3])
    {
        out[0] = a[1] * b[2] - a[2] * b[1];
        out[1] = a[2] * b[0] - a[0] * b[2];
        out[2] = a[0] * b[1] - a[1] * b[0];
    };
    float forward[3] = {target.X - eye.X, target.Y - eye.Y, target.Z - eye.Z};
    float upward[3] = {up.X, up.Y, up.Z};
    float side[3];
    normalize(forward);
    cross(forward, upward, side);
    normalize(side);
    cross(side, forward, upward);
    const GLfloat m[16] = {side[0], upward[0], -forward[0], 0.0f, side[1], upward[1], -forward[1], 0.0f,
                           side[2], upward[2], -forward[2], 0.0f, 0.0f,    0.0f,      0.0f,        1.0f};
    glMultMatrixf(m);
    glTranslatef(-eye.X, -eye.Y, -eye.Z);
}
#endif
} // namespace

namespace Draw
{
void InitState()
{
    glShadeModel(GL_FLAT);
#ifndef __EMSCRIPTEN__
    // The browser's GL fills polygons and corrects perspective anyway, and refuses both.
    glPolygonMode(GL_FRONT, GL_FILL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
#endif
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_DEPTH_TEST);
    depthTestOn = true;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearStencil(0);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void SetClearColor(const Color& color)
{
    Flush();
    glClearColor(color.R, color.G, color.B, 1.0f);
}

void BeginFrame()
{
    Flush();
    glClear(GL_COLOR_BUFFER_BIT);
    depthClearPending = true;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
}

void EndFrame()
{
    Flush();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void SetViewport(int width, int height)
{
    Flush();
    glViewport(0, 0, width, height);
    viewportWidth = width;
    viewportHeight = height;
    UpdatePixelsPerUnit();
}

int GetViewportWidth() { return viewportWidth; }

int GetViewportHeight() { return viewportHeight; }

void SetPerspective(double aperture, double aspect, double nearClip, double farClip)
{
    Flush();
    apertureDegrees = aperture;
    UpdatePixelsPerUnit();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(aperture, aspect, nearClip, farClip);
    glMatrixMode(GL_MODELVIEW);
}

void SetView(const Vector3& eye, const Vector3& target, const Vector3& up)
{
    Flush();
    const double dx = target.X - eye.X, dy = target.Y - eye.Y, dz = target.Z - eye.Z;
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    // Along the line of sight to where it meets z = 0; the screen's middle shows that point.
    eyeDistance = (length > 0.0 && dz != 0.0 && -eye.Z / dz > 0.0) ? -eye.Z / dz * length : 0.0;
    UpdatePixelsPerUnit();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
#ifdef __EMSCRIPTEN__
    LookAt(eye, target, up);
#else
    gluLookAt(eye.X, eye.Y, eye.Z, target.X, target.Y, target.Z, up.X, up.Y, up.Z);
#endif
}

float GetPixelsPerUnit() { return screenSpaceDepth > 0 ? 1.0f : worldPixelsPerUnit; }

void BeginScreenSpace(float x, float y, float rotation)
{
    Flush();
    ++screenSpaceDepth;
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
    Flush();
    if (screenSpaceDepth > 0)
        --screenSpaceDepth;
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void BeginGlyphs()
{
    // The font library draws by itself.
    Flush();
    glEnable(GL_TEXTURE_2D);
}

void EndGlyphs()
{
    // Glyphs never test depth, and the state callers set stays as it was.
    glDisable(GL_TEXTURE_2D);
}

void Line(const Vector2& from, const Vector2& to, const Color& color)
{
    Flush();
    glColor4f(color.R, color.G, color.B, color.A);
    glBegin(GL_LINES);
    glVertex2f(from.X, from.Y);
    glVertex2f(to.X, to.Y);
    glEnd();
}

void Polygon(const Vector2* points, int count, const Color& color, bool filled)
{
    Flush();
    glColor4f(color.R, color.G, color.B, color.A);
    glBegin(filled ? GL_TRIANGLE_FAN : GL_LINE_LOOP);
    for (int i = 0; i < count; ++i)
        glVertex2f(points[i].X, points[i].Y);
    glEnd();
}

std::vector<std::uint8_t> ReadPixels(int x, int y, int width, int height, bool front)
{
    std::vector<std::uint8_t> pixels;
    ReadPixelsInto(pixels, x, y, width, height, front);
    return pixels;
}

void ReadPixelsInto(std::vector<std::uint8_t>& pixels, int x, int y, int width, int height, bool front)
{
    Flush();
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
#ifdef __EMSCRIPTEN__
    // The browser reads only the buffer being drawn, and has no call to choose another.
    (void)front;
#else
    glReadBuffer(front ? GL_FRONT : GL_BACK);
#endif
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

void SetColor(const Color& color)
{
    // Drawing the batch from colour arrays leaves the current colour undefined.
    Flush();
    glColor4f(color.R, color.G, color.B, color.A);
}

void SetDepthTest(bool on)
{
    Flush();
    depthTestOn = on;
}

bool IsDepthTestOn() { return depthTestOn; }

void PrepareDepthBuffer()
{
    if (!depthClearPending)
        return;
    glClear(GL_DEPTH_BUFFER_BIT);
    depthClearPending = false;
}
} // namespace Draw
