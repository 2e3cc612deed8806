// Value types and the containers of the engine's strings, vectors and actors.

%template(StringList) std::vector<std::string>;
%template(StringSet) std::set<std::string>;
typedef std::vector<std::string> StringList;
typedef std::set<std::string> StringSet;

%{
// A world point or direction as a script's own Vector2.
PyObject* NewScriptVector(const Vector2& v)
{
    return SWIG_NewPointerObj(new Vector2(v), SWIGTYPE_p_Vector2, SWIG_POINTER_OWN);
}
%}

struct Vector2
{
    float X;
    float Y;

    static Vector2 Zero;
    static Vector2 One;
    static Vector2 UnitX;
    static Vector2 UnitY;

    Vector2(float x, float y);
    explicit Vector2(float value);
    Vector2();

    float Length() const;
    float LengthSquared() const;
    void Normalize();
    static float Distance(Vector2 a, Vector2 b);
    static float DistanceSquared(Vector2 a, Vector2 b);
    static float Dot(Vector2 a, Vector2 b);
    static Vector2 Reflect(Vector2 v, Vector2 normal);
    static Vector2 Min(Vector2 a, Vector2 b);
    static Vector2 Max(Vector2 a, Vector2 b);
    static Vector2 Clamp(Vector2 value, Vector2 min, Vector2 max);
    static Vector2 Lerp(Vector2 a, Vector2 b, float t);
    static Vector2 Negate(Vector2 v);
    static Vector2 Rotate(Vector2 v, float radians);

    bool operator==(Vector2 o) const;
    bool operator!=(Vector2 o) const;
    Vector2 operator-() const;
    Vector2 operator+(Vector2 o) const;
    Vector2 operator-(Vector2 o) const;
    Vector2 operator*(float s) const;
    Vector2 operator/(float s) const;
};

%extend Vector2 {
    std::string __repr__() const
    {
        char text[64];
        snprintf(text, sizeof text, "Vector2(%g, %g)", $self->X, $self->Y);
        return text;
    }
}

%template(VectorList) std::vector<Vector2>;

struct Color
{
    float R;
    float G;
    float B;
    float A;

    Color();
    Color(float r, float g, float b, float a);
    Color(float r, float g, float b);
    Color(int r, int g, int b, int a);
    Color(int r, int g, int b);
    explicit Color(String hex);

    bool operator==(Color o) const;
    bool operator!=(Color o) const;
    Color operator+(Color o) const;
    Color operator-(Color o) const;
    Color operator*(float s) const;
    Color operator/(float s) const;
};

%extend Color {
    std::string __repr__() const
    {
        char text[96];
        snprintf(text, sizeof text, "Color(%g, %g, %g, %g)", $self->R, $self->G, $self->B, $self->A);
        return text;
    }
}

// Window pixels and the camera's 3-D points travel as opaque values: scripts only pass
// on what they were given.
struct Vec2i;
struct Vector3;
