#include "WorkspaceTestSupport.h"

#include "workspace/MissionScene.h"
#include "workspace/OcclusionBuffer.h"
#include "workspace/OffscreenRender.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace zev;
using namespace zev::workspace;
using engine::Box;
using engine::Vector3;
using engine::Vector4;

namespace {

// Clip coordinates are the scene's own here (w = 1): x and y from -1 to 1 across the 64 x 64
// viewport, depth z from -1 (near) to 1 (far).
const engine::Matrix4 kAsIs = engine::Matrix4::Identity();

Box BoxOf(Vector3 min, Vector3 max) {
    Box box;
    box.Include(min);
    box.Include(max);
    return box;
}

// A square over the middle half of the view at depth z, clockwise on the screen (a front face).
void AddSquare(OcclusionBuffer& buffer, double z, bool clockwise = true) {
    std::vector<Vector4> corners = {
        {-0.5, 0.5, z, 1}, {0.5, 0.5, z, 1}, {0.5, -0.5, z, 1}, {-0.5, -0.5, z, 1}};
    if (!clockwise)
        std::reverse(corners.begin(), corners.end());
    buffer.AddFace(corners);
}

bool Hidden(const OcclusionBuffer& buffer, const Box& box, double margin = 0) {
    return buffer.Hides(buffer.Project(box, kAsIs), margin);
}

} // namespace

TEST(OcclusionBuffer, AFrontFaceHidesOnlyWhatLiesWhollyBehindItsInside) {
    OcclusionBuffer buffer;
    buffer.Reset(64, 64);
    EXPECT_FALSE(Hidden(buffer, BoxOf({-0.1, -0.1, 0.5}, {0.1, 0.1, 0.6}))) << "nothing added yet";
    AddSquare(buffer, 0.0);

    EXPECT_TRUE(Hidden(buffer, BoxOf({-0.3, -0.3, 0.2}, {0.3, 0.3, 0.9})));
    // Reaching out beside the square, in front of it, or through it: drawn.
    EXPECT_FALSE(Hidden(buffer, BoxOf({-0.7, -0.3, 0.2}, {0.3, 0.3, 0.9})));
    EXPECT_FALSE(Hidden(buffer, BoxOf({-0.3, -0.3, -0.6}, {0.3, 0.3, -0.2})));
    EXPECT_FALSE(Hidden(buffer, BoxOf({-0.3, -0.3, -0.1}, {0.3, 0.3, 0.5})));
    // A hair in front of it is in front; a hair behind it, behind.
    EXPECT_FALSE(Hidden(buffer, BoxOf({-0.3, -0.3, -0.0002}, {0.3, 0.3, 0.5})));
    EXPECT_TRUE(Hidden(buffer, BoxOf({-0.3, -0.3, 0.0002}, {0.3, 0.3, 0.5})));
    // Just inside the square's outline, but the margin for points and lines reaches past it.
    EXPECT_TRUE(Hidden(buffer, BoxOf({-0.4, -0.4, 0.2}, {0.4, 0.4, 0.9})));
    EXPECT_FALSE(Hidden(buffer, BoxOf({-0.4, -0.4, 0.2}, {0.4, 0.4, 0.9}), 4.0));
    // A box reaching in front of the near plane is never judged hidden.
    EXPECT_FALSE(Hidden(buffer, BoxOf({-0.3, -0.3, -1.5}, {0.3, 0.3, 0.9})));

    // Cells take the nearest face's farthest corner; cells the face only partly covers, none.
    const int middle = buffer.Columns() / 2;
    EXPECT_FLOAT_EQ(buffer.CellDepth(middle, middle), 0.5f);
    EXPECT_GT(buffer.CellDepth(0, 0), 1.0f);
    EXPECT_GT(buffer.CellDepth(middle, 0), 1.0f);
}

TEST(OcclusionBuffer, BackFacesFacesCutByTheDepthRangeAndConcaveFacesHideNothing) {
    const Box behind = BoxOf({-0.2, -0.2, 0.5}, {0.2, 0.2, 0.9});
    OcclusionBuffer buffer;

    buffer.Reset(64, 64);
    AddSquare(buffer, 0.0, false); // anticlockwise: its back, which is not drawn
    EXPECT_FALSE(Hidden(buffer, behind));

    buffer.Reset(64, 64);
    const std::vector<Vector4> throughNear = {
        {-0.5, 0.5, -1.2, 1}, {0.5, 0.5, 0, 1}, {0.5, -0.5, 0, 1}, {-0.5, -0.5, 0, 1}};
    buffer.AddFace(throughNear);
    EXPECT_FALSE(Hidden(buffer, behind));

    // An arrow head: its fan from the first corner does not cover the face itself.
    buffer.Reset(64, 64);
    const std::vector<Vector4> arrow = {
        {0, -0.2, 0, 1}, {-0.6, -0.6, 0, 1}, {0, 0.8, 0, 1}, {0.6, -0.6, 0, 1}};
    buffer.AddFace(arrow);
    EXPECT_FALSE(Hidden(buffer, BoxOf({-0.05, -0.4, 0.5}, {0.05, -0.3, 0.9})));

    // A triangle too small to cover any cell.
    buffer.Reset(64, 64);
    buffer.AddTriangle({0, 0, 0, 1}, {0.05, 0, 0, 1}, {0, -0.05, 0, 1});
    for (int r = 0; r < buffer.Rows(); ++r)
        for (int c = 0; c < buffer.Columns(); ++c)
            ASSERT_GT(buffer.CellDepth(c, r), 1.0f);
}

namespace {

// A crowd of objects one behind the other in front of player 1's start point, where the side
// camera looks from: rows of 10 every 20 units, 60 to 240 units ahead.
class CrowdRender : public ::testing::Test {
protected:
    static constexpr int kWidth = 640, kHeight = 480;

    void SetUp() override {
        ASSERT_TRUE(demo.ok);
        workspacetest::EnsureGuiApplication();
        if (!offscreen.Begin(kWidth, kHeight)) {
            if (std::getenv("ZEV_REQUIRE_GL"))
                FAIL() << offscreen.ErrorText();
            GTEST_SKIP() << offscreen.ErrorText();
        }
        ASSERT_TRUE(scene.Setup());
        scene.Attach(&editor);
        document = workspacetest::NewMission(demo);
        // Four geometries, and the last of each row a ready-made group.
        const char* names[] = {"bunker", "hangar", "barracks", "silo"};
        for (int slot = 0; slot < 100; ++slot) {
            const int row = slot / 10, column = slot % 10 - 5;
            const double ahead = 60 + 20 * row;
            const bool group = column == 4;
            document->objects.place(
                slot, workspacetest::ObjectRecord(group ? "outpost" : names[slot % 4],
                                                  int(100 * (17 + column * 0.08 * ahead)), 0,
                                                  int(100 * (-854 + ahead)), group));
        }
        editor.openMission(*document, scene.ShowCheck(), reporter);
        ASSERT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
    }

    QImage Render(bool leaveOutHidden) {
        engine::Viewport viewport(scene.CurrentCamera(), 0, 0, kWidth, kHeight);
        viewport.SetBack(MissionScene::kBackDistance);
        offscreen.Renderer().SetLeaveOutHidden(leaveOutHidden);
        offscreen.Render(*scene.Scene(), viewport, scene.Quality());
        return offscreen.Image();
    }

    workspacetest::DemoSetup demo;
    TObjectPiece piece{demo.paths.archive, demo.paths.programDirectory};
    edit::MissionEditor editor;
    MissionScene scene{*demo.settings, &piece};
    std::unique_ptr<mission::MissionDocument> document;
    common::RecordingReporter reporter;
    OffscreenRender offscreen;
};

} // namespace

// Every fill and shade, the selection's colour, the night sky and the top view: the same
// pixels whether the hidden visuals are drawn or left out, and objects of one geometry drawn
// from one set of buffers.
TEST_F(CrowdRender, LeavingOutHiddenVisualsChangesNoPixelAndObjectsOfOneGeometryShareBuffers) {
    editor.select(edit::Selection::object(42));
    WorkspaceRenderer& renderer = offscreen.Renderer();
    auto compare = [&](const char* what, bool someHidden) {
        const QImage all = Render(false);
        const std::size_t drawnAll = renderer.LastDrawCount();
        const QImage left = Render(true);
        EXPECT_EQ(renderer.LastDrawCount() + renderer.LastHiddenCount(), drawnAll) << what;
        if (someHidden)
            EXPECT_GT(renderer.LastHiddenCount(), 10u) << what;
        else
            EXPECT_EQ(renderer.LastHiddenCount(), 0u) << what;
        EXPECT_TRUE(all == left) << what;
    };
    compare("Gouraud", true);
    // Four geometries, the groups' members and the markers: a few dozen calls draw a hundred.
    EXPECT_LT(renderer.LastBatchCount(), 40u);
    EXPECT_LT(renderer.UploadCount(), 40u);

    scene.FlatClick();
    compare("flat", true);
    scene.PhongClick();
    scene.NightTime1Click();
    compare("Phong at night", true);
    scene.WireFrameClick();
    compare("wire frame", false); // lines cover no area
    scene.PointClick();
    compare("points", false);
    scene.SolidClick();
    scene.UseTopView(true);
    compare("top view", false);
}
