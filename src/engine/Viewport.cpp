#include "engine/Viewport.h"

#include "engine/RayCast.h"

#include <algorithm>
#include <cmath>

namespace zev::engine {

namespace {

struct PickSearch {
    Ray ray;
    double front;
    double back;
    std::vector<Frame*> path;
    std::vector<PickHit> hits;

    void Visit(Frame& frame, const Matrix4& parentWorld) {
        const Matrix4 world = frame.GetTransform() * parentWorld;
        path.push_back(&frame);
        if (!frame.GetVisuals().empty())
            TestVisuals(frame, world);
        for (const auto& child : frame.GetChildren())
            Visit(*child, world);
        path.pop_back();
    }

    void TestVisuals(const Frame& frame, const Matrix4& world) {
        const auto inverse = world.Inverse();
        if (!inverse)
            return; // flattened to nothing: cannot be hit
        // An affine change of coordinates keeps the ray's parameter, so t stays the depth.
        const Vector3 origin = inverse->TransformPoint(ray.origin);
        const Vector3 direction = inverse->TransformDirection(ray.direction);
        for (const auto& visual : frame.GetVisuals()) {
            if (!RayHitsBox(origin, direction, visual->GetBox(), front, back))
                continue;
            PickHit best;
            bool found = false;
            const auto& groups = visual->Groups();
            for (std::size_t g = 0; g < groups.size(); ++g)
                for (std::size_t f = 0; f < groups[g].faces.size(); ++f) {
                    const auto t = RayHitsFace(origin, direction, groups[g], groups[g].faces[f],
                                               front, found ? best.depth : back);
                    if (t && (!found || *t < best.depth)) {
                        found = true;
                        best.depth = *t;
                        best.group = static_cast<int>(g);
                        best.face = static_cast<int>(f);
                    }
                }
            if (!found)
                continue;
            best.path = path;
            best.visual = visual.get();
            best.position = ray.origin + ray.direction * best.depth;
            hits.push_back(std::move(best));
        }
    }
};

} // namespace

Viewport::Viewport(std::shared_ptr<Frame> camera, int x, int y, int width, int height)
    : camera_(std::move(camera)), x_(x), y_(y), width_(std::max(width, 1)),
      height_(std::max(height, 1)) {}

bool Viewport::SetFront(double front) {
    if (!(front > 0) || !(front < back_))
        return false;
    front_ = front;
    return true;
}

bool Viewport::SetBack(double back) {
    if (!(back > front_) || !std::isfinite(back))
        return false;
    back_ = back;
    return true;
}

bool Viewport::SetField(double field) {
    if (!(field > 0) || !std::isfinite(field))
        return false;
    field_ = field;
    return true;
}

Matrix4 Viewport::GetViewTransform() const {
    if (!camera_)
        return Matrix4::Identity();
    const auto inverse = camera_->GetWorldTransform().Inverse();
    return inverse ? *inverse : Matrix4::Identity();
}

Matrix4 Viewport::GetProjection() const {
    const double s = PixelsPerUnit();
    const double cx = x_ + width_ / 2.0;
    const double cy = y_ + height_ / 2.0;
    const double depthScale = back_ / (back_ - front_);
    Matrix4 p; // all zero
    p.m[0][0] = s;
    p.m[2][0] = cx;
    p.m[1][1] = -s;
    p.m[2][1] = cy;
    p.m[2][2] = depthScale;
    p.m[3][2] = -front_ * depthScale;
    p.m[2][3] = 1;
    return p;
}

Vector4 Viewport::Transform(const Vector3& point) const {
    return (GetViewTransform() * GetProjection()).Transform({point.x, point.y, point.z, 1});
}

Vector3 Viewport::InverseTransform(const Vector4& screen) const {
    const auto inverse = (GetViewTransform() * GetProjection()).Inverse();
    if (!inverse)
        return {};
    const Vector4 q = inverse->Transform(screen);
    if (q.w == 0)
        return {q.x, q.y, q.z};
    return {q.x / q.w, q.y / q.w, q.z / q.w};
}

Ray Viewport::RayThrough(double x, double y) const {
    const double s = PixelsPerUnit();
    const Vector3 inCamera{(x - (x_ + width_ / 2.0)) / s, -(y - (y_ + height_ / 2.0)) / s, 1};
    const Matrix4 camera = camera_ ? camera_->GetWorldTransform() : Matrix4::Identity();
    return {camera.Row(3), camera.TransformDirection(inCamera)};
}

std::vector<PickHit> Viewport::Pick(double x, double y) const {
    if (!camera_)
        return {};
    PickSearch search{RayThrough(x, y), front_, back_, {}, {}};
    search.Visit(*camera_->GetScene(), Matrix4::Identity());
    std::stable_sort(search.hits.begin(), search.hits.end(),
                     [](const PickHit& a, const PickHit& b) { return a.depth < b.depth; });
    return std::move(search.hits);
}

} // namespace zev::engine
