#pragma once

#include <array>
#include <cmath>
#include <optional>

// Vectors and 4x4 transforms of the scene layer. Coordinates are left-handed (x right, y up,
// z into the screen) and transforms are used with row vectors: a point p becomes p * M, so a
// child's transform followed by its parent's is child * parent.
namespace zev::engine {

struct Vector3 {
    double x = 0;
    double y = 0;
    double z = 0;

    constexpr Vector3() = default;
    constexpr Vector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    constexpr Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vector3 operator-() const { return {-x, -y, -z}; }
    constexpr Vector3 operator*(double s) const { return {x * s, y * s, z * s}; }
    friend constexpr bool operator==(const Vector3&, const Vector3&) = default;

    double Length() const { return std::sqrt(Dot(*this, *this)); }
    // The vector scaled to length 1; a zero vector stays zero.
    Vector3 Normalized() const;

    static constexpr double Dot(const Vector3& a, const Vector3& b) {
        return a.x * b.x + a.y * b.y + a.z * b.z;
    }
    static constexpr Vector3 Cross(const Vector3& a, const Vector3& b) {
        return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    }
};

// A homogeneous point: (x / w, y / w, z / w).
struct Vector4 {
    double x = 0;
    double y = 0;
    double z = 0;
    double w = 0;
    friend constexpr bool operator==(const Vector4&, const Vector4&) = default;
};

// Single-precision vector as meshes store it.
struct Vector3f {
    float x = 0;
    float y = 0;
    float z = 0;
    friend constexpr bool operator==(const Vector3f&, const Vector3f&) = default;
};

inline Vector3 ToDouble(const Vector3f& v) {
    return {v.x, v.y, v.z};
}

class Matrix4 {
public:
    // m[row][column]; rows 0 to 2 are the transformed x, y and z axes, row 3 the translation.
    std::array<std::array<double, 4>, 4> m{};

    static Matrix4 Identity();
    static Matrix4 Translation(const Vector3& t);
    static Matrix4 Scaling(double sx, double sy, double sz);
    // Rotation by `angle` radians about `axis` (normalised here; a zero axis gives the
    // identity). A positive angle about y takes +x toward -z.
    static Matrix4 Rotation(const Vector3& axis, double angle);

    Matrix4 operator*(const Matrix4& o) const;

    // (p, 1) * M without the division by w (for affine transforms).
    Vector3 TransformPoint(const Vector3& p) const;
    // (d, 0) * M: directions ignore the translation.
    Vector3 TransformDirection(const Vector3& d) const;
    Vector4 Transform(const Vector4& v) const;

    Vector3 Row(int row) const { return {m[row][0], m[row][1], m[row][2]}; }
    void SetRow(int row, const Vector3& v);

    // The inverse, or nothing for a singular matrix (a zero scale, for instance).
    std::optional<Matrix4> Inverse() const;
};

} // namespace zev::engine
