#pragma once

#include "Actors/Actor.h"

// The perspective camera looking down the -z axis onto the world plane z = 0. It owns
// the window size as the engine knows it, the viewport and the projection. Every change
// of position, view or projection broadcasts "CameraChange".
class Camera : public Actor
{
public:
    // Created on first use and never deleted.
    static Camera& GetInstance();

    // Back to aperture 90, eye (0, 0, 10) looking at the origin, clips 0.001..200.
    // Keeps the window size, sends nothing and doesn't re-apply the projection.
    void Reset();
    // The window-size handler: stores the size, sets viewport and projection, and
    // broadcasts "CameraChange" even when the size didn't change.
    static void ResizeCallback(int newWidth, int newHeight);

    // Applies the view; the first drawing step of every frame.
    void Render() override;
    String GetClassName() override { return "Camera"; }

    int GetWindowWidth() const { return windowWidth; }
    int GetWindowHeight() const { return windowHeight; }
    double GetAperture() const { return aperture; }
    // Half the visible height at z = 0.
    float GetViewRadius() const;
    // World points at the top-right and bottom-left window corners.
    Vector2 GetWorldMaxVertex() const;
    Vector2 GetWorldMinVertex() const;

    // The two-component forms move the eye in x and y and keep z.
    void SetPosition(float x, float y) override;
    void SetPosition(const Vector2& pos) override;
    // Moves the eye (z is its height above the field) and broadcasts "CameraChange".
    virtual void SetPosition(float x, float y, float z);
    virtual void SetPosition(const Vector3& pos);
    // The eye's height above the field: larger shows more of the world.
    virtual float GetZ() const { return position3.Z; }
    // The z at which half the visible height is `radius`.
    virtual float GetZForViewRadius(float radius) const;
    // Sets z without a message.
    virtual void SetZByViewRadius(float radius);
    // Nothing nearer the eye than the near distance or farther than the far one is drawn.
    virtual float GetNearClipDist() const { return zNearClip; }
    virtual float GetFarClipDist() const { return zFarClip; }
    // Both re-apply the projection and broadcast "CameraChange".
    virtual void SetNearClipDist(float dist);
    virtual void SetFarClipDist(float dist);
    // The point the eye looks at; broadcasts "CameraChange".
    virtual void SetViewCenter(float x, float y, float z);
    virtual Vector3 GetViewCenter() const { return view; }

private:
    Camera();
    void ApplyResize(int newWidth, int newHeight);
    void AnnounceChange();

    int windowWidth = 0;
    int windowHeight = 0;
    double aperture = 90.0;
    Vector3 position3;
    Vector3 view;
    Vector3 up;
    float zNearClip = 0.001f;
    float zFarClip = 200.0f;
};
