#include "Platform/Draw.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace
{
struct Vertex
{
    GLfloat x, y, u, v;
    // Floats, as the shapes drawn one by one give them: bytes would round a colour
    // differently and shift blended pixels by a step.
    GLfloat rgba[4];
};

// Shapes waiting for one draw call. They all share the texture and the primitive; the
// vertices are already in the space of the current model-view matrix.
struct Batch
{
    std::unique_ptr<Vertex[]> vertices;
    size_t count = 0;
    size_t capacity = 0;
    int texture = -1;
    GLenum primitive = GL_QUADS;
};

Batch batch;
bool batching = true;

// A disc's rim has 8, 16 or 32 segments, batched or not: the fewest that keep every
// chord within MaxRimGapPixels of the true circle on the screen (8 up to about 6 pixels
// across, 16 up to about 26), and 32 beyond and where the scale on the screen is not known.
constexpr int DiscSizes = 3;
constexpr int MaxRimSegments = 32;
constexpr float MaxRimGapPixels = 0.25f;
// A batched disc is made of the rim points alone, from angle 0 round to a full turn. The
// last one is computed like the others rather than copied from the first, as the fan
// drawn one shape at a time computes it, so that both ways outline the same polygon.
constexpr int MaxRimPoints = MaxRimSegments + 1;
constexpr int MaxDiscCorners = 3 * (MaxRimSegments - 1);

// A unit disc, worked out once: its rim points (two trigonometric calls each, which
// every disc of every frame used to make) and its triangles' corners as rim points.
//
// The triangles halve the rim: each pair of neighbouring segments closes into a triangle
// (16 of them for 32 segments), then each pair of the chords so made (8), and so on down
// to one. They cover exactly the pixels of a fan from the centre: the outline is the
// same, and GL fills a pixel on an edge two triangles share only once. But the fan's
// slivers all meet at the centre, and a software rasteriser pays for every triangle in
// every block of pixels it touches: for discs of a few pixels these take about a third
// less rasterising work.
struct UnitDisc
{
    explicit UnitDisc(int rimSegments) : segments(rimSegments), points(rimSegments + 1), cornerCount(0)
    {
        for (int i = 0; i < points; ++i)
        {
            const float angle = static_cast<float>(i) * 6.283185f / static_cast<float>(segments);
            x[i] = 0.5f * std::cos(angle);
            y[i] = 0.5f * std::sin(angle);
        }
        for (int stride = 1; stride < segments; stride *= 2)
        {
            for (int first = 0; first + 2 * stride <= segments; first += 2 * stride)
            {
                corners[cornerCount++] = first;
                corners[cornerCount++] = first + stride;
                corners[cornerCount++] = first + 2 * stride;
            }
        }
        // How far a chord's middle lies inside the circle, per unit of radius.
        gapPerRadius = 1.0f - std::cos(3.1415927f / static_cast<float>(segments));
    }
    int segments;
    int points;
    int cornerCount;
    float gapPerRadius;
    float x[MaxRimPoints];
    float y[MaxRimPoints];
    // Counter-clockwise, as the rim goes, so back-face culling keeps them.
    int corners[MaxDiscCorners];
};

// The disc a shape of this transform is drawn with now.
const UnitDisc& DiscFor(const Draw::Transform& transform)
{
    static const UnitDisc discs[DiscSizes] = {UnitDisc(8), UnitDisc(16), UnitDisc(MaxRimSegments)};
    const float radius =
        0.5f * std::max(std::fabs(transform.scale.X), std::fabs(transform.scale.Y)) * Draw::GetPixelsPerUnit();
    for (const UnitDisc& disc : discs)
    {
        // A scale that is not known (0) or not a number never passes: the finest disc.
        if (radius > 0.0f && radius * disc.gapPerRadius <= MaxRimGapPixels)
            return disc;
    }
    return discs[DiscSizes - 1];
}

void Pack(const Color& color, GLfloat* out)
{
    out[0] = color.R;
    out[1] = color.G;
    out[2] = color.B;
    out[3] = color.A;
}

// Room for `count` more vertices of this texture and primitive, after drawing what
// was collected for another.
Vertex* Reserve(int texture, GLenum primitive, size_t count)
{
    if (batch.count > 0 && (batch.texture != texture || batch.primitive != primitive))
        Draw::Flush();
    batch.texture = texture;
    batch.primitive = primitive;
    if (batch.count + count > batch.capacity)
    {
        size_t grown = batch.capacity ? batch.capacity * 2 : 4096;
        while (grown < batch.count + count)
            grown *= 2;
        auto larger = std::make_unique<Vertex[]>(grown);
        if (batch.count > 0)
            std::memcpy(larger.get(), batch.vertices.get(), batch.count * sizeof(Vertex));
        batch.vertices = std::move(larger);
        batch.capacity = grown;
    }
    Vertex* out = batch.vertices.get() + batch.count;
    batch.count += count;
    return out;
}

// Maps a point of the unit shape through the transform: scale, then rotate, then move.
struct CornerMapper
{
    explicit CornerMapper(const Draw::Transform& transform)
        : originX(transform.position.X), originY(transform.position.Y), scaleX(transform.scale.X),
          scaleY(transform.scale.Y)
    {
        const float radians = transform.rotation * 0.017453292f;
        cosine = std::cos(radians);
        sine = std::sin(radians);
    }
    void Map(float unitX, float unitY, Vertex& out) const
    {
        const float x = unitX * scaleX;
        const float y = unitY * scaleY;
        out.x = originX + cosine * x - sine * y;
        out.y = originY + sine * x + cosine * y;
    }
    float originX, originY, scaleX, scaleY, cosine = 1.0f, sine = 0.0f;
};

// The shapes one at a time, each with its own matrix and texture switch.
void BeginImmediate(const Draw::Transform& transform, const Color& color, int texture)
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

void EndImmediate(int texture)
{
    if (texture >= 0)
        glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

void ImmediateQuad(const Draw::Transform& transform, const Color& color, int texture, const Vector2& uvLowerLeft,
                   const Vector2& uvUpperRight)
{
    BeginImmediate(transform, color, texture);
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
    EndImmediate(texture);
}

void ImmediateDisc(const Draw::Transform& transform, const Color& color, int texture)
{
    BeginImmediate(transform, color, texture);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(0.0f, 0.0f);
    const UnitDisc& disc = DiscFor(transform);
    for (int i = 0; i < disc.points; ++i)
        glVertex2f(disc.x[i], disc.y[i]);
    glEnd();
    EndImmediate(texture);
}
} // namespace

namespace Draw
{
void Flush()
{
    if (batch.count == 0)
        return;
    const bool textured = batch.texture >= 0;
    if (textured)
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(batch.texture));
    }
    const Vertex* first = batch.vertices.get();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &first->x);
    glColorPointer(4, GL_FLOAT, sizeof(Vertex), first->rgba);
    if (textured)
    {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &first->u);
    }
    glDrawArrays(batch.primitive, 0, static_cast<GLsizei>(batch.count));
    if (textured)
    {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisable(GL_TEXTURE_2D);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    batch.count = 0;
}

void SetBatching(bool on)
{
    Flush();
    batching = on;
}

bool IsBatching() { return batching; }

void Quad(const Transform& transform, const Color& color, int texture, const Vector2& uvLowerLeft,
          const Vector2& uvUpperRight)
{
    if (!batching)
    {
        ImmediateQuad(transform, color, texture, uvLowerLeft, uvUpperRight);
        return;
    }
    GLfloat rgba[4];
    Pack(color, rgba);
    const CornerMapper mapper(transform);
    Vertex* out = Reserve(texture, GL_QUADS, 4);
    // Counter-clockwise from the upper right, so back-face culling keeps the quad.
    const float unitX[4] = {0.5f, -0.5f, -0.5f, 0.5f};
    const float unitY[4] = {0.5f, 0.5f, -0.5f, -0.5f};
    const float u[4] = {uvUpperRight.X, uvLowerLeft.X, uvLowerLeft.X, uvUpperRight.X};
    const float v[4] = {uvUpperRight.Y, uvUpperRight.Y, uvLowerLeft.Y, uvLowerLeft.Y};
    for (int corner = 0; corner < 4; ++corner)
    {
        mapper.Map(unitX[corner], unitY[corner], out[corner]);
        out[corner].u = u[corner];
        out[corner].v = v[corner];
        std::memcpy(out[corner].rgba, rgba, sizeof rgba);
    }
}

void Disc(const Transform& transform, const Color& color, int texture)
{
    if (!batching)
    {
        ImmediateDisc(transform, color, texture);
        return;
    }
    GLfloat rgba[4];
    Pack(color, rgba);
    const CornerMapper mapper(transform);
    const UnitDisc& disc = DiscFor(transform);
    Vertex rim[MaxRimPoints];
    for (int i = 0; i < disc.points; ++i)
    {
        mapper.Map(disc.x[i], disc.y[i], rim[i]);
        // A disc has no texture coordinates of its own; a textured one shows the texel
        // the corner after a quad's last one left current, as it always has.
        rim[i].u = 1.0f;
        rim[i].v = 0.0f;
        std::memcpy(rim[i].rgba, rgba, sizeof rgba);
    }
    // Separate triangles rather than a fan, so that discs batch with each other. (Giving
    // shared corners once, with indices, costs the software renderer more than it saves.)
    Vertex* out = Reserve(texture, GL_TRIANGLES, static_cast<size_t>(disc.cornerCount));
    for (int i = 0; i < disc.cornerCount; ++i)
        out[i] = rim[disc.corners[i]];
}

int DiscSegments(const Transform& transform) { return DiscFor(transform).segments; }

void DisplayList(const Transform& transform, const Color& color, int texture, int list)
{
    // The list holds its own GL calls, which the batch can't see into.
    Flush();
    const bool depthTested = IsDepthTestOn();
    if (depthTested)
    {
        PrepareDepthBuffer();
        glEnable(GL_DEPTH_TEST);
    }
    BeginImmediate(transform, color, texture);
#ifdef __EMSCRIPTEN__
    // The browser's GL has no display lists; an actor drawn with one stays invisible.
    (void)list;
#else
    if (list >= 0)
        glCallList(static_cast<GLuint>(list));
#endif
    EndImmediate(texture);
    if (depthTested)
        glDisable(GL_DEPTH_TEST);
}

void ScreenRect(float left, float top, float width, float height, const Color& color)
{
    // In screen space y grows upward from the translated origin, so "down" is negative.
    const float xs[4] = {left, left, left + width, left + width};
    const float ys[4] = {-top, -(top + height), -(top + height), -top};
    if (!batching)
    {
        glColor4f(color.R, color.G, color.B, color.A);
        glBegin(GL_QUADS);
        for (int corner = 0; corner < 4; ++corner)
            glVertex2f(xs[corner], ys[corner]);
        glEnd();
        return;
    }
    GLfloat rgba[4];
    Pack(color, rgba);
    Vertex* out = Reserve(-1, GL_QUADS, 4);
    for (int corner = 0; corner < 4; ++corner)
    {
        out[corner] = Vertex{xs[corner], ys[corner], 0.0f, 0.0f, {}};
        std::memcpy(out[corner].rgba, rgba, sizeof rgba);
    }
}

void QuadBatch(const std::vector<BatchQuad>& quads, float rotation, const Vector2& size, int texture)
{
    if (quads.empty())
        return;
    const float radians = rotation * 0.017453292f;
    const float cosine = std::cos(radians);
    const float sine = std::sin(radians);
    // Corners in the order of Quad: upper right, upper left, lower left, lower right.
    static const float cornerX[4] = {0.5f, -0.5f, -0.5f, 0.5f};
    static const float cornerY[4] = {0.5f, 0.5f, -0.5f, -0.5f};
    Vertex* out = Reserve(texture, GL_QUADS, quads.size() * 4);
    for (const BatchQuad& quad : quads)
    {
        const float width = size.X * quad.scale;
        const float height = size.Y * quad.scale;
        GLfloat rgba[4];
        Pack(quad.color, rgba);
        for (int corner = 0; corner < 4; ++corner)
        {
            const float x = cornerX[corner] * width;
            const float y = cornerY[corner] * height;
            out->x = quad.center.X + cosine * x - sine * y;
            out->y = quad.center.Y + sine * x + cosine * y;
            out->u = cornerX[corner] + 0.5f;
            out->v = cornerY[corner] + 0.5f;
            std::memcpy(out->rgba, rgba, sizeof rgba);
            ++out;
        }
    }
    // Particles were always one array per system; unbatched they still are.
    if (!batching)
        Flush();
}
} // namespace Draw
