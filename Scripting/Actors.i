// Renderable, the base of every element; Actor and its kinds, and the tag index.

%nodefaultctor Renderable;
class Renderable
{
public:
    virtual ~Renderable();
    void Destroy();
    bool IsDestroyed() const;
    int GetLayer() const;
};

enum actorDrawShape
{
    ADS_Square = 0,
    ADS_Circle = 1
};

enum spriteAnimationType
{
    SAT_None = 0,
    SAT_Loop = 1,
    SAT_PingPong = 2,
    SAT_OneShot = 3
};

%feature("director") Actor;
class Actor : public Renderable, public MessageListener
{
public:
    Actor();
    virtual ~Actor();

    virtual void Update(float dt);

    void SetSize(float x, float y = -1.0f);
    void SetSize(Vector2 newSize);
    Vector2 GetSize() const;
    void SetPosition(float x, float y);
    void SetPosition(Vector2 pos);
    Vector2 GetPosition() const;
    void SetRotation(float newRotation);
    float GetRotation() const;
    void SetColor(float r, float g, float b, float a = 1.0f);
    void SetColor(Color newColor);
    Color GetColor() const;
    void SetAlpha(float alpha);
    float GetAlpha() const;
    void SetDrawShape(actorDrawShape shape);

    void MoveTo(Vector2 newPosition, float duration, bool smooth = false, String onCompletionMessage = "");
    void RotateTo(float newRotation, float duration, bool smooth = false, String onCompletionMessage = "");
    void ChangeColorTo(Color newColor, float duration, bool smooth = false, String onCompletionMessage = "");
    virtual void ChangeSizeTo(const Vector2& newSize, float duration, bool smooth = false,
                              const String& onCompletionMessage = "");
    virtual void ChangeSizeTo(float newSize, float duration, bool smooth = false,
                              const String& onCompletionMessage = "");

    int GetSpriteTexture(int frame = 0) const;
    bool SetSprite(String filename, int frame = 0, GLint clampmode = GL_CLAMP, GLint filtermode = GL_LINEAR,
                   bool optional = false);
    void ClearSpriteInfo();
    int GetSpriteFrame() const;
    bool IsSpriteAnimPlaying() const;
    int LoadSpriteFrames(String firstFilename, GLint clampmode = GL_CLAMP, GLint filtermode = GL_LINEAR);
    void PlaySpriteAnimation(float delay, spriteAnimationType animType = SAT_Loop, int startFrame = -1,
                             int endFrame = -1, const char* animName = nullptr);
    void SetSpriteFrame(int frame);
    void SetUVs(Vector2 lowleft, Vector2 upright);
    void GetUVs(Vector2& lowleft, Vector2& upright) const;

    bool IsTagged(String tag) const;
    void Tag(String newTag);
    void Untag(String oldTag);
    StringSet GetTags() const;

    String GetName() const;
    virtual String GetClassName();
    String SetName(String newName);
    static Actor* GetNamed(String nameLookup);

    virtual void ReceiveMessage(Message* message);

    void SetLayer(int layerIndex);
    void SetLayer(String layerName);
};

%extend Actor {
    // The engine object itself, as the most derived class scripts know.
    Actor* GetSelf() { return $self; }
}

// Script-made lists and sets are watched for deleted actors (see Runtime.i).
%exception std::vector<Actor*>::vector %{
    MAIN_THREAD_ONLY("$symname")
    $action
    WatchContainer(result);
%}
%exception std::vector<Actor*>::__getslice__ %{
    MAIN_THREAD_ONLY("$symname")
    $action
    WatchContainer(result);
%}
%exception std::vector<Actor*>::~vector %{
    MAIN_THREAD_ONLY("$symname")
    ScriptActorLists().erase(arg1);
    $action
%}
%exception std::set<Actor*>::set %{
    MAIN_THREAD_ONLY("$symname")
    $action
    WatchContainer(result);
%}
%exception std::set<Actor*>::~set %{
    MAIN_THREAD_ONLY("$symname")
    ScriptActorSets().erase(arg1);
    $action
%}
%template(ActorList) std::vector<Actor*>;
%template(ActorSet) std::set<Actor*>;
typedef std::vector<Actor*> ActorList;
typedef std::set<Actor*> ActorSet;

%{
// Actors listed in containers come out as the most derived class too.
namespace swig
{
template <> struct traits_from<Actor*>
{
    static PyObject* from(Actor* actor) { return ActorToScript(actor); }
};
} // namespace swig
%}

enum TextAlignment
{
    Align_Left = 0,
    Align_Center = 1,
    Align_Right = 2
};

%feature("nodirector") TextActor;
class TextActor : public Actor
{
public:
    TextActor(String fontNickname = "Console", String displayString = "", TextAlignment align = Align_Left,
              int lineSpacing = 5);
    String GetFont() const;
    void SetFont(String newFont);
    String GetDisplayString() const;
    void SetDisplayString(String newString);
    TextAlignment GetAlignment() const;
    void SetAlignment(TextAlignment newAlignment);
    int GetLineSpacing() const;
    void SetLineSpacing(int spacing);
};

%feature("nodirector") ParticleActor;
class ParticleActor : public Actor
{
public:
    ParticleActor();
    void SetParticlesPerSecond(float pps);
    void SetSystemLifetime(float lifetime);
    void SetParticleLifetime(float lifetime);
    void SetSpread(float radians);
    void SetEndScale(float scale);
    void SetEndColor(Color newColor);
    void SetSpeedRange(float newMinSpeed, float newMaxSpeed);
    void SetGravity(Vector2 newGravity);
    void SetMaxParticles(int maxParticles);
};

%nodefaultctor TagCollection;
%nodefaultdtor TagCollection;
class TagCollection
{
public:
    static TagCollection& GetInstance();
    ActorSet GetObjectsTagged(String findTag) const;
    StringSet GetTagList() const;
};
