#include "Game/SuitScreenTutorial.h"

#include "Actors/Actor.h"
#include "Game/GameControls.h"
#include "Game/KeyCaps.h"
#include "Game/KeyLabels.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "Platform/KeyCodes.h"
#include "Platform/ScreenMath.h"

#include <algorithm>
#include <cmath>

namespace
{
const char* const FirstPage = "Resources/Images/Tutorial_001.png";
constexpr float PageDelay = 0.3f;
// The picture is shown 1027 pixels wide, centred: a little wider than the window.
constexpr float PictureWidth = 1027.0f;
constexpr float PageWidth = 1024.0f;
// Where the walking keys' rows start, right of "Walk:".
constexpr float KeysRowLeft = 666.0f;
constexpr int PadA = 1000;
const char* const Font = "Console";
const Color Ink(0.13f, 0.13f, 0.18f, 1.0f);
const Color SoftInk(0.36f, 0.38f, 0.44f, 1.0f);

// A picture's pixel column to the window's.
float PageX(float x) { return PageWidth / 2.0f + (x - PageWidth / 2.0f) * PictureWidth / PageWidth; }

// Draws a word at a baseline; returns its width.
float Words(const String& text, float left, float baseline, const Color& color)
{
    Draw::SetColor(color);
    DrawScreenText(text, Font, static_cast<int>(std::lround(left)), static_cast<int>(std::lround(baseline)));
    return MeasureText(text, Font).X;
}

std::vector<String> Labels(const std::vector<int>& keys)
{
    std::vector<String> labels;
    for (int key : keys)
        labels.push_back(KeyLabels::Of(key));
    return labels;
}

// The keys that lie, and the pad's buttons that do while it is there.
std::vector<int> LieKeys()
{
    std::vector<int> keys = KeyLabels::KeyboardKeysOf(GA_Lie);
    if (KeyLabels::IsPadConnected())
    {
        const std::vector<int> buttons = KeyLabels::PadButtonsOf(GA_Lie);
        keys.insert(keys.end(), buttons.begin(), buttons.end());
    }
    return keys;
}

const std::vector<int> Arrows = {KeyCodes::KEY_UP, KeyCodes::KEY_DOWN, KeyCodes::KEY_LEFT, KeyCodes::KEY_RIGHT};

// The walking keys as a keyboard shows them: a row of the first key of each direction,
// a row of the second, and so on; letters in their keyboard order (W A S D), the arrows
// in theirs (Up Down Left Right).
std::vector<std::vector<int>> WalkingKeyRows()
{
    const std::vector<int> byDirection[] = {
        KeyLabels::KeyboardKeysOf(GA_MoveUp), KeyLabels::KeyboardKeysOf(GA_MoveLeft),
        KeyLabels::KeyboardKeysOf(GA_MoveDown), KeyLabels::KeyboardKeysOf(GA_MoveRight)};
    std::vector<std::vector<int>> rows;
    for (size_t row = 0;; ++row)
    {
        std::vector<int> keys;
        for (const std::vector<int>& direction : byDirection)
            if (row < direction.size())
                keys.push_back(direction[row]);
        if (keys.empty())
            return rows;
        if (std::is_permutation(keys.begin(), keys.end(), Arrows.begin(), Arrows.end()))
            keys = Arrows;
        rows.push_back(keys);
    }
}

// "the arrow keys or W A S D", from the bindings.
String WalkingKeysInWords()
{
    std::vector<String> groups;
    for (const std::vector<int>& keys : WalkingKeyRows())
    {
        if (keys == Arrows)
        {
            groups.push_back("the arrow keys");
            continue;
        }
        String group;
        for (int key : keys)
            group += (group.empty() ? "" : " ") + KeyLabels::Of(key);
        groups.push_back(group);
    }
    if (KeyLabels::IsPadConnected())
        groups.push_back("the left stick");
    return KeyLabels::Alternatives(groups);
}
} // namespace

void SuitScreenTutorial::Start()
{
    inputDelay = 0.1f;
    page = 0;
    auto* pages = new Actor();
    pages->SetPosition(0.0f, 0.0f);
    pages->SetSize(MathKit::PixelLengthToWorld(1027.0f), MathKit::PixelLengthToWorld(768.0f));
    pageCount = pages->LoadSpriteFrames(FirstPage, GL_CLAMP, GL_LINEAR);
    if (pageCount > 0)
        pages->SetSprite(FirstPage, 0, GL_CLAMP, GL_LINEAR);
    else
        pages->SetAlpha(0.0f);
    World::GetInstance().Add(pages, 0);
    image = pages;
}

void SuitScreenTutorial::Stop()
{
    if (image)
        image->Destroy();
    image = {};
}

void SuitScreenTutorial::Update(float dt)
{
    if (inputDelay > 0.0f)
    {
        inputDelay -= dt;
        return;
    }
    if (!GameControls::IsHeld(GA_Lie) && !IsPadAPressed())
        return;
    ++page;
    inputDelay = PageDelay;
    if (page > pageCount)
    {
        Switchboard::GetInstance().Broadcast(new Message("Back"));
        return;
    }
    // Pages are numbered from 1 with two zeros in front: only nine fit the pattern.
    if (image)
        image->SetSprite("Resources/Images/Tutorial_00" + std::to_string(page) + ".png", 0, GL_CLAMP, GL_LINEAR);
}

void SuitScreenTutorial::Render()
{
    if (pageCount > 0)
        return;
    // Without its pictures the tutorial still tells the player what to do.
    const String walk = "Walk with " + WalkingKeysInWords() + ".";
    const String lie =
        "Hold " + KeyLabels::Alternatives(Labels(LieKeys())) + " to lie: consumers in the red circle follow you";
    const String back = "Press " + KeyLabels::Alternatives(Labels(PageKeys())) + " to return to the menu.";
    const String lines[] = {
        "How to play",
        "",
        walk,
        lie,
        "and pay you a dollar a second. Pick up the big dollars.",
        "Lying drains your lie meter; run it dry and you are busted.",
        "Three busts, or no consumers left, and the game is over.",
        "",
        back,
    };
    Draw::SetColor(Color(0.1f, 0.1f, 0.2f, 1.0f));
    int row = 220;
    for (const String& line : lines)
    {
        DrawScreenText(line, "Console", 512 - static_cast<int>(MeasureText(line, "Console").X / 2.0f), row);
        row += 40;
    }
}

int SuitScreenTutorial::ShownPage() const { return std::max(page, 1); }

std::vector<int> SuitScreenTutorial::PageKeys()
{
    std::vector<int> keys = LieKeys();
    // Pad A turns the page whatever the bindings say.
    if (KeyLabels::IsPadConnected() && std::find(keys.begin(), keys.end(), PadA) == keys.end())
        keys.push_back(PadA);
    return keys;
}

void SuitScreenTutorial::RenderOverlay()
{
    if (pageCount <= 0 || page > pageCount)
        return;
    if (ShownPage() == 1)
        DrawWalkKeys();
    else if (ShownPage() == 2)
        DrawLieKeys();
    DrawFooter();
}

void SuitScreenTutorial::DrawWalkKeys() const
{
    const float left = PageX(KeysLeft);
    Words("Walk:", left, WalkKeysTop + 27.0f, SoftInk);
    float top = WalkKeysTop;
    for (const std::vector<int>& keys : WalkingKeyRows())
    {
        KeyCaps::DrawRow(keys, PageX(KeysRowLeft), top);
        top += KeyCaps::Height + 12.0f;
    }
    if (KeyLabels::IsPadConnected())
        Words("or the left stick", PageX(KeysRowLeft), top + 26.0f, SoftInk);
}

void SuitScreenTutorial::DrawLieKeys() const
{
    float x = PageX(KeysLeft);
    Words("Lie:", x, LieKeysTop + 27.0f, SoftInk);
    x = PageX(KeysLeft + 62.0f);
    const std::vector<int> keys = KeyLabels::KeyboardKeysOf(GA_Lie);
    x = KeyCaps::DrawRow(keys, x, LieKeysTop);
    if (KeyLabels::IsPadConnected())
    {
        if (!keys.empty())
            x += Words("or", x + 12.0f, LieKeysTop + 27.0f, SoftInk) + 24.0f;
        x = KeyCaps::DrawRow(KeyLabels::PadButtonsOf(GA_Lie), x, LieKeysTop);
    }
    Words("held", x + 12.0f, LieKeysTop + 27.0f, SoftInk);
}

void SuitScreenTutorial::DrawFooter() const
{
    const String next = page < pageCount ? "next page" : "back to the menu";
    std::vector<int> keys;
    std::vector<int> buttons;
    for (int key : PageKeys())
        (KeyLabels::IsPadButton(key) ? buttons : keys).push_back(key);
    const float orWidth = buttons.empty() || keys.empty() ? 0.0f : MeasureText("or", Font).X + 24.0f;
    const float width =
        KeyCaps::RowWidth(keys) + orWidth + KeyCaps::RowWidth(buttons) + 14.0f + MeasureText(next, Font).X;
    float x = PageX(FooterRight) - width;
    x = KeyCaps::DrawRow(keys, x, FooterKeysTop);
    if (orWidth > 0.0f)
        x += Words("or", x + 12.0f, FooterKeysTop + 28.0f, SoftInk) + 24.0f;
    x = KeyCaps::DrawRow(buttons, x, FooterKeysTop);
    Words(next, x + 14.0f, FooterKeysTop + 28.0f, Ink);
}
