#pragma once

#include "Actors/Renderable.h"
#include "Messaging/MessageListener.h"
#include "Platform/TextureCache.h"
#include "Util/Color.h"
#include "Util/StringUtil.h"
#include "Util/Vector2.h"

#include <memory>
#include <set>
#include <vector>

// Any int is a valid value (scripts pass plain numbers): an unknown shape draws the square.
enum actorDrawShape : int
{
    ADS_Square = 0,
    ADS_Circle = 1,
    // Calls the actor's display list; the engine never creates one.
    ADS_CustomList = 2
};

// Any int is a valid value: an unknown type doesn't step.
enum spriteAnimationType : int
{
    SAT_None = 0,
    SAT_Loop = 1,
    SAT_PingPong = 2,
    SAT_OneShot = 3
};

constexpr int MAX_SPRITE_FRAMES = 64;

class Actor;
using ActorList = std::vector<Actor*>;
using ActorSet = std::set<Actor*>;

struct ActorIntervals;

// The common game object: a coloured, optionally textured, rotatable quad or disc with
// timed animations, sprite frames, tags and a unique name.
class Actor : public Renderable, public MessageListener
{
public:
    // Registered nowhere: World::Add gives it its name.
    Actor();
    // Leaves every tag, drops every name it was registered under, unsubscribes.
    ~Actor() override;
    // A copy would carry tags and names that no registry lists it under.
    Actor(const Actor&) = delete;
    Actor& operator=(const Actor&) = delete;

    // Actors alive in the process (a cheap leak check for soaks).
    static long GetLiveCount() { return liveCount; }

    void Update(float dt) override;
    void Render() override;

    // Negative width becomes 0; a height that isn't positive becomes the width.
    void SetSize(float x, float y = -1.0f);
    // Negative components become 0.
    void SetSize(const Vector2& newSize);
    Vector2 GetSize() const { return size; }
    // World units. Subclasses react (TextActor lays out again, PhysicsActor refuses once
    // its body exists).
    virtual void SetPosition(float x, float y);
    virtual void SetPosition(const Vector2& pos);
    Vector2 GetPosition() const { return position; }
    // Degrees, counter-clockwise, not normalised.
    void SetRotation(float newRotation) { rotation = newRotation; }
    float GetRotation() const { return rotation; }
    // Channels are clamped to 0..1.
    void SetColor(float r, float g, float b, float a = 1.0f);
    void SetColor(const Color& newColor) { color = newColor; }
    virtual Color GetColor() const { return color; }
    // Not clamped.
    void SetAlpha(float alpha) { color.A = alpha; }
    float GetAlpha() const { return color.A; }
    // Square or disc; the sprite, if any, is drawn on either.
    void SetDrawShape(actorDrawShape shape) { drawShape = shape; }
    actorDrawShape GetDrawShape() const { return drawShape; }
    // The part of the sprite texture drawn on the square, 0..1 each way (1 is the full
    // image); values past 1 repeat it when the sprite was loaded with GL_REPEAT.
    void SetUVs(const Vector2 lowleft, const Vector2 upright);
    void GetUVs(Vector2& lowleft, Vector2& upright) const;
    // Moves the actor to another layer at the end of the next update walk.
    void SetLayer(int layerIndex);
    void SetLayer(const String& layerName);

    // Timed changes; each replaces the running one of its kind silently. The message,
    // if not empty, is broadcast in the frame the change completes.
    void MoveTo(const Vector2& newPosition, float duration, bool smooth = false,
                const String& onCompletionMessage = "");
    // Degrees, counter-clockwise; not normalised, so 720 turns twice.
    void RotateTo(float newRotation, float duration, bool smooth = false, const String& onCompletionMessage = "");
    // Every channel, alpha included: fade out by changing to the colour with alpha 0.
    void ChangeColorTo(const Color& newColor, float duration, bool smooth = false,
                       const String& onCompletionMessage = "");
    // Width and height; a PhysicsActor's body keeps its size.
    virtual void ChangeSizeTo(const Vector2& newSize, float duration, bool smooth = false,
                              const String& onCompletionMessage = "");
    virtual void ChangeSizeTo(float newSize, float duration, bool smooth = false,
                              const String& onCompletionMessage = "");

    // Sprite frames: up to MAX_SPRITE_FRAMES textures, drawn one at a time.
    // Stores the file's texture in the frame slot (clamped to 0..63), growing the frame
    // count to include it; the current frame doesn't change. Returns false, and changes
    // nothing, when the image can't be loaded (logged unless optional).
    bool SetSprite(const String& filename, int frame = 0, GLint clampmode = GL_CLAMP, GLint filtermode = GL_LINEAR,
                   bool optional = false);
    // Empties every frame slot in use and stops the animation at frame 0.
    void ClearSpriteInfo();
    // Clamped to the frames in use; a slot without texture is logged and still selected.
    // A running animation goes on from there.
    void SetSpriteFrame(int frame);
    int GetSpriteFrame() const { return spriteCurrentFrame; }
    // The texture of the frame (clamped to the frames in use), -1 for none.
    int GetSpriteTexture(int frame = 0) const;
    // Loads the numbered series that starts at firstFilename (name_###.ext; later numbers
    // keep the first one's zero padding) into the slots from 0 until a file is missing
    // or 64 frames are loaded. Returns the number of frames loaded. A name not of that
    // form is logged and loaded as a single frame.
    int LoadSpriteFrames(const String& firstFilename, GLint clampmode = GL_CLAMP, GLint filtermode = GL_LINEAR);
    // Steps from startFrame to endFrame (each clamped to the frames in use, so -1 means
    // frame 0) every `delay` seconds. A null animName keeps the previous name; a named
    // one-shot reports its end through OnSpriteAnimationEnd.
    void PlaySpriteAnimation(float delay, spriteAnimationType animType = SAT_Loop, int startFrame = -1,
                             int endFrame = -1, const char* animName = nullptr);
    // False once a one-shot has ended or nothing was started.
    bool IsSpriteAnimPlaying() const { return spriteFrameDelay > 0.0f; }

    // Tags are split at commas and spaces and stored lower-case: after Tag("Enemy") the
    // actor carries "enemy", and IsTagged("Enemy") is false. Query in lower case.
    void Tag(const String& newTag);
    // Removes exactly oldTag (no splitting or case folding).
    void Untag(const String& oldTag);
    // Exact comparison: a tag with capitals never matches what Tag stored, and the first
    // such query of each tag logs a WARNING (TagCollection::WarnIfCapitals).
    bool IsTagged(const String& tag) const;
    StringSet GetTags() const { return tags; }

    // Override to chain animations: called when a named one-shot reaches its last frame.
    virtual void OnSpriteAnimationEnd(const String& animName) { (void)animName; }
    // Called by World::ResetWorld on actors that survive it.
    virtual void WorldReset() {}
    // The name actors registered without one are given. Not const: a subclass overriding
    // it with a const member would only hide it, which -Woverloaded-virtual reports.
    virtual String GetClassName() { return "Actor"; }

    // Registers the actor under the first free name of the form Name, Name1, Name2, ...
    // (the class name when newName is empty; first letter upper-cased) and returns it.
    // Earlier names stay registered. The first World::Add registers the actor once more
    // under its name, which it has then taken itself: SetName("Ball") before Add ends as
    // "Ball1", and subscriptions to "CollisionWithBall" miss. Call it after World::Add.
    String SetName(const String& newName);
    String GetName() const { return name; }
    // World::Add's naming: the first add registers the actor under its name (the class
    // name if it has none), numbered when that is taken; later adds (a layer move, an add
    // made during an update walk and applied after it, an add after Remove) keep the name,
    // so "CollisionWith" + GetName() subscriptions made after the first add stay valid.
    void NameOnFirstAdd();
    // Exact, case-sensitive; null when nothing is registered under the name.
    static Actor* GetNamed(const String& nameLookup);

    void ReceiveMessage(Message*) override {}

protected:
    Vector2 size;
    Vector2 position;
    Color color;
    float rotation = 0.0f;
    Vector2 uvUpperRight = Vector2(1.0f, 1.0f);
    Vector2 uvLowerLeft = Vector2(0.0f, 0.0f);
    actorDrawShape drawShape = ADS_Square;

    int spriteCurrentFrame = 0;
    int spriteNumFrames = 0;
    float spriteFrameDelay = 0.0f;
    float spriteCurrentFrameDelay = 0.0f;
    // The texture of each frame slot set so far, -1 for none. Most actors have one frame:
    // kept out of line, 64 inline slots were a third of an actor's memory.
    std::vector<int> spriteTextureReferences;
    // The slot's texture, -1 for a slot never set.
    int SpriteTextureAt(int frame) const;
    spriteAnimationType spriteAnimType = SAT_None;
    int spriteAnimStartFrame = 0;
    int spriteAnimEndFrame = 0;
    int spriteAnimDirection = 1;
    int displayList = -1;

    StringSet tags;
    String name;
    String currentAnimName;

    // Made at the first interval started (Actors/ActorIntervals.h).
    std::unique_ptr<ActorIntervals> intervals;

private:
    // The steps of Update: the sprite animation, then the intervals.
    void UpdateSpriteAnimation(float dt);
    // One frame step; true when it ended a one-shot.
    bool StepSpriteFrame();
    void StepIntervals(float dt);
    ActorIntervals& Intervals();
    void ForgetNames();

    // Every name this actor was registered under, so none outlives it.
    StringList registeredNames;
    bool namedByWorld = false;
    static long liveCount;
};
