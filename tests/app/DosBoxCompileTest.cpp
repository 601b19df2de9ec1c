#include "AppTestSupport.h"

#include "DosAssemblerImage.h"

#include "app/AssemblerForm.h"
#include "app/WorkspaceHost.h"
#include "common/FileIo.h"
#include "gamedata/DemoData.h"
#include "platform/EditorSettings.h"
#include "workspace/OffscreenRender.h"
#include "workspace/WorkspaceWidget.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

#include <cstdlib>

using namespace zev;
namespace fs = std::filesystem;

TEST(EditorWithDosBox, CompilesTheDemoMissionThroughTheDefaultTemplate) {
    apptest::ensureGuiApplication();
    if (QStandardPaths::findExecutable(QStringLiteral("dosbox")).isEmpty())
        GTEST_SKIP() << "DOSBox cannot start here: no 'dosbox' on the PATH (Debian package "
                        "dosbox); the editor's compile through it was not tried";
    if (workspace::probeGraphicsVersion() < workspace::kRequiredGraphicsVersion)
        GTEST_SKIP() << "no OpenGL 3.3 context here (run under xvfb-run with Mesa)";

    apptest::EditorSandbox sandbox;
    common::SilentReporter quiet;
    ASSERT_TRUE(gamedata::demo::writeDemoData(sandbox.dir.path() / "demo", quiet));
    const auto demo = gamedata::demo::demoDataPaths(sandbox.dir.path() / "demo");
    ASSERT_TRUE(
        common::writeWholeFile(demo.programDirectory / "KORT.EXE", dosTestAssemblerImage()));
    // DOSBox keeps its configuration under HOME.
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    fs::create_directories(sandbox.dir.path() / "user");
    setenv("HOME", (sandbox.dir.path() / "user").c_str(), 1);
    constexpr const char* S = platform::SettingsStore::kSetup;
    sandbox.settings->setText(S, "Prj Path", QString::fromStdString(demo.archive.string()));

    app::EditorContext context = sandbox.context();
    context.programDirectory = demo.programDirectory;
    context.setup = platform::readSetup(*sandbox.settings);
    apptest::ScriptedDesignForm form(context);
    form.showBoxes = true;
    platform::RenderChoice windowed;
    windowed.windowedDevice = 0;
    ASSERT_TRUE(app::setUpWorkspace(form, windowed, {}, {}));
    form.show();
    form.newAnswers.push_back(apptest::Selection("DEMO", "Demo Mission"));
    form.NewBtn->trigger();

    std::vector<std::string> messages;
    QString status;
    apptest::ModalScript script(
        {[&](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                messages.push_back(box->text().toStdString());
                box->accept();
                return false;
            }
            auto* run = qobject_cast<app::TAssemblerForm*>(w);
            auto* ok = w->findChild<QPushButton*>(QStringLiteral("OkBtn"));
            if (!run || run->running() || !ok->isVisible())
                return false;
            status = w->findChild<QLabel*>(QStringLiteral("StatusLabel"))->text();
            const fs::path shots = fs::path(ZEV_ARTEFACT_DIR);
            fs::create_directories(shots);
            EXPECT_TRUE(w->grab().save(
                QString::fromStdString((shots / "assembler-window-dosbox.png").string())));
            ok->click();
            return true;
        }},
        180000);
    form.CompileBtn->trigger();
    setenv("HOME", oldHome.c_str(), 1);
    ASSERT_TRUE(script.finished());
    if (!messages.empty() && messages.front() == "Error Loading KORT.EXE")
        GTEST_SKIP() << "DOSBox cannot start here; the editor's compile through it was not tried";
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(status, "Success");
    EXPECT_TRUE(fs::exists(demo.archive.parent_path() / "missions" / "DEMO.zvm"));
    form.close();
}
