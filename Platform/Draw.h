#pragma once

#include "Util/Color.h"
#include "Util/Vector2.h"

#include <cstdint>
#include <vector>

// The one place that talks to OpenGL for the engine's shapes and frame state.
// Textures are GL texture names; -1 means untextured.
//
// Quads, discs and screen rectangles are not drawn at once: their corners are moved on
// the CPU and collected, and shapes that share a texture go to the driver in one call.
// Every other function here (matrices, depth test, glyphs, lines, read-back, the frame's
// start and end) first draws what was collected, so the picture keeps its order.
namespace Draw
{
// Where a unit shape lands: translated, rotated (degrees, counter-clockwise) and scaled.
struct Transform
{
    Vector2 position;
    float rotation = 0.0f;
    Vector2 scale = Vector2(1.0f, 1.0f);
};

// The fixed-function state the engine draws with: flat shading, back-face culling,
// depth test, alpha blending, white clear colour.
void InitState();
// The colour BeginFrame clears to; alpha is ignored.
void SetClearColor(const Color& color);
// Clears colour (depth waits for PrepareDepthBuffer) and saves the model-view matrix;
// EndFrame restores it.
void BeginFrame();
void EndFrame();

// The camera's projection: the viewport in pixels, a perspective of the given vertical
// aperture, and the eye looking at the target. Each flushes what was collected first.
void SetViewport(int width, int height);
// The size last given to SetViewport; 0 x 0 before the first.
int GetViewportWidth();
int GetViewportHeight();
// Vertical aperture in degrees; aspect is width over height.
void SetPerspective(double apertureDegrees, double aspect, double nearClip, double farClip);
// `up` is the direction drawn upwards on the screen.
void SetView(const Vector3& eye, const Vector3& target, const Vector3& up);
// Pixels one unit covers on the screen now: in the plane z = 0 under the camera's
// projection, 1 in screen space, 0 while that is not known (no viewport or projection yet,
// or an eye that looks along the plane).
float GetPixelsPerUnit();

// Draws what has been collected. Call it before anything that draws without this layer.
void Flush();
// Off draws each shape as it comes, one driver call sequence per shape, as the engine
// once did: for comparing pictures and for hunting drawing faults. On by default.
void SetBatching(bool on);
bool IsBatching();

// A unit quad centred on the origin with the given corner texture coordinates.
void Quad(const Transform& transform, const Color& color, int texture, const Vector2& uvLowerLeft,
          const Vector2& uvUpperRight);
// A disc of diameter 1, drawn without texture coordinates. Its rim has as few segments
// as keep the outline within a quarter pixel of a circle on the screen: 8, 16 or 32.
void Disc(const Transform& transform, const Color& color, int texture);
// The rim segments Disc gives a disc with this transform now.
int DiscSegments(const Transform& transform);
// Calls a display list under the transform.
void DisplayList(const Transform& transform, const Color& color, int texture, int list);

// Screen space: window pixels with the origin at the top left and y down. Begin saves
// both matrices and places the origin at (x, y), rotated counter-clockwise by `rotation`
// degrees; End restores them and leaves the model-view matrix selected.
void BeginScreenSpace(float x = 0.0f, float y = 0.0f, float rotation = 0.0f);
void EndScreenSpace();
// Around text rendering: textures on, no depth test; End turns textures off and leaves
// the depth-test setting as it found it.
void BeginGlyphs();
void EndGlyphs();
// A filled rectangle in screen space (inside BeginScreenSpace), top-left corner first.
void ScreenRect(float left, float top, float width, float height, const Color& color);
// Untransformed lines in the current space, for debug drawing.
void Line(const Vector2& from, const Vector2& to, const Color& color);
// A closed outline or, with `filled`, a convex polygon.
void Polygon(const Vector2* points, int count, const Color& color, bool filled);

// RGBA rows bottom-up, as GL reads them. `front` reads the shown buffer instead of
// the one being drawn.
std::vector<std::uint8_t> ReadPixels(int x, int y, int width, int height, bool front = false);
// The same into `pixels`, whose memory is reused when it is already the right size.
void ReadPixelsInto(std::vector<std::uint8_t>& pixels, int x, int y, int width, int height, bool front = false);

// The current colour, for drawing that takes none of its own (text).
void SetColor(const Color& color);

// One quad of a batch: its centre, its size factor and its colour.
struct BatchQuad
{
    Vector2 center;
    float scale = 1.0f;
    Color color;
};
// Unit quads sharing a rotation (degrees), a size and a texture, each moved, scaled and
// coloured on its own, in one draw call: the same pixels as one Quad per entry with
// texture coordinates 0..1, at a fraction of the cost.
void QuadBatch(const std::vector<BatchQuad>& quads, float rotation, const Vector2& size, int texture);
// Overlays drawn last switch depth testing off so the world never hides them. On after
// InitState.
void SetDepthTest(bool on);
// Whether SetDepthTest last turned depth testing on.
bool IsDepthTestOn();
// Clears the depth buffer, once per frame, before the first drawing that tests depth.
void PrepareDepthBuffer();
} // namespace Draw

namespace Draw
{
// A mipmapped 2-D texture from rows stored bottom-up, each padded to 4 bytes, in BGR
// (3 components) or BGRA (4) order. Pass sides that are powers of two: GLU rescales
// others itself, and blacks out rows when only one side changes. Returns the GL texture
// name, or 0 when none could be made (no current GL context, or the upload failed).
unsigned int CreateTexture(const void* pixels, int width, int height, int components, int clampMode, int filterMode);
} // namespace Draw
