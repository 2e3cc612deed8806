#include "Util/Vector2.h"

#include <algorithm>
#include <cmath>

Vector2 Vector2::Zero(0.0f, 0.0f);
Vector2 Vector2::One(1.0f, 1.0f);
Vector2 Vector2::UnitX(1.0f, 0.0f);
Vector2 Vector2::UnitY(0.0f, 1.0f);

float Vector2::Length() const { return std::sqrt(LengthSquared()); }

float Vector2::LengthSquared() const { return X * X + Y * Y; }

void Vector2::Normalize()
{
    const float length = Length();
    if (length >= 1e-7f)
    {
        X /= length;
        Y /= length;
    }
    else
    {
        *this = (X < Y) ? Vector2(0.0f, 1.0f) : Vector2(1.0f, 0.0f);
    }
}

float Vector2::Distance(const Vector2& a, const Vector2& b) { return (a - b).Length(); }

float Vector2::DistanceSquared(const Vector2& a, const Vector2& b) { return (a - b).LengthSquared(); }

float Vector2::Dot(const Vector2& a, const Vector2& b) { return a.X * b.X + a.Y * b.Y; }

Vector2 Vector2::Min(const Vector2& a, const Vector2& b) { return Vector2(std::min(a.X, b.X), std::min(a.Y, b.Y)); }

Vector2 Vector2::Max(const Vector2& a, const Vector2& b) { return Vector2(std::max(a.X, b.X), std::max(a.Y, b.Y)); }

Vector2 Vector2::Clamp(const Vector2& value, const Vector2& min, const Vector2& max)
{
    return Vector2(std::max(std::min(value.X, max.X), min.X), std::max(std::min(value.Y, max.Y), min.Y));
}

Vector2 Vector2::Lerp(const Vector2& a, const Vector2& b, float t) { return a + (b - a) * t; }

Vector2 Vector2::Negate(const Vector2& v) { return -v; }

Vector2 Vector2::Reflect(const Vector2& v, const Vector2& normal)
{
    const float d = Dot(v, normal);
    return Vector2(v.X - 2.0f * normal.X * d, v.Y - 2.0f * normal.Y * d);
}

Vector2 Vector2::Rotate(const Vector2& v, float radians)
{
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return Vector2(v.X * c - v.Y * s, v.Y * c + v.X * s);
}
