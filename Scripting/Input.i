// Mouse listeners and game pads.

enum MouseButtonInput
{
    MOUSE_LEFT = 0,
    MOUSE_MIDDLE = 1,
    MOUSE_RIGHT = 2
};

// Window positions (and stick readings) reach scripts as (x, y) tuples of ints, and the
// same tuples are taken back: Vec2i itself is not exposed.
%typemap(out) Vec2i %{
    $result = Py_BuildValue("(ii)", $1.X, $1.Y);
%}
%typemap(directorin) Vec2i %{
    $input = Py_BuildValue("(ii)", $1.X, $1.Y);
%}
%typemap(in) Vec2i
{
    if (!PyTuple_Check($input) || !PyArg_ParseTuple($input, "ii", &$1.X, &$1.Y))
    {
        PyErr_Clear();
        SWIG_exception_fail(SWIG_TypeError, "in method '$symname', argument $argnum of type 'Vec2i'");
    }
}

// A script subclass registers itself when its __init__ calls MouseListener.__init__, and
// stops hearing events when its object goes.
%feature("director") MouseListener;
class MouseListener
{
public:
    MouseListener();
    virtual ~MouseListener();
    virtual void MouseMotionEvent(Vec2i screenCoordinates);
    virtual void MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button);
    virtual void MouseUpEvent(Vec2i screenCoordinates, MouseButtonInput button);
};

struct ControllerInput
{
    ControllerInput();
    int LeftThumbstickX;
    int LeftThumbstickY;
    int RightThumbstickX;
    int RightThumbstickY;
    int LeftTriggerValue;
    int RightTriggerValue;
    unsigned int Buttons;
};

%nodefaultctor Controller;
class Controller
{
public:
    ControllerInput GetState() const;
    Vector2 GetLeftThumbVec2() const;
    Vector2 GetRightThumbVec2() const;
    Vec2i GetLeftThumbstick() const;
    Vec2i GetRightThumbstick() const;
    int GetRightTrigger() const;
    int GetLeftTrigger() const;
    bool IsAButtonDown() const;
    bool IsBButtonDown() const;
    bool IsXButtonDown() const;
    bool IsYButtonDown() const;
    bool IsLeftThumbstickButtonDown() const;
    bool IsRightThumbstickButtonDown() const;
    bool IsStartButtonDown() const;
    bool IsBackButtonDown() const;
    bool IsLeftBumperDown() const;
    bool IsRightBumperDown() const;
    bool IsLeftTriggerPressed() const;
    bool IsRightTriggerPressed() const;
    unsigned int GetLeftVibration() const;
    unsigned int GetRightVibration() const;
    bool IsConnected() const;
    int GetControllerID() const;
    bool IsButtonDown(int buttonMask) const;
    void SetLeftVibrationRaw(unsigned int vibration);
    void SetRightVibrationRaw(unsigned int vibration);
    void SetLeftVibration(unsigned int vibration);
    void SetRightVibration(unsigned int vibration);
};

%nodefaultctor ControllerManager;
%nodefaultdtor ControllerManager;
class ControllerManager
{
public:
    static ControllerManager& GetInstance();
    Controller& GetController(int index = 0);
};

// What is held now, beside the bindings' messages (Input/InputPolling.h).

bool IsKeyDown(String keyName);
bool IsActionDown(String action);
Vector2 GetMousePosition();
bool IsMouseButtonDown(MouseButtonInput button);
