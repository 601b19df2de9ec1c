// Picking in a workspace of 500 objects seen from the top camera.

#include "engine/Frame.h"
#include "engine/Mesh.h"
#include "engine/MeshBuilder.h"
#include "engine/Viewport.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace zev::engine;

namespace {

// A closed shape of `sides` quads around the y axis with a top and a bottom of `sides`
// corners each split into fans of up to 7-corner faces; every corner its own vertex.
std::shared_ptr<Mesh> TowerMesh(int sides, float radius, float height) {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> data;
    std::uint32_t faces = 0;
    auto corner = [&](double angle, float y) {
        MeshVertex v;
        v.position = {static_cast<float>(radius * std::cos(angle)), y,
                      static_cast<float>(radius * std::sin(angle))};
        data.push_back(static_cast<std::uint32_t>(vertices.size()));
        vertices.push_back(v);
    };
    const double step = 2 * 3.14159265358979 / sides;
    for (int i = 0; i < sides; ++i) {
        data.push_back(4);
        corner(i * step, 0);
        corner(i * step, height);
        corner((i + 1) * step, height);
        corner((i + 1) * step, 0);
        ++faces;
    }
    for (float y : {0.0f, height})
        for (int first = 1; first + 1 < sides; first += 5) {
            const int count = std::min(5, sides - 1 - first);
            data.push_back(static_cast<std::uint32_t>(count + 2));
            corner(0, y);
            for (int k = 0; k <= count; ++k)
                corner((first + k) * step, y);
            ++faces;
        }
    auto mesh = std::make_shared<Mesh>();
    const int group = mesh->AddGroup(vertices.size(), faces, Mesh::kVariableCorners, data);
    mesh->SetVertices(group, 0, vertices);
    return mesh;
}

struct Workspace {
    std::shared_ptr<Frame> scene = Frame::Create();
    std::shared_ptr<Frame> camera = Frame::Create(scene.get());
    std::unique_ptr<Viewport> viewport;

    explicit Workspace(int objectCount) {
        camera->SetPosition(scene.get(), 0, 120, 0);
        camera->SetOrientation(scene.get(), {0, 0, 1}, {0, 1, 0});
        camera->AddRotation(Combine::Before, {1, 0, 0}, 1.5705);
        viewport = std::make_unique<Viewport>(camera, 0, 0, 1024, 768);
        viewport->SetBack(30000);

        auto ground = Frame::Create(scene.get());
        ground->SetPosition(scene.get(), 0, -0.9, 0);
        auto groundMesh = std::make_shared<Mesh>();
        std::vector<MeshVertex> quad(4);
        quad[0].position = {-50000, 0, -50000};
        quad[1].position = {-50000, 0, 50000};
        quad[2].position = {50000, 0, 50000};
        quad[3].position = {50000, 0, -50000};
        const std::vector<std::uint32_t> face = {0, 1, 2, 3};
        groundMesh->SetVertices(groundMesh->AddGroup(4, 1, 4, face), 0, quad);
        ground->AddVisual(groundMesh);

        auto objects = Frame::Create(scene.get());
        // Each object its own builder, as every drop converts its geometry afresh.
        for (int i = 0; i < objectCount; ++i) {
            auto builder = std::make_shared<MeshBuilder>();
            builder->AddMesh(*TowerMesh(24, 1.5f, 4));
            builder->GenerateNormals();
            auto frame = Frame::Create(objects.get());
            frame->SetAppData(i);
            frame->SetPosition(objects.get(), (i % 25 - 12) * 6.0, 0, (i / 25 - 10) * 6.0);
            frame->TurnDegrees(objects.get(), {0, 1, 0}, i * 7);
            frame->AddVisual(builder);
        }
    }
};

void PickAtFiveHundredObjects(benchmark::State& state) {
    Workspace workspace(500);
    const Viewport& viewport = *workspace.viewport;
    // A point over an object near the centre and one over bare ground.
    const Vector4 s = viewport.Transform({0, 4, 0});
    const double x = state.range(0) ? s.x / s.w : 5;
    const double y = state.range(0) ? s.y / s.w : 5;
    std::size_t hits = 0;
    for (auto _ : state) {
        const auto found = viewport.Pick(x, y);
        hits = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(PickAtFiveHundredObjects)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void TransformRoundTrip(benchmark::State& state) {
    Workspace workspace(0);
    const Viewport& viewport = *workspace.viewport;
    for (auto _ : state) {
        const Vector4 s = viewport.Transform({3, 0, 7});
        benchmark::DoNotOptimize(viewport.InverseTransform({400 * s.w, 300 * s.w, s.z, s.w}));
    }
}
BENCHMARK(TransformRoundTrip);

} // namespace
