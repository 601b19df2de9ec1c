#include "WorkspaceTestSupport.h"

#include "workspace/ViewerForm.h"

#include <QAction>
#include <QImage>
#include <QListWidget>
#include <QOpenGLWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace zev;
using namespace zev::workspace;
using workspacetest::DemoSetup;

namespace {

double LargestExtent(const engine::Visual& visual) {
    const engine::Box box = visual.GetBox();
    return std::max({box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z});
}

int LitPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) > 40 ? 1 : 0;
    return n;
}

class ViewerFormRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo.ok);
        workspacetest::EnsureGuiApplication();
        form = std::make_unique<TViewerForm>(demo.paths.programDirectory, demo.paths.archive,
                                             reporter, actions());
        list = form->findChild<QListWidget*>("ObjectList");
        ASSERT_TRUE(list);
    }

    ViewerActions actions() {
        return {[this](const std::string& name) { added.push_back(name); },
                [this] { ++databaseOpened; }};
    }

    void Select(const QString& name) {
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_FALSE(items.isEmpty()) << name.toStdString();
        list->setCurrentItem(items.front());
    }

    DemoSetup demo;
    common::RecordingReporter reporter;
    std::vector<std::string> added;
    int databaseOpened = 0;
    std::unique_ptr<TViewerForm> form;
    QListWidget* list = nullptr;
};

} // namespace

TEST_F(ViewerFormRenderTest, ShowsTheChosenGeometryThirtyUnitsAcrossAndTurning) {
    form->resize(536, 400);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::qWait(20);
    if (!reporter.messages.empty()) {
        if (std::getenv("ZEV_REQUIRE_GL"))
            FAIL() << reporter.messages[0].text;
        GTEST_SKIP() << reporter.messages[0].text;
    }
    auto* view = form->findChild<QOpenGLWidget*>("ViewerView");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(form->windowTitle(), "ZEVEDIT 3D Object Viewer");
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(view->width(), form->width() - TViewerForm::kPanelWidth);
    EXPECT_TRUE(form->findChild<QTimer*>("Render")->isActive());
    EXPECT_EQ(list->count(), int(form->Model().Names().size()));
    EXPECT_FALSE(list->findItems("bunker.geo", Qt::MatchExactly).isEmpty());
    EXPECT_EQ(LitPixels(view->grabFramebuffer()), 0); // black until an object is viewed

    Select("hangar.geo");
    form->findChild<QPushButton*>("ViewBtn")->click();
    const engine::MeshBuilder* hangar = form->Scene().Builder();
    ASSERT_NE(hangar, nullptr);
    EXPECT_NEAR(LargestExtent(*hangar), 30.0, 1e-3);
    EXPECT_EQ(form->Scene().ObjectFrame()->GetVisuals().size(), 1u);
    workspacetest::ExpectNear(form->Scene().ObjectFrame()->GetPosition(nullptr), {0, -5, 0});
    const engine::Vector3 before = form->Scene().ObjectFrame()->GetOrientation(nullptr).direction;
    QTest::qWait(150);
    const engine::Vector3 after = form->Scene().ObjectFrame()->GetOrientation(nullptr).direction;
    EXPECT_GT(std::abs(after.x - before.x) + std::abs(after.z - before.z), 0.02);
    const QImage shown = view->grabFramebuffer();
    const std::filesystem::path artefacts = ZEV_ARTEFACT_DIR;
    std::filesystem::create_directories(artefacts);
    shown.save(QString::fromStdString((artefacts / "viewer-hangar.png").string()));
    EXPECT_GT(LitPixels(shown), shown.width() * shown.height() / 20);

    // Enter in the list views another; a wire frame draws far fewer pixels than faces.
    Select("bunker.geo");
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_NE(form->Scene().Builder(), hangar);
    EXPECT_NEAR(LargestExtent(*form->Scene().Builder()), 30.0, 1e-3);
    EXPECT_TRUE(form->isVisible());
    const int solid = LitPixels(view->grabFramebuffer());
    form->findChild<QAction*>("WireFrame")->trigger();
    EXPECT_EQ(form->Scene().Builder()->GetQuality()->Value(), 0x49u);
    EXPECT_LT(LitPixels(view->grabFramebuffer()), solid / 2);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ViewerFormRenderTest, AddsTheSelectedNameWithoutItsExtensionAndOpensTheDatabase) {
    // Without OpenGL the viewer says so once and works on without its 3D view.
    if (!form->findChild<QOpenGLWidget*>("ViewerView")) {
        EXPECT_EQ(reporter.messages,
                  (std::vector<common::ReportedMessage>{
                      {"Error Creating Direct3D", "Viewer Error...", common::MessageIcon::Stop}}));
    }
    reporter.messages.clear();
    form->findChild<QPushButton*>("AddBtn")->click();
    EXPECT_EQ(reporter.messages,
              (std::vector<common::ReportedMessage>{
                  {"No Object Selected!", "ZEVEDIT 3D", common::MessageIcon::Question}}));
    EXPECT_TRUE(added.empty());

    Select("bunker.geo");
    form->findChild<QPushButton*>("AddBtn")->click();
    EXPECT_EQ(added, std::vector<std::string>{"bunker"});
    form->findChild<QAction*>("ObjectDatabase1")->trigger();
    EXPECT_EQ(databaseOpened, 1);

    // The menus' radio items, solid and Gouraud ticked at first.
    EXPECT_TRUE(form->findChild<QAction*>("Solid")->isChecked());
    EXPECT_TRUE(form->findChild<QAction*>("Gouraud")->isChecked());
    form->findChild<QAction*>("Phong")->trigger();
    EXPECT_FALSE(form->findChild<QAction*>("Gouraud")->isChecked());
    EXPECT_EQ(form->Model().Quality().Value(), 0x8Au);
}
