// The workspace with the demo mission up to its object limit: 50 to 500 objects in front of the
// side camera, drawn offscreen at 1024 x 768 (Mesa's llvmpipe here), picked, and built.
// Rendering needs an OpenGL 3.3 context: run under xvfb-run where there is no display.
//
// `--pictures DIR` first writes the 500-object mission's front and top views in every fill and
// shade the benchmarks draw (front-gouraud.png, ...), for comparing pictures across changes;
// `--mission FILE` writes that mission (to open in the editor and measure it there).
//
// Each object count has a workspace (and an OpenGL context) of its own, made at first use, so
// rss_MB grows over a whole run; for the memory of one mission, run its case alone
// (--benchmark_filter=BM_RenderFrameGouraud/500).

#include "common/Reporter.h"
#include "edit/SelectionCommands.h"
#include "edit/WorkspaceTools.h"
#include "gamedata/DemoData.h"
#include "gamedata/DemoGeometry.h"
#include "mission/MissionFile.h"
#include "mission/MissionObjectRecord.h"
#include "mission/NewMission.h"
#include "platform/SettingsStore.h"
#include "workspace/MissionScene.h"
#include "workspace/OffscreenRender.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <unistd.h>

namespace {

using namespace zev;
using namespace zev::workspace;
namespace fs = std::filesystem;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kObjects = 500;

// Resident memory of this process in bytes.
double ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

struct Workspace {
    fs::path dir;
    gamedata::demo::DemoDataPaths paths;
    std::unique_ptr<platform::SettingsStore> settings;
    std::unique_ptr<TObjectPiece> piece;
    edit::MissionEditor editor; // outlives the scene that listens to it
    std::unique_ptr<MissionScene> scene;
    std::unique_ptr<mission::MissionDocument> document;
    std::unique_ptr<OffscreenRender> offscreen;
    std::string glError;

    // With `inView` every object stands inside the front view; otherwise they are spread over
    // a wide grid around the camera, as in a mission laid out over the map.
    Workspace(bool inView, int objects) {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("zevedit-bench-" + std::to_string(rd()));
        common::SilentReporter reporter;
        gamedata::demo::writeDemoData(dir, reporter);
        paths = gamedata::demo::demoDataPaths(dir);
        settings = std::make_unique<platform::SettingsStore>(
            QString::fromStdString((dir / "settings.ini").string()));
        piece = std::make_unique<TObjectPiece>(paths.archive, paths.programDirectory);
        scene = std::make_unique<MissionScene>(*settings, piece.get());
        scene->Setup();
        scene->Attach(&editor);
        document = MakeMission(inView, objects);
        editor.openMission(*document, scene->ShowCheck(), reporter);
        offscreen = std::make_unique<OffscreenRender>();
        if (!offscreen->Begin(kWidth, kHeight))
            glError = offscreen->ErrorText();
    }

    ~Workspace() {
        offscreen.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // Up to 500 objects on 20 rows of 25, every 25th a ready-made group, the rest cycling
    // through the demo geometries; fewer objects fill the first rows. In view: rows from 60 to 440
    // units ahead of the side camera (over player 1's start point, 17, -854), each row spread over
    // 80 % of the view's width there. Spread: a 15-unit grid 360 units wide from 34 units ahead on.
    std::unique_ptr<mission::MissionDocument> MakeMission(bool inView, int objects) const {
        auto doc = std::make_unique<mission::MissionDocument>();
        mission::resetToNewMission(*doc, paths.programDirectory, 0);
        const auto& geometries = gamedata::demo::demoGeometries();
        const auto groups = gamedata::demo::demoReadyMadeGroups();
        using R = mission::MissionObjectRecord;
        for (int slot = 0; slot < objects; ++slot) {
            R record;
            const bool group = slot % 25 == 24;
            record.setText(R::objectName,
                           group ? groups[std::size_t(slot / 25) % groups.size()].name
                                 : geometries[std::size_t(slot) % geometries.size()].stem);
            record.setByte(R::readyMadeGroup, group ? 1 : 0);
            for (int axis = 0; axis < 3; ++axis)
                record.setInt32(R::scale(axis), 1);
            const int column = slot % 25 - 12;
            const int row = slot / 25;
            if (inView) {
                const double ahead = 60 + 20 * row;
                record.setInt32(R::position(0), int(100 * (17 + column / 12.0 * 0.4 * ahead)));
                record.setInt32(R::position(2), int(100 * (-854 + ahead)));
            } else {
                record.setInt32(R::position(0), 1700 + column * 1500);
                record.setInt32(R::position(2), -82000 + row * 1500);
            }
            record.setInt32(R::mainRotation(1), (slot * 37) % 360);
            doc->objects.place(slot, record);
        }
        return doc;
    }

    engine::Viewport MakeViewport() const {
        engine::Viewport viewport(scene->CurrentCamera(), 0, 0, kWidth, kHeight);
        viewport.SetBack(MissionScene::kBackDistance);
        return viewport;
    }
};

// One workspace per layout and object count, made at first use and kept for the run (one GL
// context each); main lets them go before the program ends, while OpenGL is still there.
std::map<std::pair<bool, int>, std::unique_ptr<Workspace>>& Workspaces() {
    static std::map<std::pair<bool, int>, std::unique_ptr<Workspace>> workspaces;
    return workspaces;
}

Workspace& Shared(bool inView = true, int objects = kObjects) {
    static QGuiApplication* app = [] {
        PrepareOffscreenPlatform();
        static int argc = 1;
        static char name[] = "zev_workspace_bench";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    auto& slot = Workspaces()[{inView, objects}];
    if (!slot)
        slot = std::make_unique<Workspace>(inView, objects);
    return *slot;
}

void RenderFrames(benchmark::State& state, engine::RenderQuality quality, bool inView = true,
                  int objects = kObjects) {
    Workspace& w = Shared(inView, objects);
    if (!w.glError.empty()) {
        state.SkipWithError(w.glError.c_str());
        return;
    }
    const engine::Viewport viewport = w.MakeViewport();
    w.offscreen->Render(*w.scene->Scene(), viewport, quality); // uploads
    w.offscreen->Finish();
    for (auto _ : state) {
        w.offscreen->Render(*w.scene->Scene(), viewport, quality);
        w.offscreen->Finish();
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["draws"] = double(w.offscreen->Renderer().LastDrawCount());
    state.counters["culled"] = double(w.offscreen->Renderer().LastCulledCount());
    state.counters["calls"] = double(w.offscreen->Renderer().LastBatchCount());
    state.counters["hidden"] = double(w.offscreen->Renderer().LastHiddenCount());
    state.counters["gpu_mesh_MB"] = double(w.offscreen->Renderer().CachedBytes()) / 1e6;
    state.counters["rss_MB"] = ResidentBytes() / 1e6;
}

// Frames of the front view with the argument's number of objects in it.
void ObjectCounts(benchmark::internal::Benchmark* b) {
    b->Arg(50)->Arg(100)->Arg(250)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_RenderFrameGouraud(benchmark::State& state) {
    RenderFrames(state, engine::RenderQuality(), true, int(state.range(0)));
}
BENCHMARK(BM_RenderFrameGouraud)->Apply(ObjectCounts);

void BM_RenderFramePhong(benchmark::State& state) {
    RenderFrames(state, engine::RenderQuality().WithShade(engine::ShadeMode::Phong), true,
                 int(state.range(0)));
}
BENCHMARK(BM_RenderFramePhong)->Apply(ObjectCounts);

void BM_RenderFrameWireframe(benchmark::State& state) {
    RenderFrames(state, engine::RenderQuality().WithFill(engine::FillMode::Wireframe), true,
                 int(state.range(0)));
}
BENCHMARK(BM_RenderFrameWireframe)->Apply(ObjectCounts);

// The editor's own defaults: the ground grid and the editor's light on.
void RenderWithAids(benchmark::State& state, engine::RenderQuality quality) {
    WorkspaceRenderer& renderer = Shared().offscreen->Renderer();
    renderer.SetGroundGrid(true);
    renderer.SetEditorLighting(true);
    RenderFrames(state, quality);
    renderer.SetGroundGrid(false);
    renderer.SetEditorLighting(false);
}

void BM_RenderFrame500GridAndEditorLight(benchmark::State& state) {
    RenderWithAids(state, engine::RenderQuality());
}
BENCHMARK(BM_RenderFrame500GridAndEditorLight)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderFrame500PhongGridAndEditorLight(benchmark::State& state) {
    RenderWithAids(state, engine::RenderQuality().WithShade(engine::ShadeMode::Phong));
}
BENCHMARK(BM_RenderFrame500PhongGridAndEditorLight)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderFrame500Spread(benchmark::State& state) {
    RenderFrames(state, engine::RenderQuality(), false);
}
BENCHMARK(BM_RenderFrame500Spread)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderFrame500TopView(benchmark::State& state) {
    Workspace& w = Shared();
    w.scene->UseTopView(true);
    RenderFrames(state, engine::RenderQuality());
    w.scene->UseTopView(false);
}
BENCHMARK(BM_RenderFrame500TopView)->Unit(benchmark::kMillisecond)->UseRealTime();

// A pick through the middle of the picture, where objects stand one behind the other.
void BM_Pick500(benchmark::State& state) {
    Workspace& w = Shared();
    const engine::Viewport viewport = w.MakeViewport();
    std::size_t hits = 0;
    for (auto _ : state) {
        const auto picked = viewport.Pick(kWidth / 2.0, kHeight * 0.7);
        hits = picked.size();
        benchmark::DoNotOptimize(picked.data());
    }
    state.counters["hits"] = double(hits);
}
BENCHMARK(BM_Pick500)->Unit(benchmark::kMicrosecond);

// What a drag asks of the window: the viewport, and a frame drawn at once for every step.
struct BenchView : edit::ToolView {
    Workspace& w;
    engine::Viewport view;
    explicit BenchView(Workspace& workspace) : w(workspace), view(workspace.MakeViewport()) {}
    const engine::Viewport* viewport() const override { return &view; }
    void capturePointer(bool) override {}
    void drawNow() override {
        w.offscreen->Render(*w.scene->Scene(), view, w.scene->Quality());
        w.offscreen->Finish();
    }
    void showToolPointer(bool) override {}
    void showStatus(const edit::StatusReadout&) override {}
    void editSelection() override {}
};

// One step of a drag with 500 objects in the front view, as the mouse moves it: the pick of
// the status bar read-out, the move through the editor and the scene, and the frame drawn.
void BM_DragFrame500(benchmark::State& state) {
    Workspace& w = Shared();
    if (!w.glError.empty()) {
        state.SkipWithError(w.glError.c_str());
        return;
    }
    BenchView view(w);
    edit::WorkspaceSpeeds speeds;
    const edit::CameraRig rig{w.scene->Scene(), w.scene->SideCamera().get(),
                              w.scene->TopCamera().get()};
    edit::KeyActions keys(w.editor, rig, speeds);
    common::SilentReporter reporter;
    edit::ObjectDropper dropper(w.editor, w.paths.programDirectory, reporter);
    edit::WorkspaceTools tools(w.editor, keys, rig, dropper, view);
    // The object in the middle of the first row.
    const engine::Vector3 target = *w.editor.objectPosition(12);
    const engine::Vector4 at = view.view.Transform(target);
    const int x = int(at.x / at.w), y = int(at.y / at.w);
    tools.press(edit::MouseButton::Left, x, y);
    if (w.editor.selection() == edit::Selection::none()) {
        state.SkipWithError("nothing to drag under the pointer");
        return;
    }
    view.drawNow(); // uploads
    int step = 0;
    for (auto _ : state)
        tools.move(x, y - 30 * (++step % 2)); // five units up and back, a move every step
    tools.release();
    w.editor.undo();
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["rss_MB"] = ResidentBytes() / 1e6;
}
BENCHMARK(BM_DragFrame500)->Unit(benchmark::kMillisecond)->UseRealTime();

// Where the pointer picks an object in the top view, a unit above its base.
std::optional<std::pair<int, int>> PixelOnAnObject(const edit::WorkspaceTools& tools,
                                                   const Workspace& w,
                                                   const engine::Viewport& view) {
    for (int slot = 0; slot < kObjects; ++slot) {
        const engine::Vector4 at =
            view.Transform(*w.editor.objectPosition(slot) + engine::Vector3{0, 1, 0});
        const int x = int(at.x / at.w), y = int(at.y / at.w);
        const auto picked = tools.hoverAt(x, y);
        if (picked && picked->selection.kind == edit::Selection::Kind::Object)
            return std::pair{x, y};
    }
    return std::nullopt;
}

// A drag of everything: Select All over the 500 objects, then one step of a drag of them in
// the top view as the mouse moves it (the moves through the editor and the scene, the status
// read-out's pick) with the frame drawn (argument 1) or without (0).
void BM_DragSelection500(benchmark::State& state) {
    Workspace& w = Shared();
    const bool draw = state.range(0) != 0;
    if (draw && !w.glError.empty()) {
        state.SkipWithError(w.glError.c_str());
        return;
    }
    w.scene->UseTopView(true);
    struct View : BenchView {
        bool draw;
        View(Workspace& w, bool d) : BenchView(w), draw(d) {}
        void drawNow() override {
            if (draw)
                BenchView::drawNow();
        }
    } view(w, draw);
    edit::WorkspaceSpeeds speeds;
    const edit::CameraRig rig{w.scene->Scene(), w.scene->SideCamera().get(),
                              w.scene->TopCamera().get()};
    edit::KeyActions keys(w.editor, rig, speeds);
    keys.showTopView();
    common::SilentReporter reporter;
    edit::ObjectDropper dropper(w.editor, w.paths.programDirectory, reporter);
    edit::WorkspaceTools tools(w.editor, keys, rig, dropper, view);
    edit::selectAll(w.editor);
    const auto on = PixelOnAnObject(tools, w, view.view);
    const int x = on ? on->first : 0, y = on ? on->second : 0;
    tools.press(edit::MouseButton::Left, x, y);
    if (w.editor.selectionSize() != std::size_t(kObjects) || !w.editor.inGesture()) {
        w.scene->UseTopView(false);
        state.SkipWithError("the press did not take up the selection");
        return;
    }
    view.drawNow();
    int step = 0;
    for (auto _ : state)
        tools.move(x, y - 30 * (++step % 2));
    tools.release();
    w.editor.undo();
    edit::selectNone(w.editor);
    w.scene->UseTopView(false);
    state.counters["objects"] = double(kObjects);
}
BENCHMARK(BM_DragSelection500)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Undo of a drag of all 500 objects (60 mouse steps), through the editor and the scene.
void BM_UndoDragSelection500(benchmark::State& state) {
    Workspace& w = Shared();
    w.scene->UseTopView(true);
    struct View : BenchView {
        using BenchView::BenchView;
        void drawNow() override {}
    } view(w);
    edit::WorkspaceSpeeds speeds;
    const edit::CameraRig rig{w.scene->Scene(), w.scene->SideCamera().get(),
                              w.scene->TopCamera().get()};
    edit::KeyActions keys(w.editor, rig, speeds);
    keys.showTopView();
    common::SilentReporter reporter;
    edit::ObjectDropper dropper(w.editor, w.paths.programDirectory, reporter);
    edit::WorkspaceTools tools(w.editor, keys, rig, dropper, view);
    edit::selectAll(w.editor);
    const auto on = PixelOnAnObject(tools, w, view.view);
    if (!on) {
        w.scene->UseTopView(false);
        state.SkipWithError("no object under the pointer");
        return;
    }
    const auto [x, y] = *on;
    for (auto _ : state) {
        state.PauseTiming();
        tools.press(edit::MouseButton::Left, x, y);
        for (int step = 1; step <= 60; ++step)
            tools.move(x, y - 3 * step);
        tools.release();
        state.ResumeTiming();
        w.editor.undo();
    }
    edit::selectNone(w.editor);
    w.scene->UseTopView(false);
}
BENCHMARK(BM_UndoDragSelection500)->Unit(benchmark::kMillisecond)->UseRealTime();

// Building the scene of a loaded 500-object mission (geometry read from the archive each time).
void BM_LoadMissionScene500(benchmark::State& state) {
    Workspace& w = Shared();
    common::SilentReporter reporter;
    TObjectPiece piece(w.paths.archive, w.paths.programDirectory);
    edit::MissionEditor editor;
    MissionScene scene(*w.settings, &piece);
    scene.Setup();
    scene.Attach(&editor);
    for (auto _ : state)
        editor.openMission(*w.document, scene.ShowCheck(), reporter);
    state.counters["objects"] = double(scene.ObjectsFrame()->GetChildren().size());
}
BENCHMARK(BM_LoadMissionScene500)->Unit(benchmark::kMillisecond);

// The pictures of the 500-object mission, front and top, in each quality drawn above.
bool WritePictures(const fs::path& dir) {
    Workspace& w = Shared();
    if (!w.glError.empty()) {
        std::cerr << w.glError << "\n";
        return false;
    }
    fs::create_directories(dir);
    const std::pair<const char*, engine::RenderQuality> qualities[] = {
        {"gouraud", engine::RenderQuality()},
        {"phong", engine::RenderQuality().WithShade(engine::ShadeMode::Phong)},
        {"wire", engine::RenderQuality().WithFill(engine::FillMode::Wireframe)},
    };
    for (const bool top : {false, true}) {
        w.scene->UseTopView(top);
        const engine::Viewport viewport = w.MakeViewport();
        for (const auto& [name, quality] : qualities) {
            w.offscreen->Render(*w.scene->Scene(), viewport, quality);
            const fs::path file = dir / (std::string(top ? "top-" : "front-") + name + ".png");
            if (!w.offscreen->Image().save(QString::fromStdString(file.string()))) {
                std::cerr << "cannot write " << file << "\n";
                return false;
            }
        }
    }
    w.scene->UseTopView(false);
    return true;
}

bool WriteMission(const fs::path& file) {
    Workspace& w = Shared();
    common::RecordingReporter reporter;
    mission::MissionDocument copy = *w.document;
    if (mission::MissionFile::save(copy, file, mission::RecordPositions(copy), 0, reporter))
        return true;
    for (const auto& message : reporter.messages)
        std::cerr << message.text << "\n";
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // These options are this program's own; the rest go to the benchmark library.
    for (int i = 1; i + 1 < argc;) {
        const bool pictures = std::strcmp(argv[i], "--pictures") == 0;
        const bool missionFile = std::strcmp(argv[i], "--mission") == 0;
        if (!pictures && !missionFile) {
            ++i;
            continue;
        }
        if (!(pictures ? WritePictures(argv[i + 1]) : WriteMission(argv[i + 1]))) {
            Workspaces().clear();
            return 1;
        }
        for (int j = i; j + 2 <= argc; ++j)
            argv[j] = argv[j + 2];
        argc -= 2;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Workspaces().clear();
    return 0;
}
