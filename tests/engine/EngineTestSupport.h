#pragma once

#include "engine/Frame.h"
#include "engine/Mesh.h"
#include "engine/MeshBuilder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace enginetest {

using zev::engine::Vector3;

inline void ExpectNear(const Vector3& actual, const Vector3& expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << "x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << "y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << "z";
}

inline zev::engine::MeshVertex At(float x, float y, float z) {
    zev::engine::MeshVertex v;
    v.position = {x, y, z};
    return v;
}

// A box from (x0, y0, z0) to (x1, y1, z1) as six quads of unshared corners, each running
// clockwise seen from outside, the way converted game geometry arrives.
inline std::shared_ptr<zev::engine::Mesh> BoxMesh(float x0, float y0, float z0, float x1, float y1,
                                                  float z1) {
    const zev::engine::Vector3f c[8] = {{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0},
                                        {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}};
    const int quads[6][4] = {{0, 3, 2, 1}, {5, 6, 7, 4}, {4, 7, 3, 0},
                             {1, 2, 6, 5}, {3, 7, 6, 2}, {4, 0, 1, 5}};
    std::vector<zev::engine::MeshVertex> vertices;
    std::vector<std::uint32_t> faceData;
    for (const auto& quad : quads) {
        faceData.push_back(4);
        for (int corner : quad) {
            faceData.push_back(static_cast<std::uint32_t>(vertices.size()));
            vertices.push_back(At(c[corner].x, c[corner].y, c[corner].z));
        }
    }
    auto mesh = std::make_shared<zev::engine::Mesh>();
    const int group =
        mesh->AddGroup(vertices.size(), 6, zev::engine::Mesh::kVariableCorners, faceData);
    mesh->SetVertices(group, 0, vertices);
    return mesh;
}

// The ground quad: 100000 units square at the frame's y = 0.
inline std::shared_ptr<zev::engine::Mesh> GroundMesh() {
    const std::vector<zev::engine::MeshVertex> vertices = {
        At(-50000, 0, -50000), At(-50000, 0, 50000), At(50000, 0, 50000), At(50000, 0, -50000)};
    const std::vector<std::uint32_t> faceData = {0, 1, 2, 3};
    auto mesh = std::make_shared<zev::engine::Mesh>();
    mesh->SetVertices(mesh->AddGroup(4, 1, 4, faceData), 0, vertices);
    return mesh;
}

} // namespace enginetest
