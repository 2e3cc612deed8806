#include "Game/AlmightyDollar.h"

#include "Game/PlayField.h"
#include "Util/MathKit.h"

#include <cstdio>
#include <cstdlib>

namespace
{
constexpr float FrameSeconds = 0.175f;
constexpr int PictureCount = 6;
constexpr float DollarSize = 0.75f;
} // namespace

AlmightyDollar::AlmightyDollar(PlayField& playField) : frame(MathKit::RandomIntBelow(5)), field(playField)
{
    SetSize(DollarSize);
    // The picture of the starting frame from the first drawing on: without one the
    // dollar would show as a plain white square until its first advance.
    ShowFrame();
}

void AlmightyDollar::Update(float dt)
{
    frameTime += dt;
    if (frameTime > FrameSeconds)
    {
        frameTime -= FrameSeconds;
        frame = (frame + 1) % PictureCount;
        ShowFrame();
    }
}

void AlmightyDollar::ShowFrame()
{
    char fileName[60];
    std::snprintf(fileName, sizeof(fileName), "Resources/Images/dollar%d.png", frame + 1);
    SetSprite(fileName, 0, GL_CLAMP, GL_LINEAR);
}

void AlmightyDollar::SetPosition(float x, float y)
{
    Actor::SetPosition(x, y);
    const float half = DollarSize / 2.0f;
    boxMin = Vector2(x - half, y - half);
    boxMax = Vector2(x + half, y + half);
}

void AlmightyDollar::PreDestroy() { field.ForgetDollar(this); }
