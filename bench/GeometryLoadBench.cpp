// Loading a full mission's objects: 500 geometry lookups through WTB.IDX, each followed by the
// read and conversion of the geometry, over archives of growing size; and the conversion alone.

#include "gamedata/ArchiveWriter.h"
#include "gamedata/DemoGeometry.h"
#include "gamedata/GeoScan.h"
#include "gamedata/GeometryConverter.h"
#include "gamedata/GeometryLoader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

using namespace zev::gamedata;
namespace fs = std::filesystem;

namespace {

std::string objectName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "geo%05d", i);
    return name;
}

// An archive of `entries` geometries, the demo geometries over and over, with its index files
// built; made once per size.
fs::path loadSetup(int entries) {
    static std::map<int, fs::path> made;
    if (auto it = made.find(entries); it != made.end())
        return it->second;
    const fs::path dir =
        fs::temp_directory_path() / ("zevedit-load-bench-" + std::to_string(entries));
    fs::create_directories(dir / "game");
    fs::create_directories(dir / "home");
    const auto& demo = demo::demoGeometries();
    ArchiveWriter writer;
    auto& poly = writer.addSection("POLY");
    for (int i = 0; i < entries; ++i)
        poly.addEntry(objectName(i), objectName(i) + ".geo",
                      encodeGeometry(demo[std::size_t(i) % demo.size()].geometry));
    poly.addEntry("END", "end.end");
    writer.addSection("MEK").addEntry("END", "end.end");
    writer.addSection("BWD").addEntry("END", "end.end");
    zev::common::SilentReporter quiet;
    if (!writer.writeTo(dir / "game" / "ZEV.PRJ") ||
        !ScanGeoTable(dir / "game", dir / "home", quiet).indexCurrent)
        std::abort();
    made[entries] = dir;
    return dir;
}

void LoadMissionObjects500(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const fs::path dir = loadSetup(entries);
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i)
        names.push_back(objectName(static_cast<int>((static_cast<long>(i) * 7919) % entries)));
    std::string lastError;
    std::size_t corners = 0;
    for (auto _ : state) {
        for (const std::string& name : names) {
            Mesh mesh;
            if (!loadObjectMesh(dir / "game" / "ZEV.PRJ", dir / "home", name, {1, 1, 1}, mesh,
                                lastError))
                state.SkipWithError(lastError.c_str());
            corners += mesh.vertexCount();
            benchmark::DoNotOptimize(mesh);
        }
    }
    state.SetComplexityN(entries);
    state.SetItemsProcessed(state.iterations() * 500);
    state.counters["corners/load"] =
        benchmark::Counter(double(corners) / double(state.iterations() * 500));
}
BENCHMARK(LoadMissionObjects500)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The conversion alone, from bytes in memory: 500 demo geometries.
void ConvertGeometry500(benchmark::State& state) {
    std::vector<std::vector<std::uint8_t>> images;
    for (const auto& g : demo::demoGeometries())
        images.push_back(encodeGeometry(g.geometry));
    std::string lastError;
    for (auto _ : state) {
        for (int i = 0; i < 500; ++i) {
            Mesh mesh;
            ConvertGeometry(images[std::size_t(i) % images.size()], {1, 1, 1}, {}, mesh, lastError);
            benchmark::DoNotOptimize(mesh);
        }
    }
    state.SetItemsProcessed(state.iterations() * 500);
}
BENCHMARK(ConvertGeometry500)->Unit(benchmark::kMillisecond);

} // namespace
