// Save and open of a full mission: 500 objects with briefings.

#include "mission/MissionFile.h"
#include "mission/NewMission.h"

#include <benchmark/benchmark.h>
#include <filesystem>

using namespace zev::mission;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<MissionDocument> fullMission() {
    auto doc = std::make_unique<MissionDocument>();
    storeSelection(*doc, {"BNCH", "Benchmark", 8, true, false});
    resetToNewMission(*doc, fs::temp_directory_path(), 0);
    zev::common::SilentReporter quiet;
    for (int i = 0; i < ObjectTable::capacity; ++i) {
        MissionObjectRecord& r = *doc->objects.find(doc->objects.allocate(quiet).value());
        r.setText(MissionObjectRecord::objectName, "tower" + std::to_string(i));
        r.setInt32(MissionObjectRecord::position(0), 100 * i);
    }
    for (auto& b : doc->briefings)
        b.assign(4000, 'x');
    return doc;
}

fs::path benchDirectory() {
    const fs::path dir = fs::temp_directory_path() / "zevedit-bench";
    fs::create_directories(dir);
    return dir;
}

void SaveFullMission(benchmark::State& state) {
    auto doc = fullMission();
    const fs::path dir = benchDirectory();
    zev::common::SilentReporter quiet;
    const RecordPositions positions(*doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(MissionFile::save(*doc, dir / "full.mdb", positions, 0, quiet));
    state.SetBytesProcessed(state.iterations() * fs::file_size(dir / "full.mdb"));
}
BENCHMARK(SaveFullMission)->Unit(benchmark::kMillisecond);

void OpenFullMission(benchmark::State& state) {
    auto doc = fullMission();
    const fs::path dir = benchDirectory();
    zev::common::SilentReporter quiet;
    MissionFile::save(*doc, dir / "full.mdb", RecordPositions(*doc), 0, quiet);
    MissionDocument loaded;
    std::uint8_t patch = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(MissionFile::open(loaded, patch, dir / "full.mdb", quiet));
    state.SetBytesProcessed(state.iterations() * fs::file_size(dir / "full.mdb"));
}
BENCHMARK(OpenFullMission)->Unit(benchmark::kMillisecond);

void EncodeDecodeInMemory(benchmark::State& state) {
    auto doc = fullMission();
    const auto order = doc->objects.occupiedSlots();
    for (auto _ : state) {
        auto bytes = MissionFile::encode(*doc, order);
        benchmark::DoNotOptimize(MissionFile::decode(bytes).document);
    }
}
BENCHMARK(EncodeDecodeInMemory)->Unit(benchmark::kMillisecond);

} // namespace
