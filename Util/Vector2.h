#pragma once

// A 2-D vector of floats: world positions, sizes and directions.
struct Vector2
{
    float X = 0.0f;
    float Y = 0.0f;

    // Mutable on purpose: scripts may reassign them.
    static Vector2 Zero;
    static Vector2 One;
    static Vector2 UnitX;
    static Vector2 UnitY;

    Vector2() = default;
    // Both components set to one value (a square size, say); explicit so a float is
    // never taken for a vector by accident.
    explicit Vector2(float value) : X(value), Y(value) {}
    // The two components.
    Vector2(float x, float y) : X(x), Y(y) {}

    // Use LengthSquared to compare lengths without the square root.
    float Length() const;
    // Cheaper than Length; enough for comparing lengths.
    float LengthSquared() const;
    // A vector shorter than 1e-7 becomes UnitY when X < Y, else UnitX,
    // so the result always has unit length.
    void Normalize();

    // DistanceSquared compares distances without the square root.
    static float Distance(const Vector2& a, const Vector2& b);
    // Cheaper than Distance; enough for comparing or testing against a squared radius.
    static float DistanceSquared(const Vector2& a, const Vector2& b);
    // Positive when a and b point the same way, 0 when at right angles.
    static float Dot(const Vector2& a, const Vector2& b);
    // Both work per component, for bounding boxes.
    static Vector2 Min(const Vector2& a, const Vector2& b);
    static Vector2 Max(const Vector2& a, const Vector2& b);
    // Per component; when min exceeds max the result is min.
    static Vector2 Clamp(const Vector2& value, const Vector2& min, const Vector2& max);
    // t is not clamped.
    static Vector2 Lerp(const Vector2& a, const Vector2& b, float t);
    // The same as -v, for scripts, which have no unary minus on vectors.
    static Vector2 Negate(const Vector2& v);
    // normal must have unit length.
    static Vector2 Reflect(const Vector2& v, const Vector2& normal);
    // Counter-clockwise for positive radians.
    static Vector2 Rotate(const Vector2& v, float radians);

    // Component-wise arithmetic; scaling takes a float. Division by 0 gives infinities,
    // as float division does.
    Vector2 operator+(const Vector2& o) const { return Vector2(X + o.X, Y + o.Y); }
    Vector2 operator-(const Vector2& o) const { return Vector2(X - o.X, Y - o.Y); }
    Vector2 operator*(float s) const { return Vector2(X * s, Y * s); }
    Vector2 operator/(float s) const { return Vector2(X / s, Y / s); }
    Vector2 operator-() const { return Vector2(-X, -Y); }
    Vector2& operator+=(const Vector2& o)
    {
        X += o.X;
        Y += o.Y;
        return *this;
    }
    Vector2& operator-=(const Vector2& o)
    {
        X -= o.X;
        Y -= o.Y;
        return *this;
    }
    Vector2& operator*=(float s)
    {
        X *= s;
        Y *= s;
        return *this;
    }
    Vector2& operator/=(float s)
    {
        X /= s;
        Y /= s;
        return *this;
    }
    bool operator==(const Vector2& o) const { return X == o.X && Y == o.Y; }
    bool operator!=(const Vector2& o) const { return !(*this == o); }
};

// Window pixel coordinates: origin at the top left, y down.
struct Vec2i
{
    int X = 0;
    int Y = 0;

    Vec2i() = default;
    // A window pixel; see the struct for the axes.
    Vec2i(int x, int y) : X(x), Y(y) {}
    // Exact comparison of both components.
    bool operator==(const Vec2i& o) const { return X == o.X && Y == o.Y; }
    bool operator!=(const Vec2i& o) const { return !(*this == o); }
};

// Used by the camera only.
struct Vector3
{
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;

    Vector3() = default;
    // The camera's eye and target; z is the distance from the play field.
    Vector3(float x, float y, float z) : X(x), Y(y), Z(z) {}
    // Both component-wise: the sum, and exact equality.
    Vector3 operator+(const Vector3& o) const { return Vector3(X + o.X, Y + o.Y, Z + o.Z); }
    bool operator==(const Vector3& o) const { return X == o.X && Y == o.Y && Z == o.Z; }
};
