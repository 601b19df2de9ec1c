#pragma once

#include "engine/Visual.h"

namespace zev::engine {

// A mesh built group by group from vertex and face lists.
class Mesh : public Visual {
public:
    // Corner count that makes AddGroup read a corner count before each face.
    static constexpr std::uint32_t kVariableCorners = 0;
    // Largest number of vertices of one group.
    static constexpr std::size_t kMaxGroupVertices = std::size_t{1} << 24;

    // Adds a group of `vertexCount` vertices (zero until SetVertices) and `faceCount` faces.
    // With `cornersPerFace` kVariableCorners, `faceData` holds for each face its corner count
    // followed by that many vertex numbers; otherwise each face is `cornersPerFace` vertex
    // numbers. Returns the new group's number, or -1 and adds nothing when the data do not fit
    // (too short, a face of fewer than 3 corners, a vertex number beyond the group).
    int AddGroup(std::size_t vertexCount, std::size_t faceCount, std::uint32_t cornersPerFace,
                 std::span<const std::uint32_t> faceData);

    // Replaces the group's vertices first .. first + vertices.size() - 1. False (and nothing
    // changes) when the group or the range does not exist.
    bool SetVertices(int group, std::size_t first, std::span<const MeshVertex> vertices);

    const MeshGroup* GetGroup(int group) const;
};

} // namespace zev::engine
