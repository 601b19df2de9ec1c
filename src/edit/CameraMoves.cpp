#include "CameraMoves.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace zev::edit {

using engine::Matrix4;
using engine::Vector3;

namespace {

// Where an orbit or a pan takes hold when the pointer is over nothing nearer.
constexpr double kHoldDistance = 100;
// The wheel moves this share of the distance to the point under the pointer a notch.
constexpr double kWheelShare = 0.2;
// The top camera's height changes by this factor a notch.
constexpr double kWheelHeightFactor = 0.8;
// Radians a pixel of an orbit or a look turns at the usual steering speed.
constexpr double kTurnPerPixel = 0.005;
// An orbit or a look stops short of looking straight up or down.
constexpr double kSteepest = 0.97;

Vector3 turned(const Vector3& v, const Vector3& axis, double angle) {
    return Matrix4::Rotation(axis, angle).TransformDirection(v);
}

double ease(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

Vector3 mix(const Vector3& a, const Vector3& b, double t) {
    return a + (b - a) * t;
}

} // namespace

CameraPose poseOf(const engine::Frame& camera, const engine::Frame* scene) {
    const engine::Orientation o = camera.GetOrientation(scene);
    return {camera.GetPosition(scene), o.direction, o.up};
}

void applyPose(engine::Frame& camera, const engine::Frame* scene, const CameraPose& pose) {
    camera.SetPosition(scene, pose.position);
    camera.SetOrientation(scene, pose.direction, pose.up);
}

std::string camerasText(const WorkspaceCameras& cameras) {
    std::ostringstream out;
    out.precision(17);
    out << (cameras.view == WorkspaceView::Top ? 1 : 0);
    for (const CameraPose* pose : {&cameras.side, &cameras.top})
        for (const Vector3* v : {&pose->position, &pose->direction, &pose->up})
            out << ' ' << v->x << ' ' << v->y << ' ' << v->z;
    return out.str();
}

std::optional<WorkspaceCameras> camerasFromText(const std::string& text) {
    std::istringstream in(text);
    int view = 0;
    WorkspaceCameras cameras;
    if (!(in >> view) || (view != 0 && view != 1))
        return std::nullopt;
    cameras.view = view == 1 ? WorkspaceView::Top : WorkspaceView::Front;
    for (CameraPose* pose : {&cameras.side, &cameras.top})
        for (Vector3* v : {&pose->position, &pose->direction, &pose->up})
            if (!(in >> v->x >> v->y >> v->z) || !std::isfinite(v->x) || !std::isfinite(v->y) ||
                !std::isfinite(v->z))
                return std::nullopt;
    for (const CameraPose* pose : {&cameras.side, &cameras.top})
        if (pose->direction.Length() < 1e-9 || pose->up.Length() < 1e-9)
            return std::nullopt;
    std::string rest;
    if (in >> rest)
        return std::nullopt;
    return cameras;
}

std::optional<Vector3> planeHit(const engine::Ray& ray, const Vector3& point,
                                const Vector3& normal) {
    const double along = Vector3::Dot(ray.direction, normal);
    if (std::abs(along) < 1e-9)
        return std::nullopt;
    const double t = Vector3::Dot(point - ray.origin, normal) / along;
    if (t <= 0)
        return std::nullopt;
    return ray.origin + ray.direction * t;
}

std::optional<Vector3> groundHit(const engine::Ray& ray) {
    return planeHit(ray, {0, 0, 0}, {0, 1, 0});
}

CameraPose framingPose(const CameraPose& current, WorkspaceView view, const Bounds& bounds,
                       double field) {
    // A sphere of radius r fills half the view's width at the distance 2r / field; never
    // closer than a few units, so a point still shows its surroundings.
    constexpr double kNearest = 10;
    const double distance = std::max(kNearest, 2 * bounds.radius() / field);
    const Vector3 centre = bounds.centre();
    CameraPose pose = current;
    if (view == WorkspaceView::Top) {
        pose.position = {centre.x, centre.y + distance, centre.z};
        return pose;
    }
    const Vector3 direction = current.direction.Normalized();
    pose.position = centre - direction * distance;
    return pose;
}

CameraPose CameraFlight::poseAt(std::int64_t nowMs) const {
    const double t = ease(double(nowMs - startMs_) / double(kDurationMs));
    if (t >= 1)
        return to_;
    return {mix(from_.position, to_.position, t),
            mix(from_.direction, to_.direction, t).Normalized(),
            mix(from_.up, to_.up, t).Normalized()};
}

engine::Frame* CameraNavigator::camera(WorkspaceView view) const {
    return view == WorkspaceView::Top ? cameras_.top : cameras_.side;
}

void CameraNavigator::wheel(const engine::Viewport& viewport, WorkspaceView view, double x,
                            double y, double notches) {
    engine::Frame* cam = camera(view);
    if (!cam || notches == 0)
        return;
    const engine::Frame* scene = cameras_.scene;
    const double scale = speedScale(speeds_.cameraMovement);
    if (view == WorkspaceView::Top) {
        // Height changes; the ground point under the pointer stays there.
        const Vector3 before = cam->GetPosition(scene);
        const auto held = groundHit(viewport.RayThrough(x, y));
        const double height =
            std::max(kTopCameraFloor, before.y * std::pow(kWheelHeightFactor, notches * scale));
        cam->SetPosition(scene, before.x, height, before.z);
        if (!held)
            return;
        if (const auto now = groundHit(viewport.RayThrough(x, y)))
            cam->SetPosition(scene, before.x + held->x - now->x, height,
                             before.z + held->z - now->z);
        return;
    }
    const engine::Ray ray = viewport.RayThrough(x, y);
    const Vector3 along = ray.direction.Normalized();
    const auto hit = groundHit(ray);
    const double distance = hit ? (*hit - ray.origin).Length() : kHoldDistance;
    double step = std::max(1.0, distance * kWheelShare) * scale * notches;
    if (step > 0)
        step = std::min(step, std::max(0.0, distance - 1)); // never through the point
    Vector3 to = ray.origin + along * step;
    if (to.y < kWheelFloor && along.y * step < 0) {
        // Down to the floor and no further.
        const double t = (kWheelFloor - ray.origin.y) / (along.y * (step > 0 ? 1 : -1));
        to = ray.origin + along * (step > 0 ? std::max(0.0, t) : -std::max(0.0, t));
    }
    cam->SetPosition(scene, to);
}

void CameraNavigator::begin(Drag drag, const engine::Viewport& viewport, WorkspaceView view,
                            double x, double y, std::optional<Vector3> centre) {
    camera_ = camera(view);
    if (!camera_ || drag == Drag::None) {
        drag_ = Drag::None;
        return;
    }
    // Only the front camera turns: the top one always looks straight down.
    if (view == WorkspaceView::Top && (drag == Drag::Orbit || drag == Drag::Look))
        drag = drag == Drag::Orbit ? Drag::Pan : Drag::None;
    drag_ = drag;
    startPose_ = poseOf(*camera_, cameras_.scene);
    startX_ = x;
    startY_ = y;
    const engine::Ray ray = viewport.RayThrough(x, y);
    const auto ground = groundHit(ray);
    const Vector3 held = ground && (*ground - ray.origin).Length() < 20 * kHoldDistance
                             ? *ground
                             : ray.origin + ray.direction.Normalized() * kHoldDistance;
    grabbed_ = held;
    planeNormal_ = startPose_.direction.Normalized();
    centre_ = centre.value_or(held);
}

void CameraNavigator::dragTo(const engine::Viewport& viewport, double x, double y) {
    if (drag_ == Drag::None || !camera_)
        return;
    const engine::Frame* scene = cameras_.scene;
    const double turn = kTurnPerPixel * speedScale(speeds_.cameraSteering);
    const double yaw = -(x - startX_) * turn;
    const double pitch = (y - startY_) * turn;
    CameraPose pose = startPose_;
    switch (drag_) {
    case Drag::Pan: {
        // The ray of the start pose through the pointer meets the grabbed point's plane where
        // the camera must move from.
        applyPose(*camera_, scene, startPose_);
        const auto at = planeHit(viewport.RayThrough(x, y), grabbed_, planeNormal_);
        if (!at)
            return;
        pose.position = startPose_.position + (grabbed_ - *at);
        break;
    }
    case Drag::Orbit:
    case Drag::Look: {
        const Vector3 up{0, 1, 0};
        const Vector3 right = Vector3::Cross(up, startPose_.direction).Normalized();
        Vector3 direction = turned(startPose_.direction, up, yaw);
        Vector3 pitched = turned(direction, turned(right, up, yaw), pitch);
        const bool steep = std::abs(pitched.Normalized().y) > kSteepest;
        const double usedPitch = steep ? 0 : pitch;
        direction = steep ? direction : pitched;
        pose.direction = direction.Normalized();
        pose.up = turned(turned(startPose_.up, up, yaw), turned(right, up, yaw), usedPitch);
        if (drag_ == Drag::Orbit) {
            const Vector3 offset = turned(turned(startPose_.position - centre_, up, yaw),
                                          turned(right, up, yaw), usedPitch);
            pose.position = centre_ + offset;
            if (pose.position.y < kWheelFloor)
                pose.position.y = kWheelFloor;
        }
        break;
    }
    case Drag::None:
        return;
    }
    applyPose(*camera_, scene, pose);
}

CameraNavigator::Drag cameraDragFor(CameraButton button, bool altHeld) {
    for (const CameraGestureRow& row : kCameraGestures)
        if (row.button == button && (!row.withAlt || altHeld))
            return row.drag;
    return CameraNavigator::Drag::None;
}

} // namespace zev::edit
