// The Build of a full mission: 500 objects with every task enabled, briefings in colour.

#include "build/Build.h"
#include "build/HeadlessScene.h"
#include "build/ObjectScript.h"
#include "build/RtfBriefing.h"

#include "mission/NewMission.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>

using namespace zev::mission;
using namespace zev::build;
namespace fs = std::filesystem;
using R = MissionObjectRecord;

namespace {

void enableEveryTask(R& r, int i) {
    r.setText(R::alternateName, "alt" + std::to_string(i));
    r.setText(R::chunkName, "chunk" + std::to_string(i));
    r.setByte(R::canTarget, 1);
    r.setByte(R::collisionOn, 1);
    r.setText(R::gamethingRole, "defend;destroy;recon");
    r.setText(R::targetingInfo, "Target");
    r.setText(R::inspectionInfo, "Inspection");
    r.setByte(R::spinnerEnabled, 1);
    r.setFloat32(R::spinnerTime, 1.25f);
    r.setByte(R::colorSpinEnabled, 1);
    r.setByte(R::flyCircleEnabled, 1);
    r.setByte(R::ambientSoundEnabled, 1);
    r.setText(R::ambientSoundFile, "AEROTCH1");
    r.setByte(R::pathEnabled, 1);
    r.setText(R::pathLooping, "loop");
    r.setText(R::pathRotation, "rotate");
    for (int p = 0; p < R::pathPointCount; ++p) {
        r.setByte(R::pathPointEnabled(p), 1);
        r.setInt32(R::pathPointPosition(p, 0), 100 * p);
    }
}

std::unique_ptr<MissionDocument> fullMission() {
    auto doc = std::make_unique<MissionDocument>();
    storeSelection(*doc, {"BNCH", "Benchmark", 8, true, false});
    resetToNewMission(*doc, fs::temp_directory_path(), 0);
    zev::common::SilentReporter quiet;
    for (int i = 0; i < ObjectTable::capacity; ++i) {
        R& r = *doc->objects.find(doc->objects.allocate(quiet).value());
        r.setText(R::objectName, "tower" + std::to_string(i));
        r.setText(R::areaFile, std::to_string(1 + i % 8));
        for (int axis = 0; axis < 3; ++axis) {
            r.setInt32(R::scale(axis), 1);
            r.setInt32(R::position(axis), 150 * i - 30000);
        }
        enableEveryTask(r, i);
    }
    std::vector<ColourRun> runs;
    for (int line = 0; line < 60; ++line)
        runs.push_back({"Line " + std::to_string(line) + " of the briefing text.\n",
                        line % 2 ? kBriefingRed : kBriefingWhite});
    const std::string rtf = writeBriefingRtf(runs);
    for (auto& b : doc->briefings)
        b.assign(rtf.begin(), rtf.end());
    return doc;
}

fs::path benchHome() {
    std::random_device rd;
    const fs::path dir =
        fs::temp_directory_path() / ("zevedit-build-bench-" + std::to_string(rd()));
    fs::create_directories(dir);
    return dir;
}

void BuildFullMission(benchmark::State& state) {
    auto doc = fullMission();
    const fs::path home = benchHome();
    zev::common::SilentReporter quiet;
    const HeadlessScene scene(*doc);
    for (auto _ : state)
        if (!buildMission(*doc, scene, home, quiet))
            state.SkipWithError("build failed");
    std::error_code ec;
    fs::remove_all(home, ec);
}
BENCHMARK(BuildFullMission)->Unit(benchmark::kMillisecond);

// The object script text alone, without the file system.
void ObjectScriptText(benchmark::State& state) {
    auto doc = fullMission();
    for (auto _ : state) {
        std::size_t total = 0;
        int k = 0;
        for (int slot : doc->objects.occupiedSlots())
            total += objectSection(k++, *doc->objects.find(slot), {100, 200, 300}).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(ObjectScriptText)->Unit(benchmark::kMillisecond);

void ConvertBriefing(benchmark::State& state) {
    auto doc = fullMission();
    const auto& page = doc->briefings[0];
    for (auto _ : state)
        benchmark::DoNotOptimize(convertBriefingRtf(page));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(ConvertBriefing);

} // namespace
