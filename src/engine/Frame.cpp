#include "engine/Frame.h"

#include <algorithm>

namespace zev::engine {

Frame::~Frame() {
    for (const auto& child : children_)
        child->parent_ = nullptr;
}

std::shared_ptr<Frame> Frame::Create(Frame* parent) {
    auto frame = std::make_shared<Frame>(Passkey{});
    if (parent)
        parent->AddChild(frame);
    return frame;
}

Frame* Frame::GetScene() {
    Frame* f = this;
    while (f->parent_)
        f = f->parent_;
    return f;
}

const Frame* Frame::GetScene() const {
    return const_cast<Frame*>(this)->GetScene();
}

bool Frame::IsAncestorOf(const Frame* frame) const {
    for (const Frame* f = frame ? frame->parent_ : nullptr; f; f = f->parent_)
        if (f == this)
            return true;
    return false;
}

bool Frame::AddChild(const std::shared_ptr<Frame>& child) {
    if (!child || child.get() == this || child->IsAncestorOf(this))
        return false;
    const std::shared_ptr<Frame> keep = child;
    if (child->parent_)
        child->parent_->DeleteChild(child.get());
    child->parent_ = this;
    children_.push_back(keep);
    return true;
}

bool Frame::DeleteChild(const Frame* child) {
    const auto it = std::find_if(children_.begin(), children_.end(),
                                 [child](const auto& c) { return c.get() == child; });
    if (it == children_.end())
        return false;
    (*it)->parent_ = nullptr;
    children_.erase(it);
    return true;
}

Matrix4 Frame::GetWorldTransform() const {
    Matrix4 world = transform_;
    for (const Frame* f = parent_; f; f = f->parent_)
        world = world * f->transform_;
    return world;
}

Matrix4 Frame::ParentWorld() const {
    return parent_ ? parent_->GetWorldTransform() : Matrix4::Identity();
}

Matrix4 Frame::ReferenceToParent(const Frame* reference) const {
    const Matrix4 referenceWorld = reference ? reference->GetWorldTransform() : Matrix4::Identity();
    const auto parentInverse = ParentWorld().Inverse();
    return parentInverse ? referenceWorld * *parentInverse : referenceWorld;
}

void Frame::AddTransform(Combine combine, const Matrix4& matrix) {
    switch (combine) {
    case Combine::Replace:
        transform_ = matrix;
        break;
    case Combine::Before:
        transform_ = matrix * transform_;
        break;
    case Combine::After:
        transform_ = transform_ * matrix;
        break;
    }
}

void Frame::AddTranslation(Combine combine, double x, double y, double z) {
    AddTransform(combine, Matrix4::Translation({x, y, z}));
}

void Frame::AddScale(Combine combine, double sx, double sy, double sz) {
    AddTransform(combine, Matrix4::Scaling(sx, sy, sz));
}

void Frame::AddRotation(Combine combine, const Vector3& axis, double angle) {
    AddTransform(combine, Matrix4::Rotation(axis, angle));
}

Vector3 Frame::GetPosition(const Frame* reference) const {
    const Vector3 world = GetWorldTransform().Row(3);
    if (!reference)
        return world;
    const auto inverse = reference->GetWorldTransform().Inverse();
    return inverse ? inverse->TransformPoint(world) : world;
}

void Frame::SetPosition(const Frame* reference, double x, double y, double z) {
    transform_.SetRow(3, ReferenceToParent(reference).TransformPoint({x, y, z}));
}

Orientation Frame::GetOrientation(const Frame* reference) const {
    Matrix4 m = GetWorldTransform();
    if (reference)
        if (const auto inverse = reference->GetWorldTransform().Inverse())
            m = m * *inverse;
    return {m.Row(2).Normalized(), m.Row(1).Normalized()};
}

bool Frame::SetOrientation(const Frame* reference, const Vector3& direction, const Vector3& up) {
    const Matrix4 toParent = ReferenceToParent(reference);
    const Vector3 z = toParent.TransformDirection(direction).Normalized();
    const Vector3 u = toParent.TransformDirection(up);
    const Vector3 x = Vector3::Cross(u, z).Normalized();
    if (z == Vector3{} || x == Vector3{})
        return false;
    const Vector3 y = Vector3::Cross(z, x);
    transform_.SetRow(0, x);
    transform_.SetRow(1, y);
    transform_.SetRow(2, z);
    transform_.m[0][3] = transform_.m[1][3] = transform_.m[2][3] = 0;
    transform_.m[3][3] = 1;
    return true;
}

void Frame::SetRotation(const Frame* reference, const Vector3& axis, double speed) {
    Vector3 parentAxis = axis;
    if (reference != parent_)
        parentAxis = ReferenceToParent(reference).TransformDirection(axis);
    rotation_ = {parentAxis, speed};
}

void Frame::Rotate(const Vector3& parentAxis, double angle) {
    // Turns the frame's axes in the parent's coordinates; the origin stays where it is.
    const Vector3 position = transform_.Row(3);
    transform_.SetRow(3, {});
    transform_ = transform_ * Matrix4::Rotation(parentAxis, angle);
    transform_.SetRow(3, position);
}

bool Frame::Move(double delta) {
    bool turning = rotation_.speed != 0;
    if (turning && delta != 0)
        Rotate(rotation_.axis, rotation_.speed * delta);
    for (const auto& child : children_)
        turning = child->Move(delta) || turning;
    return turning;
}

void Frame::Turn(const Frame* reference, const Vector3& axis, double angle) {
    SetRotation(reference, axis, angle);
    Rotate(rotation_.axis, rotation_.speed);
    rotation_.speed = 0;
}

Color Frame::GetDrawingColor() const {
    const Frame* f = this;
    while (f->materialMode_ == MaterialMode::Parent && f->parent_)
        f = f->parent_;
    return f->color_;
}

void Frame::AddVisual(std::shared_ptr<Visual> visual) {
    if (visual)
        visuals_.push_back(std::move(visual));
}

bool Frame::DeleteVisual(const Visual* visual) {
    const auto it = std::find_if(visuals_.begin(), visuals_.end(),
                                 [visual](const auto& v) { return v.get() == visual; });
    if (it == visuals_.end())
        return false;
    visuals_.erase(it);
    return true;
}

void Frame::AddLight(std::shared_ptr<Light> light) {
    if (light)
        lights_.push_back(std::move(light));
}

bool Frame::DeleteLight(const Light* light) {
    const auto it = std::find_if(lights_.begin(), lights_.end(),
                                 [light](const auto& l) { return l.get() == light; });
    if (it == lights_.end())
        return false;
    lights_.erase(it);
    return true;
}

} // namespace zev::engine
