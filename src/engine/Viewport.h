#pragma once

#include "engine/Frame.h"
#include "engine/Math.h"

#include <memory>
#include <vector>

namespace zev::engine {

// One visual under a picked point.
struct PickHit {
    // From the scene frame down to the frame that holds the visual (the last one).
    std::vector<Frame*> path;
    const Visual* visual = nullptr;
    int group = 0;
    int face = 0;
    // The hit point in scene coordinates and its distance along the camera's viewing axis.
    Vector3 position;
    double depth = 0;

    Frame* GetFrame() const { return path.empty() ? nullptr : path.back(); }
};

// A ray in scene coordinates: points origin + t x direction. For a picking ray t is the depth
// along the camera's viewing axis.
struct Ray {
    Vector3 origin;
    Vector3 direction;
};

// A perspective view of the scene through a camera frame onto a rectangle of a device.
//
// The camera looks along its z axis with its y axis up. A point at depth d in front of the
// camera is drawn at width / 2 / field pixels per unit / d from the rectangle's centre, so the
// field is half the viewing width at distance 1. Screen y grows downward.
class Viewport {
public:
    static constexpr double kDefaultFront = 1.0;
    static constexpr double kDefaultField = 0.5;
    static constexpr double kDefaultBack = 100.0;

    Viewport(std::shared_ptr<Frame> camera, int x, int y, int width, int height);

    Frame* GetCamera() const { return camera_.get(); }
    void SetCamera(std::shared_ptr<Frame> camera) { camera_ = std::move(camera); }

    int GetX() const { return x_; }
    int GetY() const { return y_; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }

    double GetFront() const { return front_; }
    double GetBack() const { return back_; }
    double GetField() const { return field_; }
    // Each refuses values that would leave no view (front <= 0, back <= front, field <= 0).
    bool SetFront(double front);
    bool SetBack(double back);
    bool SetField(double field);

    // Scene to camera coordinates.
    Matrix4 GetViewTransform() const;
    // Camera coordinates to homogeneous screen coordinates: x / w and y / w are pixels of the
    // device, z / w runs from 0 at the front to 1 at the back clipping plane, w is the depth.
    Matrix4 GetProjection() const;

    // A scene point in homogeneous screen coordinates (see GetProjection).
    Vector4 Transform(const Vector3& point) const;
    // The scene point of homogeneous screen coordinates; the inverse of Transform.
    Vector3 InverseTransform(const Vector4& screen) const;

    // The ray from the camera through device pixel (x, y).
    Ray RayThrough(double x, double y) const;

    // The visuals under device pixel (x, y) between the front and the back clipping planes,
    // nearest first, one hit per visual and frame. Searches the whole tree of the camera's
    // scene.
    std::vector<PickHit> Pick(double x, double y) const;

private:
    double PixelsPerUnit() const { return width_ / 2.0 / field_; }

    std::shared_ptr<Frame> camera_;
    int x_;
    int y_;
    int width_;
    int height_;
    double front_ = kDefaultFront;
    double back_ = kDefaultBack;
    double field_ = kDefaultField;
};

} // namespace zev::engine
