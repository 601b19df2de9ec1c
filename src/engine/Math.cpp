#include "engine/Math.h"

#include <algorithm>
#include <utility>

namespace zev::engine {

Vector3 Vector3::Normalized() const {
    const double length = Length();
    if (length == 0 || !std::isfinite(length))
        return {};
    return *this * (1.0 / length);
}

Matrix4 Matrix4::Identity() {
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        r.m[i][i] = 1;
    return r;
}

Matrix4 Matrix4::Translation(const Vector3& t) {
    Matrix4 r = Identity();
    r.SetRow(3, t);
    return r;
}

Matrix4 Matrix4::Scaling(double sx, double sy, double sz) {
    Matrix4 r = Identity();
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    return r;
}

Matrix4 Matrix4::Rotation(const Vector3& axis, double angle) {
    const Vector3 a = axis.Normalized();
    Matrix4 r = Identity();
    if (a == Vector3{})
        return r;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1 - c;
    // The transpose of the column-vector rotation, as rows are transformed here.
    r.m[0][0] = t * a.x * a.x + c;
    r.m[0][1] = t * a.x * a.y + s * a.z;
    r.m[0][2] = t * a.x * a.z - s * a.y;
    r.m[1][0] = t * a.y * a.x - s * a.z;
    r.m[1][1] = t * a.y * a.y + c;
    r.m[1][2] = t * a.y * a.z + s * a.x;
    r.m[2][0] = t * a.z * a.x + s * a.y;
    r.m[2][1] = t * a.z * a.y - s * a.x;
    r.m[2][2] = t * a.z * a.z + c;
    return r;
}

Matrix4 Matrix4::operator*(const Matrix4& o) const {
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += m[i][k] * o.m[k][j];
            r.m[i][j] = sum;
        }
    return r;
}

Vector3 Matrix4::TransformPoint(const Vector3& p) const {
    return {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
            p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
            p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]};
}

Vector3 Matrix4::TransformDirection(const Vector3& d) const {
    return {d.x * m[0][0] + d.y * m[1][0] + d.z * m[2][0],
            d.x * m[0][1] + d.y * m[1][1] + d.z * m[2][1],
            d.x * m[0][2] + d.y * m[1][2] + d.z * m[2][2]};
}

Vector4 Matrix4::Transform(const Vector4& v) const {
    const double in[4] = {v.x, v.y, v.z, v.w};
    double out[4] = {0, 0, 0, 0};
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k)
            out[j] += in[k] * m[k][j];
    return {out[0], out[1], out[2], out[3]};
}

void Matrix4::SetRow(int row, const Vector3& v) {
    m[row][0] = v.x;
    m[row][1] = v.y;
    m[row][2] = v.z;
}

std::optional<Matrix4> Matrix4::Inverse() const {
    // Gauss-Jordan elimination with partial pivoting.
    Matrix4 a = *this;
    Matrix4 inv = Identity();
    double largest = 0;
    for (const auto& row : m)
        for (double v : row)
            largest = std::max(largest, std::abs(v));
    if (largest == 0 || !std::isfinite(largest))
        return std::nullopt;
    const double tiny = largest * 1e-12;
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::abs(a.m[r][col]) > std::abs(a.m[pivot][col]))
                pivot = r;
        if (std::abs(a.m[pivot][col]) <= tiny)
            return std::nullopt;
        std::swap(a.m[pivot], a.m[col]);
        std::swap(inv.m[pivot], inv.m[col]);
        const double scale = 1.0 / a.m[col][col];
        for (int j = 0; j < 4; ++j) {
            a.m[col][j] *= scale;
            inv.m[col][j] *= scale;
        }
        for (int r = 0; r < 4; ++r) {
            if (r == col || a.m[r][col] == 0)
                continue;
            const double f = a.m[r][col];
            for (int j = 0; j < 4; ++j) {
                a.m[r][j] -= f * a.m[col][j];
                inv.m[r][j] -= f * inv.m[col][j];
            }
        }
    }
    return inv;
}

} // namespace zev::engine
