// What the docks beside the workspace cost at 500 objects: the outline's share of one change
// (the editor's notice, the row made anew, the search matched against it) and one run of the
// mission check the problem list shows.

#include "build/MissionCheck.h"
#include "edit/InspectorModel.h"
#include "edit/MissionEditor.h"
#include "edit/ObjectCommands.h"
#include "edit/OutlineModel.h"
#include "gamedata/DemoData.h"
#include "gamedata/ObjectGroupCatalog.h"
#include "mission/NewMission.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace zev;
using R = mission::MissionObjectRecord;

namespace {

// Demo game data in a temporary directory, made once.
const gamedata::demo::DemoDataPaths& demoData() {
    static const gamedata::demo::DemoDataPaths paths = [] {
        const auto dir = std::filesystem::temp_directory_path() / "zev-docks-bench";
        common::SilentReporter silent;
        gamedata::demo::writeDemoData(dir, silent);
        return gamedata::demo::demoDataPaths(dir);
    }();
    return paths;
}

// A mission of `count` objects dropped from the demo groups, spread over a grid.
std::unique_ptr<mission::MissionDocument> missionOf(int count) {
    auto document = std::make_unique<mission::MissionDocument>();
    mission::resetToNewMission(*document, demoData().programDirectory, 0);
    mission::storeSelection(*document, {"DEMO", "Docks", 4, true, false});
    std::vector<gamedata::ObjectGroupRecord> records;
    for (const auto& group : gamedata::demo::demoObjectGroups())
        for (const auto& r : group.records)
            if (r.byte(gamedata::ObjectGroupRecord::readyMadeGroup) == 0)
                records.push_back(r);
    common::SilentReporter silent;
    for (int i = 0; i < count; ++i) {
        R o;
        const auto& from = records[std::size_t(i) % records.size()];
        o.setText(R::objectName, from.text(gamedata::ObjectGroupRecord::objectName));
        o.setText(R::menuText, from.text(gamedata::ObjectGroupRecord::menuText));
        o.setText(R::areaFile, std::to_string(1 + i % 8));
        for (int axis = 0; axis < 3; ++axis)
            o.setInt32(R::scale(axis), 1);
        o.setInt32(R::position(0), (i % 25) * 1000);
        o.setInt32(R::position(2), (i / 25) * 1000);
        document->objects.place(*document->objects.allocate(silent), o);
    }
    return document;
}

void BM_OutlineOneObjectChange(benchmark::State& state) {
    edit::MissionEditor editor;
    editor.startMission(*missionOf(int(state.range(0))));
    const auto groups = gamedata::ObjectGroupCatalog::load(demoData().programDirectory);
    edit::OutlineModel outline(editor, &groups);
    const edit::OutlineFilter filter("group:buildings area:3");
    const int slot = int(state.range(0)) / 2;
    R a = *editor.document().objects.find(slot), b = a;
    b.setText(R::menuText, "Renamed");
    bool flip = false;
    for (auto _ : state) {
        editor.applyObjectRecord(slot, (flip = !flip) ? b : a);
        const int row = outline.rowOf(edit::Selection::object(slot));
        benchmark::DoNotOptimize(filter.matches(outline.rows()[std::size_t(row)]));
    }
}
BENCHMARK(BM_OutlineOneObjectChange)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_OutlineDeleteAndUndo(benchmark::State& state) {
    edit::MissionEditor editor;
    editor.startMission(*missionOf(int(state.range(0))));
    const auto groups = gamedata::ObjectGroupCatalog::load(demoData().programDirectory);
    edit::OutlineModel outline(editor, &groups);
    const int slot = int(state.range(0)) / 2;
    for (auto _ : state) {
        editor.execute(std::make_unique<edit::RemoveObjectCommand>(slot));
        editor.undo();
    }
    benchmark::DoNotOptimize(outline.rows().size());
}
BENCHMARK(BM_OutlineDeleteAndUndo)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_OutlineWholeSearch(benchmark::State& state) {
    edit::MissionEditor editor;
    editor.startMission(*missionOf(int(state.range(0))));
    edit::OutlineModel outline(editor);
    for (auto _ : state) {
        const edit::OutlineFilter filter("tank area:3");
        int shown = 0;
        for (const auto& row : outline.rows())
            shown += filter.matches(row);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_OutlineWholeSearch)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_InspectorFieldsOfTwelve(benchmark::State& state) {
    edit::MissionEditor editor;
    editor.startMission(*missionOf(500));
    edit::InspectorModel inspector(editor);
    std::vector<int> slots;
    for (int i = 0; i < 12; ++i)
        slots.push_back(i * 7);
    inspector.inspect(slots);
    for (auto _ : state)
        for (const std::string& key : edit::InspectorModel::keys())
            benchmark::DoNotOptimize(inspector.value(key));
}
BENCHMARK(BM_InspectorFieldsOfTwelve)->Unit(benchmark::kMicrosecond);

void BM_MissionCheck(benchmark::State& state) {
    const auto document = missionOf(int(state.range(0)));
    const auto groups = gamedata::ObjectGroupCatalog::load(demoData().programDirectory);
    build::CheckContext context{demoData().programDirectory, demoData().archive, nullptr, &groups};
    for (auto _ : state)
        benchmark::DoNotOptimize(build::checkMission(*document, context));
}
BENCHMARK(BM_MissionCheck)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
