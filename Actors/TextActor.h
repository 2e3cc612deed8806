#pragma once

#include "Actors/Actor.h"

#include <vector>

// Scripts pass plain ints, so any int is a valid value; one that names no alignment
// leaves the layout where it was.
enum TextAlignment : int
{
    Align_Left = 0,
    Align_Center = 1,
    Align_Right = 2
};

// One line of a TextActor's text, laid out in window pixels (origin top left, y down).
struct TextLine
{
    String text;
    // Width and height as measured with the actor's font.
    Vector2 extents;
    // The left end of the line's baseline.
    Vector2 position;
};

// Upright multi-line text placed in the world. Lines are laid out in screen pixels from
// the actor's world position whenever the text, font, alignment, spacing or position
// changes, and again when the camera announces "CameraChange". Rotation, size, sprite
// and draw shape play no part.
class TextActor : public Actor
{
public:
    // Black text. A font that isn't registered (yet) measures (0, 0) and draws nothing;
    // the first time text in such a font is drawn, one WARNING line names the nickname.
    // Register the font (AddFont) before making the actor: lines laid out while it was
    // missing keep their (0, 0) extents until the actor is laid out again (any setter
    // below, a move, or a "CameraChange").
    explicit TextActor(const String& fontNickname = "Console", const String& displayString = "",
                       TextAlignment align = Align_Left, int lineSpacing = 5);

    void Render() override;
    void SetPosition(float x, float y) override;
    void SetPosition(const Vector2& pos) override;
    String GetClassName() override { return "TextActor"; }
    void ReceiveMessage(Message* message) override;

    // A registered font nickname (AddFont); lays the lines out again.
    void SetFont(const String& newFont);
    String GetFont() const { return fontNickname; }
    // Splits at every '\n': empty lines between newlines stay, a trailing newline adds
    // no line, and an empty string has no lines.
    void SetDisplayString(const String& newString);
    String GetDisplayString() const { return rawString; }
    // Each line's own width is aligned to the actor's position; lays out again.
    void SetAlignment(TextAlignment newAlignment);
    TextAlignment GetAlignment() const { return alignment; }
    // Extra pixels between lines.
    void SetLineSpacing(int spacing);
    int GetLineSpacing() const { return lineSpacing; }

    // The laid-out lines, top first (hit-tests, tests).
    const std::vector<TextLine>& GetLines() const { return lines; }
    // The text's box in world units, for hit-tests (borders inclusive). A text without
    // lines has an empty box at the actor's position.
    Vector2 GetBoundsLowerLeft() const { return boundsLowerLeft; }
    Vector2 GetBoundsUpperRight() const { return boundsUpperRight; }

private:
    void Layout();

    String fontNickname;
    String rawString;
    TextAlignment alignment = Align_Left;
    std::vector<TextLine> lines;
    int lineSpacing = 5;
    Vector2 boundsLowerLeft;
    Vector2 boundsUpperRight;
};
