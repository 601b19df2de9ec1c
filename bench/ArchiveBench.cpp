// The GEO scan over generated archives of growing size, and geometry lookups through WTB.IDX
// (500 lookups: the load of a full mission), the cached index against a pass over the file.

#include "gamedata/ArchiveWriter.h"
#include "gamedata/GeoScan.h"
#include "gamedata/IndexFiles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

using namespace zev::gamedata;
namespace fs = std::filesystem;

namespace {

std::string geometryName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "obj%05d", i);
    return name;
}

// A directory with an archive of `polyEntries` geometries (64 bytes each), 200 configurations
// and 100 chassis entries, and a program directory beside it; made once per size.
fs::path benchSetup(int polyEntries) {
    static std::map<int, fs::path> made;
    if (auto it = made.find(polyEntries); it != made.end())
        return it->second;
    const fs::path dir =
        fs::temp_directory_path() / ("zevedit-archive-bench-" + std::to_string(polyEntries));
    fs::create_directories(dir / "game");
    fs::create_directories(dir / "home");
    ArchiveWriter writer;
    const std::vector<std::uint8_t> geometry(64, 7);
    auto& poly = writer.addSection("POLY");
    for (int i = 0; i < polyEntries; ++i)
        poly.addEntry(geometryName(i), geometryName(i) + ".geo", geometry);
    poly.addEntry("END", "end.end");
    auto& mek = writer.addSection("MEK");
    for (int i = 0; i < 200; ++i)
        mek.addEntry("VRL" + std::to_string(100 + i), "config.mek", geometry);
    auto& bwd = writer.addSection("BWD");
    for (int i = 0; i < 100; ++i)
        bwd.addEntry(i % 2 ? "VORLANE" : "SOUNDFX", "chassis.bwd", geometry);
    if (!writer.writeTo(dir / "game" / "ZEV.PRJ"))
        std::abort();
    made[polyEntries] = dir;
    return dir;
}

void GeoScan(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const fs::path dir = benchSetup(entries);
    zev::common::SilentReporter quiet;
    for (auto _ : state) {
        const GeoScanResult result = ScanGeoTable(dir / "game", dir / "home", quiet);
        if (!result.indexCurrent)
            state.SkipWithError("scan failed");
    }
    state.SetComplexityN(entries);
    state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(GeoScan)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity();

void scanOnce(const fs::path& dir) {
    zev::common::SilentReporter quiet;
    if (!CheckIndexFiles(dir / "game", dir / "home") &&
        !ScanGeoTable(dir / "game", dir / "home", quiet).indexCurrent)
        std::abort();
}

// 500 names spread over the whole table, so half of them lie in the second half of the file.
std::vector<std::string> missionNames(int entries) {
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i)
        names.push_back(geometryName(static_cast<int>((static_cast<long>(i) * 7919) % entries)));
    return names;
}

void FindGeometry500(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const fs::path dir = benchSetup(entries);
    scanOnce(dir);
    const auto names = missionNames(entries);
    std::string lastError;
    for (auto _ : state) {
        for (const auto& name : names) {
            ProjectArchive archive;
            auto found = FindGeometry(archive, dir / "game", dir / "home", name, lastError);
            if (!found)
                state.SkipWithError("not found");
            benchmark::DoNotOptimize(found);
        }
    }
    state.SetComplexityN(entries);
    state.SetItemsProcessed(state.iterations() * 500);
}
BENCHMARK(FindGeometry500)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The lookup as a pass over WTB.IDX, record by record, for comparison: what every lookup costs
// without the cached index.
void FileScanLookup500(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const fs::path dir = benchSetup(entries);
    scanOnce(dir);
    const auto names = missionNames(entries);
    const fs::path index = dir / "home" / "WTB.IDX";
    for (auto _ : state) {
        for (const auto& name : names) {
            std::FILE* f = std::fopen(index.c_str(), "rb");
            std::fseek(f, 324, SEEK_SET);
            GeometryIndexRecord record;
            std::uint32_t offset = 0;
            while (std::fread(record.bytes().data(), 1, record.size, f) == record.size) {
                if (geometryNameMatches(record.text(GeometryIndexRecord::longName), name)) {
                    offset =
                        static_cast<std::uint32_t>(record.int32(GeometryIndexRecord::dataOffset));
                    break;
                }
            }
            std::fclose(f);
            benchmark::DoNotOptimize(offset);
        }
    }
    state.SetComplexityN(entries);
    state.SetItemsProcessed(state.iterations() * 500);
}
BENCHMARK(FileScanLookup500)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace

namespace {

// The one-time cost after WTB.IDX changed: reading and hashing the whole file.
void LoadGeometryIndex(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const fs::path dir = benchSetup(entries);
    scanOnce(dir);
    const fs::path index = dir / "home" / "WTB.IDX";
    for (auto _ : state) {
        forgetCachedGeometryIndexes();
        benchmark::DoNotOptimize(cachedGeometryIndex(index));
    }
    state.SetComplexityN(entries);
}
BENCHMARK(LoadGeometryIndex)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace
