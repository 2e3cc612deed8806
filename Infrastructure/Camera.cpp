#include "Infrastructure/Camera.h"

#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Platform/ScreenMath.h"

#include <cmath>

namespace
{
const char* const CameraChangeMessage = "CameraChange";

// What the screen conversions read, asked afresh each time so they follow every move.
ScreenView CameraView()
{
    const Camera& camera = Camera::GetInstance();
    ScreenView view;
    view.windowWidth = camera.GetWindowWidth();
    view.windowHeight = camera.GetWindowHeight();
    view.aperture = camera.GetAperture();
    view.eye = camera.GetPosition();
    view.z = camera.GetZ();
    return view;
}
} // namespace

Camera& Camera::GetInstance()
{
    static Camera* instance = new Camera();
    return *instance;
}

Camera::Camera()
{
    Reset();
    MathKit::SetScreenViewSource(CameraView);
}

void Camera::Reset()
{
    aperture = 90.0;
    position3 = Vector3(0.0f, 0.0f, 10.0f);
    // The Actor side's copy is what GetPosition and the screen conversions read.
    position = Vector2(position3.X, position3.Y);
    view = Vector3(0.0f, 0.0f, -10.0f);
    up = Vector3(0.0f, 1.0f, 0.0f);
    zNearClip = 0.001f;
    zFarClip = 200.0f;
}

void Camera::ResizeCallback(int newWidth, int newHeight) { GetInstance().ApplyResize(newWidth, newHeight); }

void Camera::ApplyResize(int newWidth, int newHeight)
{
    if (newWidth != windowWidth || newHeight != windowHeight)
    {
        windowWidth = newWidth;
        windowHeight = newHeight;
        Draw::SetViewport(windowWidth, windowHeight);
    }
    // A minimised window reports 0 x 0; keep the aspect finite.
    const double aspect = windowHeight > 0 ? static_cast<double>(windowWidth) / windowHeight : 1.0;
    Draw::SetPerspective(aperture, aspect, zNearClip, zFarClip);
    AnnounceChange();
}

void Camera::AnnounceChange() { Switchboard::GetInstance().Broadcast(new Message(CameraChangeMessage)); }

void Camera::Render() { Draw::SetView(position3, position3 + view, up); }

float Camera::GetViewRadius() const
{
    return std::tan(static_cast<float>(aperture) / 2.0f * MathKit::DegreesToRadiansFactor) * std::fabs(position3.Z);
}

Vector2 Camera::GetWorldMaxVertex() const { return MathKit::ScreenPointToWorld(windowWidth, 0); }

Vector2 Camera::GetWorldMinVertex() const { return MathKit::ScreenPointToWorld(0, windowHeight); }

void Camera::SetPosition(float x, float y) { SetPosition(x, y, position3.Z); }

void Camera::SetPosition(const Vector2& pos) { SetPosition(pos.X, pos.Y, position3.Z); }

void Camera::SetPosition(float x, float y, float z)
{
    position3 = Vector3(x, y, z);
    // The Actor side keeps the x/y position too, for code that treats the camera as an actor.
    position = Vector2(x, y);
    AnnounceChange();
}

void Camera::SetPosition(const Vector3& pos) { SetPosition(pos.X, pos.Y, pos.Z); }

float Camera::GetZForViewRadius(float radius) const
{
    return radius / std::tan(static_cast<float>(aperture) / 2.0f * MathKit::DegreesToRadiansFactor);
}

void Camera::SetZByViewRadius(float radius) { position3.Z = GetZForViewRadius(radius); }

void Camera::SetNearClipDist(float dist)
{
    zNearClip = dist;
    ApplyResize(windowWidth, windowHeight);
}

void Camera::SetFarClipDist(float dist)
{
    zFarClip = dist;
    ApplyResize(windowWidth, windowHeight);
}

void Camera::SetViewCenter(float x, float y, float z)
{
    view = Vector3(x, y, z);
    AnnounceChange();
}
