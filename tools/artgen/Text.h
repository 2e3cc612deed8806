#pragma once

#include "Canvas.h"

#include <string>
#include <vector>

// Text for the tutorial pages, rendered with FreeType from the font the game uses, at a
// size in pixels on a canvas with one design unit per pixel.
namespace Art
{
class Font
{
public:
    // Logs nothing; check IsOpen.
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    bool IsOpen() const { return face != nullptr; }
    // The advance of the whole text in pixels.
    float Width(const std::string& text, int pixelSize) const;
    // Draws one line with its baseline at `baseline`, starting at `left`.
    void Draw(Canvas& canvas, const std::string& text, float left, float baseline, int pixelSize,
              const Rgba& color) const;
    void DrawCentred(Canvas& canvas, const std::string& text, float centre, float baseline, int pixelSize,
                     const Rgba& color) const;
    // Breaks the text into lines no wider than `width` at spaces ("\n" forces a break).
    std::vector<std::string> Wrap(const std::string& text, float width, int pixelSize) const;

private:
    void* library = nullptr;
    void* face = nullptr;
};
} // namespace Art
