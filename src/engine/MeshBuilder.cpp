#include "engine/MeshBuilder.h"

namespace zev::engine {

namespace {

// Sum of the fan triangles' cross products: the face's normal scaled by twice its area.
Vector3 FaceNormal(const MeshGroup& group, const MeshFace& face) {
    const auto corners = group.Corners(face);
    const Vector3 first = ToDouble(group.vertices[corners[0]].position);
    Vector3 sum;
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
        const Vector3 a = ToDouble(group.vertices[corners[i]].position) - first;
        const Vector3 b = ToDouble(group.vertices[corners[i + 1]].position) - first;
        sum = sum + Vector3::Cross(a, b);
    }
    return sum.Normalized();
}

} // namespace

void MeshBuilder::AddMesh(const Visual& source) {
    if (&source == this) {
        const std::vector<MeshGroup> copy = groups_;
        groups_.insert(groups_.end(), copy.begin(), copy.end());
    } else {
        groups_.insert(groups_.end(), source.Groups().begin(), source.Groups().end());
    }
    Changed();
}

void MeshBuilder::GenerateNormals() {
    for (MeshGroup& group : groups_) {
        std::vector<Vector3> sums(group.vertices.size());
        std::vector<bool> used(group.vertices.size(), false);
        for (const MeshFace& face : group.faces) {
            const Vector3 n = FaceNormal(group, face);
            for (std::uint32_t index : group.Corners(face)) {
                sums[index] = sums[index] + n;
                used[index] = true;
            }
        }
        for (std::size_t i = 0; i < group.vertices.size(); ++i) {
            if (!used[i])
                continue;
            const Vector3 n = sums[i].Normalized();
            group.vertices[i].normal = {static_cast<float>(n.x), static_cast<float>(n.y),
                                        static_cast<float>(n.z)};
        }
    }
    Changed();
}

void MeshBuilder::SetQuality(RenderQuality quality) {
    quality_ = quality;
    Changed();
}

} // namespace zev::engine
