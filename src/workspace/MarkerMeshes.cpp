#include "workspace/MarkerMeshes.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zev::workspace {

namespace {

using engine::MeshVertex;
using engine::Vector3;

// Faces of one group with unshared corners, each wound so that it faces a given side.
class FaceCollector {
public:
    // Adds a face whose corners run around its outline in either direction; the corners are put
    // in the order that makes the face look toward `outward`.
    void Add(std::vector<Vector3> corners, const Vector3& outward) {
        Vector3 normal;
        for (std::size_t i = 1; i + 1 < corners.size(); ++i)
            normal = normal + Vector3::Cross(corners[i] - corners[0], corners[i + 1] - corners[0]);
        if (Vector3::Dot(normal, outward) < 0)
            std::reverse(corners.begin() + 1, corners.end());
        faceData_.push_back(static_cast<std::uint32_t>(corners.size()));
        for (const Vector3& c : corners) {
            faceData_.push_back(static_cast<std::uint32_t>(vertices_.size()));
            MeshVertex v;
            v.position = {static_cast<float>(c.x), static_cast<float>(c.y),
                          static_cast<float>(c.z)};
            vertices_.push_back(v);
        }
        ++faceCount_;
    }

    // An axis-aligned box from `lo` to `hi`.
    void Box(const Vector3& lo, const Vector3& hi) {
        const Vector3 centre = (lo + hi) * 0.5;
        auto corner = [&](int i) {
            return Vector3{(i & 1) ? hi.x : lo.x, (i & 2) ? hi.y : lo.y, (i & 4) ? hi.z : lo.z};
        };
        // Each side as four corner numbers around its outline.
        static constexpr std::array<std::array<int, 4>, 6> kSides{{
            {0, 2, 6, 4}, // x low
            {1, 3, 7, 5}, // x high
            {0, 1, 5, 4}, // y low
            {2, 3, 7, 6}, // y high
            {0, 1, 3, 2}, // z low
            {4, 5, 7, 6}, // z high
        }};
        for (const auto& side : kSides) {
            std::vector<Vector3> corners;
            Vector3 mid;
            for (int i : side) {
                corners.push_back(corner(i));
                mid = mid + corner(i) * 0.25;
            }
            Add(std::move(corners), mid - centre);
        }
    }

    std::shared_ptr<engine::MeshBuilder> Build() const {
        engine::Mesh mesh;
        const int group =
            mesh.AddGroup(vertices_.size(), faceCount_, engine::Mesh::kVariableCorners, faceData_);
        mesh.SetVertices(group, 0, vertices_);
        auto builder = std::make_shared<engine::MeshBuilder>();
        builder->AddMesh(mesh);
        builder->GenerateNormals();
        return builder;
    }

private:
    std::vector<MeshVertex> vertices_;
    std::vector<std::uint32_t> faceData_;
    std::size_t faceCount_ = 0;
};

} // namespace

std::shared_ptr<engine::MeshBuilder> StartPointMarkerModel() {
    FaceCollector f;
    // Feet reach furthest forward (+z) and back.
    f.Box({-0.75, 0.0, -0.65}, {-0.25, 0.2, 0.60});
    f.Box({0.25, 0.0, -0.65}, {0.75, 0.2, 0.60});
    // Legs.
    f.Box({-0.70, 0.2, -0.25}, {-0.30, 1.6, 0.25});
    f.Box({0.30, 0.2, -0.25}, {0.70, 1.6, 0.25});
    // Body, with a visor plate in front so the figure shows which way it faces.
    f.Box({-0.80, 1.6, -0.45}, {0.80, 2.9, 0.45});
    f.Box({-0.50, 2.2, 0.45}, {0.50, 2.6, 0.55});
    // Arms hang at the sides.
    f.Box({-1.075, 1.5, -0.25}, {-0.80, 2.8, 0.25});
    f.Box({0.80, 1.5, -0.25}, {1.075, 2.8, 0.25});
    // Head.
    f.Box({-0.35, 2.9, -0.35}, {0.35, 3.725, 0.40});
    return f.Build();
}

std::shared_ptr<engine::MeshBuilder> NavPointMarkerModel() {
    FaceCollector f;
    // A double pyramid whose points lie on the axes at distance 2, with a belt of eight
    // triangles around its middle so it reads as a beacon from every side.
    const Vector3 top{0, 2, 0}, bottom{0, -2, 0};
    std::array<Vector3, 8> belt;
    for (int i = 0; i < 8; ++i) {
        const double r = (i % 2 == 0) ? 2.0 : 1.2;
        // Even corners on the axes (x and z reach 2 exactly), odd ones between them.
        static constexpr std::array<std::array<double, 2>, 8> kDirections{
            {{1, 0},
             {0.7071067811865476, 0.7071067811865476},
             {0, 1},
             {-0.7071067811865476, 0.7071067811865476},
             {-1, 0},
             {-0.7071067811865476, -0.7071067811865476},
             {0, -1},
             {0.7071067811865476, -0.7071067811865476}}};
        belt[std::size_t(i)] = {r * kDirections[std::size_t(i)][0], 0,
                                r * kDirections[std::size_t(i)][1]};
    }
    for (std::size_t i = 0; i < belt.size(); ++i) {
        const Vector3& a = belt[i];
        const Vector3& b = belt[(i + 1) % belt.size()];
        const Vector3 side = (a + b) * 0.5;
        f.Add({top, a, b}, side + Vector3{0, 1, 0});
        f.Add({bottom, a, b}, side - Vector3{0, 1, 0});
    }
    return f.Build();
}

std::shared_ptr<engine::Mesh> GroundQuad() {
    constexpr float kHalf = 50000.0f;
    const std::array<MeshVertex, 4> vertices{{
        {{-kHalf, 0, -kHalf}, {0, 1, 0}, 0, 0},
        {{-kHalf, 0, kHalf}, {0, 1, 0}, 1, 0},
        {{kHalf, 0, kHalf}, {0, 1, 0}, 1, 1},
        {{kHalf, 0, -kHalf}, {0, 1, 0}, 0, 1},
    }};
    const std::array<std::uint32_t, 4> face{0, 1, 2, 3};
    auto mesh = std::make_shared<engine::Mesh>();
    const int group = mesh->AddGroup(vertices.size(), 1, 4, face);
    mesh->SetVertices(group, 0, vertices);
    return mesh;
}

} // namespace zev::workspace
