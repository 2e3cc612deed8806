// The World, the camera (an actor too) and the console.

%feature("director") Console;
class Console
{
public:
    Console();
    virtual ~Console();
    virtual void Execute(String input) = 0;
    virtual StringList GetCompletions(String input) = 0;
    void WriteToOutput(String output);
    void SetPrompt(String newPrompt);
};

// Adding passes the element to the World, which deletes it once it is destroyed;
// the registered console lives as long as the World holds it.
%apply Renderable* HANDED_TO_ENGINE { Renderable* newElement };
%apply Console* HANDED_TO_ENGINE { Console* newConsole };

%nodefaultctor World;
%nodefaultdtor World;
class World
{
public:
    static World& GetInstance();
    void ResetWorld();
    void StopGame();
    float GetCurrentTimeSeconds() const;
    void PurgeDebugDrawing();
    bool IsSimulationOn() const;
    bool IsPhysicsSetUp() const;
    Console* GetConsole() const;
    void SetBackgroundColor(Color color);
    void Add(Renderable* newElement, int layer);
    void Add(Renderable* newElement);
    void Add(Renderable* newElement, String layerName);
    void UpdateLayer(Renderable* element, int newLayer);
    void UpdateLayer(Renderable* element, String layerName);
    void NameLayer(String name, int number);
    int GetLayerByName(String name) const;
    void DrawDebugLine(Vector2 a, Vector2 b, float time = 5.0f, Color color = Color(1.0f, 0.0f, 0.0f));
    bool SetupPhysics(Vector2 gravity = Vector2(0.0f, -10.0f), Vector2 maxVertex = Vector2(100.0f, 100.0f),
                      Vector2 minVertex = Vector2(-100.0f, -100.0f));
    void RegisterConsole(Console* newConsole);
};

%extend World {
    // A script can't delete what it handed over, so the World keeps owning what a
    // script takes out of its layers.
    void Remove(Renderable* oldElement) { $self->SetAside(oldElement); }
}

%clear Renderable* newElement;
%clear Console* newConsole;

%feature("nodirector") Camera;
%nodefaultctor Camera;
%nodefaultdtor Camera;
class Camera : public Actor
{
public:
    static Camera& GetInstance();
    static void ResizeCallback(int newWidth, int newHeight);
    void Reset();
    int GetWindowHeight() const;
    int GetWindowWidth() const;
    float GetViewRadius() const;
    Vector2 GetWorldMaxVertex() const;
    Vector2 GetWorldMinVertex() const;
    Vector2 GetPosition() const;
    float GetZ() const;
    float GetNearClipDist() const;
    float GetFarClipDist() const;
    Vector3 GetViewCenter() const;
    void SetPosition(float x, float y, float z);
    void SetPosition(float x, float y);
    void SetPosition(Vector2 pos);
    void SetPosition(const Vector3& pos);
    float GetZForViewRadius(float radius);
    void SetZByViewRadius(float radius);
    void SetNearClipDist(float dist);
    void SetFarClipDist(float dist);
    void SetViewCenter(float x, float y, float z);
};
