#include "gamedata/Mesh.h"

#include <algorithm>

namespace zev::gamedata {

void BoundingBox::include(const Vec3& p) {
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

std::vector<std::uint32_t> MeshGroup::faceData() const {
    std::vector<std::uint32_t> data;
    data.reserve(faces.size() + vertices.size());
    for (const MeshFace& face : faces) {
        data.push_back(face.cornerCount);
        for (std::uint32_t i = 0; i < face.cornerCount; ++i)
            data.push_back(face.firstVertex + i);
    }
    return data;
}

void Mesh::translate(float dx, float dy, float dz) {
    for (MeshGroup& group : groups)
        for (MeshVertex& v : group.vertices)
            v.position = {v.position.x + dx, v.position.y + dy, v.position.z + dz};
}

void Mesh::scale(float sx, float sy, float sz) {
    for (MeshGroup& group : groups)
        for (MeshVertex& v : group.vertices)
            v.position = {v.position.x * sx, v.position.y * sy, v.position.z * sz};
}

BoundingBox Mesh::boundingBox() const {
    BoundingBox box;
    for (const MeshGroup& group : groups)
        for (const MeshVertex& v : group.vertices)
            box.include(v.position);
    return box;
}

std::size_t Mesh::vertexCount() const {
    std::size_t n = 0;
    for (const MeshGroup& group : groups)
        n += group.vertices.size();
    return n;
}

std::size_t Mesh::faceCount() const {
    std::size_t n = 0;
    for (const MeshGroup& group : groups)
        n += group.faces.size();
    return n;
}

float AutoZoomHeight(const BoundingBox& box) {
    if (box.empty)
        return 0.0f;
    float h = 0.0f;
    for (float extent : {box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z})
        if (extent > h)
            h = extent;
    return 2.0f * h;
}

} // namespace zev::gamedata
