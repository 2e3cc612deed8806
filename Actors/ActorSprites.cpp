#include "Actors/Actor.h"

#include "Actors/SpriteSeries.h"
#include "Platform/Log.h"

#include <algorithm>
#include <cstddef>

namespace
{
int ClampFrame(int frame, int frameCount) { return std::max(0, std::min(frame, frameCount - 1)); }

// More frame steps than this in one update are meaningless on screen; the cap keeps a
// tiny delay (or one lost in float rounding) from stalling the frame.
constexpr int maxFrameStepsPerUpdate = 4 * MAX_SPRITE_FRAMES;
} // namespace

bool Actor::SetSprite(const String& filename, int frame, GLint clampmode, GLint filtermode, bool optional)
{
    const int texture = AcquireTexture(filename, clampmode, filtermode, optional);
    if (texture < 0)
        return false;
    frame = std::max(0, std::min(frame, MAX_SPRITE_FRAMES - 1));
    if (frame >= spriteNumFrames)
        spriteNumFrames = frame + 1;
    // Slots between the old count and this one read as empty until set.
    if (static_cast<size_t>(frame) >= spriteTextureReferences.size())
        spriteTextureReferences.resize(static_cast<size_t>(frame) + 1, -1);
    spriteTextureReferences[static_cast<size_t>(frame)] = texture;
    return true;
}

int Actor::SpriteTextureAt(int frame) const
{
    if (frame < 0 || static_cast<size_t>(frame) >= spriteTextureReferences.size())
        return -1;
    return spriteTextureReferences[static_cast<size_t>(frame)];
}

void Actor::ClearSpriteInfo()
{
    const size_t inUse = std::min(spriteTextureReferences.size(), static_cast<size_t>(std::max(0, spriteNumFrames)));
    const auto end = spriteTextureReferences.begin() + static_cast<std::ptrdiff_t>(inUse);
    std::fill(spriteTextureReferences.begin(), end, -1);
    spriteAnimType = SAT_None;
    spriteFrameDelay = 0.0f;
    spriteCurrentFrame = 0;
}

void Actor::SetSpriteFrame(int frame)
{
    frame = ClampFrame(frame, spriteNumFrames);
    if (SpriteTextureAt(frame) == -1)
        SystemLogInstance().Log("setSpriteFrame() - Warning: frame(" + std::to_string(frame) +
                                ") has an invalid texture reference.");
    spriteCurrentFrame = frame;
}

int Actor::GetSpriteTexture(int frame) const
{
    frame = std::min(frame, spriteNumFrames - 1);
    return SpriteTextureAt(frame < 0 ? 0 : frame);
}

int Actor::LoadSpriteFrames(const String& firstFilename, GLint clampmode, GLint filtermode)
{
    spriteNumFrames = 0;

    SpriteSeriesName series;
    if (!ParseSpriteSeriesName(firstFilename, series))
    {
        SystemLogInstance().Log("LoadSpriteFrames() - Bad FileName Format - Expecting somename_###.ext");
        SystemLogInstance().Log("Attempting to load single texture: " + firstFilename);
        return SetSprite(firstFilename, 0, clampmode, filtermode) ? 1 : 0;
    }

    String number = series.number;
    int loaded = 0;
    while (SetSprite(series.prefix + number + series.suffix, spriteNumFrames, clampmode, filtermode, true))
    {
        // Counted before the limit stops the series, so a full table reports all 64
        // frames: callers use the result as the number of frames to show.
        ++loaded;
        if (spriteNumFrames >= MAX_SPRITE_FRAMES)
        {
            SystemLogInstance().Log("Maximum number of frames reached (" + std::to_string(MAX_SPRITE_FRAMES) +
                                    "). Bailing out...");
            SystemLogInstance().Log("Increment MAX_SPRITE_FRAMES if you need more.");
            break;
        }
        number = NextSeriesNumber(number);
    }
    if (loaded == 0)
        SystemLogInstance().Log("LoadSpriteFrames() - Could not load file (bad image format?) " + firstFilename);
    return loaded;
}

void Actor::PlaySpriteAnimation(float delay, spriteAnimationType animType, int startFrame, int endFrame,
                                const char* animName)
{
    startFrame = ClampFrame(startFrame, spriteNumFrames);
    endFrame = ClampFrame(endFrame, spriteNumFrames);
    spriteFrameDelay = delay;
    spriteCurrentFrameDelay = delay;
    spriteCurrentFrame = spriteAnimStartFrame = startFrame;
    spriteAnimEndFrame = endFrame;
    spriteAnimDirection = startFrame <= endFrame ? 1 : -1;
    spriteAnimType = animType;
    if (animName)
        currentAnimName = animName;
}

void Actor::UpdateSpriteAnimation(float dt)
{
    if (!(spriteFrameDelay > 0.0f))
        return;
    spriteCurrentFrameDelay -= dt;
    bool ended = false;
    int steps = 0;
    while (spriteCurrentFrameDelay < 0.0f)
    {
        if (++steps > maxFrameStepsPerUpdate)
        {
            spriteCurrentFrameDelay = spriteFrameDelay;
            break;
        }
        ended = StepSpriteFrame() || ended;
        spriteCurrentFrameDelay += spriteFrameDelay;
    }
    // Reported once the stepping is done: the handler may start the next animation,
    // which the rest of this loop would otherwise cut short or delay.
    if (ended && !currentAnimName.empty())
        OnSpriteAnimationEnd(currentAnimName);
}

bool Actor::StepSpriteFrame()
{
    const int low = std::min(spriteAnimStartFrame, spriteAnimEndFrame);
    const int high = std::max(spriteAnimStartFrame, spriteAnimEndFrame);
    if (spriteAnimType == SAT_None)
        return false;
    // SetSpriteFrame may have moved the frame out of the animation's range; stepping on
    // from there could walk past the frame table.
    if (spriteCurrentFrame < low || spriteCurrentFrame > high)
    {
        spriteCurrentFrame = spriteAnimStartFrame;
        return false;
    }

    switch (spriteAnimType)
    {
    case SAT_Loop:
        // A start above the end loops downward.
        if (spriteCurrentFrame == spriteAnimEndFrame)
            spriteCurrentFrame = spriteAnimStartFrame;
        else
            spriteCurrentFrame += spriteAnimDirection;
        break;
    case SAT_PingPong:
        // Bounces between the lower and the higher bound whichever is the start; a
        // single-frame range stays put.
        if (low == high)
            break;
        if (spriteAnimDirection > 0)
        {
            if (spriteCurrentFrame >= high)
            {
                spriteAnimDirection = -1;
                spriteCurrentFrame = high - 1;
            }
            else
                ++spriteCurrentFrame;
        }
        else
        {
            if (spriteCurrentFrame <= low)
            {
                spriteAnimDirection = 1;
                spriteCurrentFrame = low + 1;
            }
            else
                --spriteCurrentFrame;
        }
        break;
    case SAT_OneShot:
        if (spriteCurrentFrame == spriteAnimEndFrame)
        {
            spriteAnimType = SAT_None;
            return true;
        }
        spriteCurrentFrame += spriteAnimDirection;
        break;
    default:
        break;
    }
    return false;
}
