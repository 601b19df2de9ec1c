#include "engine/Mesh.h"

#include <algorithm>

namespace zev::engine {

int Mesh::AddGroup(std::size_t vertexCount, std::size_t faceCount, std::uint32_t cornersPerFace,
                   std::span<const std::uint32_t> faceData) {
    if (vertexCount > kMaxGroupVertices || faceCount > faceData.size())
        return -1;
    if (cornersPerFace != kVariableCorners && cornersPerFace < 3)
        return -1;
    MeshGroup group;
    std::size_t at = 0;
    for (std::size_t f = 0; f < faceCount; ++f) {
        std::uint32_t corners = cornersPerFace;
        if (corners == kVariableCorners) {
            if (at >= faceData.size())
                return -1;
            corners = faceData[at++];
        }
        if (corners < 3 || corners > faceData.size() - at)
            return -1;
        group.faces.push_back({static_cast<std::uint32_t>(group.indices.size()), corners});
        for (std::uint32_t c = 0; c < corners; ++c) {
            const std::uint32_t index = faceData[at++];
            if (index >= vertexCount)
                return -1;
            group.indices.push_back(index);
        }
    }
    group.vertices.resize(vertexCount);
    groups_.push_back(std::move(group));
    Changed();
    return static_cast<int>(groups_.size() - 1);
}

bool Mesh::SetVertices(int group, std::size_t first, std::span<const MeshVertex> vertices) {
    if (group < 0 || static_cast<std::size_t>(group) >= groups_.size())
        return false;
    std::vector<MeshVertex>& target = groups_[static_cast<std::size_t>(group)].vertices;
    if (first > target.size() || vertices.size() > target.size() - first)
        return false;
    std::copy(vertices.begin(), vertices.end(),
              target.begin() + static_cast<std::ptrdiff_t>(first));
    Changed();
    return true;
}

const MeshGroup* Mesh::GetGroup(int group) const {
    if (group < 0 || static_cast<std::size_t>(group) >= groups_.size())
        return nullptr;
    return &groups_[static_cast<std::size_t>(group)];
}

} // namespace zev::engine
