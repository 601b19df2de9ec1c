#pragma once

#include "engine/Color.h"
#include "engine/Light.h"
#include "engine/Math.h"
#include "engine/Visual.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zev::engine {

// How a new transform joins a frame's transform T.
enum class Combine {
    Replace, // T := new
    Before,  // T := new * T: applied first, in the frame's own coordinates
    After,   // T := T * new: applied last, in the parent's coordinates
};

// Where a frame's visuals take their colour from.
enum class MaterialMode { Mesh, Parent, Frame };

struct Orientation {
    Vector3 direction; // the frame's z axis
    Vector3 up;        // the frame's y axis
};

struct RotationVelocity {
    Vector3 axis;     // in the parent's coordinates
    double speed = 0; // radians per unit of time
};

// A node of the scene: a transform relative to its parent, ordered children, visuals, lights,
// a colour, application data and a name. Frames are shared objects; a parent holds its
// children, and a frame that leaves its parent lives on while anyone holds it.
//
// Methods that take a reference frame read or write values in that frame's coordinates; a null
// reference means the scene (world) coordinates.
class Frame {
    struct Passkey {};

public:
    explicit Frame(Passkey) {}
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    // A new frame, added as the last child of `parent` when one is given.
    static std::shared_ptr<Frame> Create(Frame* parent = nullptr);

    // --- tree
    Frame* GetParent() const { return parent_; }
    // The root of this frame's tree (the scene frame).
    Frame* GetScene();
    const Frame* GetScene() const;
    // Children in the order they were added; Save and Build follow this order.
    const std::vector<std::shared_ptr<Frame>>& GetChildren() const { return children_; }
    // Appends `child` as the last child, taking it from its previous parent; its transform
    // relative to the parent is kept. False for a null child or one that would make a cycle.
    bool AddChild(const std::shared_ptr<Frame>& child);
    // Detaches a child; false when `child` is not a child of this frame.
    bool DeleteChild(const Frame* child);
    bool IsAncestorOf(const Frame* frame) const;

    // --- identity
    std::int32_t GetAppData() const { return appData_; }
    void SetAppData(std::int32_t value) { appData_ = value; }
    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // --- transform
    // Relative to the parent.
    const Matrix4& GetTransform() const { return transform_; }
    // Relative to the scene: this frame's transform followed by those of its ancestors.
    Matrix4 GetWorldTransform() const;
    void AddTransform(Combine combine, const Matrix4& matrix);
    void AddTranslation(Combine combine, double x, double y, double z);
    void AddScale(Combine combine, double sx, double sy, double sz);
    void AddRotation(Combine combine, const Vector3& axis, double angle);

    Vector3 GetPosition(const Frame* reference) const;
    void SetPosition(const Frame* reference, double x, double y, double z);
    void SetPosition(const Frame* reference, const Vector3& p) {
        SetPosition(reference, p.x, p.y, p.z);
    }
    // The frame's z and y axes, normalised, in the reference's coordinates.
    Orientation GetOrientation(const Frame* reference) const;
    // Turns the frame so that its z axis points along `direction` and its y axis lies in the
    // plane of `direction` and `up`, both in the reference's coordinates. Scale and shear are
    // dropped; the position stays. False (and nothing changes) for a zero direction or an up
    // parallel to it.
    bool SetOrientation(const Frame* reference, const Vector3& direction, const Vector3& up);

    // --- motion
    // Sets the rotation velocity: `speed` radians per unit of time about `axis` given in the
    // reference's coordinates (kept in the parent's coordinates from now on). Move turns the
    // frame about its own origin.
    void SetRotation(const Frame* reference, const Vector3& axis, double speed);
    RotationVelocity GetRotation() const { return rotation_; }
    // Advances this frame and every frame below it by `delta` units of time (milliseconds in
    // the workspace): each turns by its rotation speed x delta. True when any of them has a
    // rotation speed, so that the next frame will look different again.
    bool Move(double delta);
    // A single editing step: set the rotation to (axis, angle), advance this frame by one unit
    // of time, and set the rotation back to (axis, 0). The frame turns by `angle` about the
    // axis given in the reference's coordinates, about its own origin.
    void Turn(const Frame* reference, const Vector3& axis, double angle);
    // Turn by whole degrees converted with the workspace factor 0.01745.
    void TurnDegrees(const Frame* reference, const Vector3& axis, int degrees) {
        Turn(reference, axis, degrees * kRadiansPerDegree);
    }
    static constexpr double kRadiansPerDegree = 0.01745;

    // --- appearance
    Color GetColor() const { return color_; }
    void SetColor(Color color) { color_ = color; }
    void SetColorRGB(float r, float g, float b) { color_ = {r, g, b, 1}; }
    MaterialMode GetMaterialMode() const { return materialMode_; }
    void SetMaterialMode(MaterialMode mode) { materialMode_ = mode; }
    // The colour this frame's visuals are drawn with when their material comes from the frame:
    // its own colour, or with MaterialMode::Parent its parent's drawing colour.
    Color GetDrawingColor() const;
    // Background of a scene drawn from this frame as root.
    Color GetSceneBackground() const { return background_; }
    void SetSceneBackgroundRGB(float r, float g, float b) { background_ = {r, g, b, 1}; }

    // --- content
    void AddVisual(std::shared_ptr<Visual> visual);
    bool DeleteVisual(const Visual* visual);
    const std::vector<std::shared_ptr<Visual>>& GetVisuals() const { return visuals_; }
    void AddLight(std::shared_ptr<Light> light);
    bool DeleteLight(const Light* light);
    const std::vector<std::shared_ptr<Light>>& GetLights() const { return lights_; }

private:
    // The transform from the reference's coordinates to the parent's.
    Matrix4 ReferenceToParent(const Frame* reference) const;
    Matrix4 ParentWorld() const;
    void Rotate(const Vector3& parentAxis, double angle);

    Frame* parent_ = nullptr;
    std::vector<std::shared_ptr<Frame>> children_;
    std::int32_t appData_ = 0;
    std::string name_;
    Matrix4 transform_ = Matrix4::Identity();
    RotationVelocity rotation_;
    Color color_;
    MaterialMode materialMode_ = MaterialMode::Mesh;
    Color background_{0, 0, 0, 1};
    std::vector<std::shared_ptr<Visual>> visuals_;
    std::vector<std::shared_ptr<Light>> lights_;
};

} // namespace zev::engine
