#include "AppTestSupport.h"

#include "edit/ObjectCommands.h"
#include "mission/MissionFile.h"
#include "mission/MissionObjectRecord.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>

#include <csignal>
#include <fstream>

using namespace zev;
using apptest::ModalScript;
using R = mission::MissionObjectRecord;

namespace {

std::unique_ptr<apptest::ScriptedDesignForm> windowWithNewMission(apptest::EditorSandbox& sandbox) {
    auto form = std::make_unique<apptest::ScriptedDesignForm>(sandbox.context());
    form->newAnswers.push_back(apptest::Selection("ABCD", "Lost Work"));
    form->NewBtn->trigger();
    return form;
}

void addObject(app::TDesignForm& form) {
    R record;
    record.setText(R::objectName, "bunker");
    record.setText(R::menuText, "Bunker");
    record.setText(R::areaFile, "1");
    form.editor().execute(
        std::make_unique<edit::AddObjectCommand>(0, record, engine::Vector3{3, 0, 4}));
}

} // namespace

TEST(FilesAndRecovery, OpenedAndSavedMissionsAreRecentFilesAndAMissingOneLeavesTheList) {
    apptest::EditorSandbox sandbox;
    {
        auto form = windowWithNewMission(sandbox);
        for (const char* name : {"one.mdb", "two.mdb"}) {
            form->saveAnswers.push_back(sandbox.file(name));
            form->SaveAsItem->trigger();
        }
        ASSERT_EQ(form->RecentItems.size(), 2);
        EXPECT_EQ(form->RecentItems[0]->text(), "&1 two.mdb");
        EXPECT_EQ(form->RecentItems[1]->statusTip().toStdString(),
                  sandbox.file("one.mdb").string());
    }
    // A new window has them from the settings; choosing one opens it, a missing one is reported.
    apptest::ScriptedDesignForm form(sandbox.context());
    ASSERT_EQ(form.RecentItems.size(), 2);
    form.RecentItems[1]->trigger();
    EXPECT_NE(form.windowTitle().indexOf(QStringLiteral("one.mdb")), -1);
    EXPECT_EQ(form.RecentItems[0]->text(), "&1 one.mdb");
    std::filesystem::remove(sandbox.file("two.mdb"));
    const int boxes = form.messageBoxes;
    form.RecentItems[1]->trigger();
    EXPECT_EQ(form.messageBoxes, boxes + 1);
    EXPECT_EQ(form.RecentItems.size(), 1);
}

TEST(FilesAndRecovery, AnEditorThatEndedWithoutSavingLeavesACopyKeptUntilDiscarded) {
    apptest::EditorSandbox sandbox;
    const std::filesystem::path recovery = sandbox.home() / "recovery";
    {
        auto form = windowWithNewMission(sandbox);
        form->writeRecoveryCopy();
        EXPECT_FALSE(form->recoveryCopies().hasCopy()) << "nothing to recover in a clean mission";
        addObject(*form);
        form->writeRecoveryCopy();
        ASSERT_TRUE(form->recoveryCopies().hasCopy());
        // A second editor does not offer a copy whose editor still runs.
        app::RecoveryCopies other(recovery);
        EXPECT_TRUE(other.leftBehind().empty());
        // Undone back to the saved state: the copy goes.
        form->UndoItem->trigger();
        EXPECT_FALSE(form->recoveryCopies().hasCopy());
        addObject(*form);
        form->writeRecoveryCopy();
        // The window goes without closing: the editor ended without saving.
    }
    apptest::ScriptedDesignForm form(sandbox.context());
    const auto answer = [](const char* button) {
        return [button](QWidget* w) {
            auto* b = w->findChild<QPushButton*>(QString::fromLatin1(button));
            if (!b)
                return false;
            b->click();
            return true;
        };
    };
    ModalScript later({answer("LaterBtn")});
    form.offerRecovery();
    ASSERT_TRUE(later.finished());
    ASSERT_EQ(app::RecoveryCopies(recovery).leftBehind().size(), 1u) << "Later keeps it";
    ModalScript discard({answer("DiscardBtn")});
    form.offerRecovery();
    ASSERT_TRUE(discard.finished());
    EXPECT_TRUE(app::RecoveryCopies(recovery).leftBehind().empty());
    EXPECT_FALSE(form.editor().hasMission());
}

// The editor that gets killed: run by the test below in a process of its own.
TEST(FilesAndRecovery, DISABLED_AnEditorKilledWithAModifiedMission) {
    const std::filesystem::path dir = qEnvironmentVariable("ZEV_KILLED_EDITOR_HOME").toStdString();
    ASSERT_FALSE(dir.empty());
    platform::SettingsStore settings(QString::fromStdString((dir / "settings.ini").string()));
    app::EditorContext context;
    context.programDirectory = dir / "home";
    context.settings = &settings;
    apptest::ScriptedDesignForm form(context);
    form.newAnswers.push_back(apptest::Selection("ABCD", "Lost Work"));
    form.NewBtn->trigger();
    addObject(form);
    form.writeRecoveryCopy();
    ASSERT_TRUE(form.recoveryCopies().hasCopy());
    std::raise(SIGKILL);
}

TEST(FilesAndRecovery, AKilledEditorsCopyIsOfferedAtTheNextStartAndRestoredAsAnUntitledMission) {
    apptest::EditorSandbox sandbox;
    QProcess killed;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZEV_KILLED_EDITOR_HOME"),
               QString::fromStdString(sandbox.dir.path().string()));
    killed.setProcessEnvironment(env);
    killed.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_also_run_disabled_tests"),
         QStringLiteral(
             "--gtest_filter=FilesAndRecovery.DISABLED_AnEditorKilledWithAModifiedMission")});
    ASSERT_TRUE(killed.waitForFinished(60000));
    ASSERT_EQ(killed.exitStatus(), QProcess::CrashExit)
        << killed.readAllStandardOutput().toStdString();

    // Its lock is left behind with its copy; the process that held it is gone.
    const std::filesystem::path recovery = sandbox.home() / "recovery";
    int locks = 0;
    for (const auto& entry : std::filesystem::directory_iterator(recovery))
        locks += entry.path().extension() == ".lock";
    EXPECT_EQ(locks, 1);
    const auto copies = app::RecoveryCopies(recovery).leftBehind();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].missionName, "Lost Work");

    apptest::ScriptedDesignForm form(sandbox.context());
    ModalScript restore({[](QWidget* w) {
        auto* button = w->findChild<QPushButton*>(QStringLiteral("RestoreBtn"));
        if (!button)
            return false;
        button->click();
        return true;
    }});
    form.offerRecovery();
    ASSERT_TRUE(restore.finished());
    EXPECT_EQ(form.windowTitle(), "ZEVEDIT 3D  [Recovered Mission][*]");
    EXPECT_TRUE(form.editor().isModified());
    EXPECT_TRUE(form.document().untitled);
    ASSERT_NE(form.document().objects.find(0), nullptr);
    EXPECT_EQ(form.document().objects.find(0)->text(R::menuText), "Bunker");
    EXPECT_FALSE(std::filesystem::exists(copies[0].mission)) << "the restored copy is gone";
    // Save asks where the mission goes; this editor's own recovery copy ends with it.
    form.writeRecoveryCopy();
    ASSERT_TRUE(form.recoveryCopies().hasCopy());
    form.saveAnswers.push_back(sandbox.file("rescued.mdb"));
    form.SaveItem->trigger();
    EXPECT_EQ(form.saveAsked, 1);
    EXPECT_FALSE(form.recoveryCopies().hasCopy());
    EXPECT_TRUE(app::RecoveryCopies(recovery).leftBehind().empty());
}

TEST(FilesAndRecovery, TheListingOffersAndDeletesOnlyTheEditorsOwnCopiesNeverThroughALink) {
    namespace fs = std::filesystem;
    apptest::EditorSandbox sandbox;
    const fs::path recovery = sandbox.home() / "recovery";
    // A copy an editor left behind.
    {
        app::RecoveryCopies left(recovery);
        mission::MissionDocument document;
        document.header.setText(mission::MissionHeader::missionName, "Left Behind");
        ASSERT_TRUE(left.write(document, mission::RecordPositions(document), 0, QString()));
    }
    // Beside it: a user's mission, and a link named as a copy pointing at another one.
    const fs::path missions = sandbox.home() / "missions";
    fs::create_directories(missions);
    const auto users = [&](const char* name) {
        const fs::path p = missions / name;
        mission::MissionDocument document;
        common::SilentReporter quiet;
        EXPECT_TRUE(
            mission::MissionFile::save(document, p, mission::RecordPositions(document), 0, quiet));
        return p;
    };
    fs::copy_file(users("mine.mdb"), recovery / "mine.mdb");
    const fs::path linked = users("linked.mdb");
    const std::string session = "0b7c6a9e-1d2f-4e3a-9b8c-7d6e5f4a3b2c";
    fs::create_symlink(linked, recovery / (session + ".mdb"));
    std::ofstream(recovery / (session + ".ini")) << "[Recovery]\r\nMission=x\r\n";

    const auto offered = app::RecoveryCopies(recovery).leftBehind();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].missionName, QStringLiteral("Left Behind"));
    // Removing what is not a copy of the editor's does nothing.
    app::RecoveryCopies::remove({recovery / "mine.mdb", {}, {}, {}});
    app::RecoveryCopies::remove({recovery / (session + ".mdb"), {}, {}, {}});
    EXPECT_TRUE(fs::exists(recovery / "mine.mdb"));
    EXPECT_TRUE(fs::exists(linked));
    EXPECT_TRUE(fs::is_symlink(recovery / (session + ".mdb")));

    // A recovery folder that is a link to the user's missions lists nothing and deletes nothing.
    fs::remove_all(recovery);
    fs::create_symlink(missions, recovery);
    fs::copy_file(missions / "mine.mdb", missions / (session + ".mdb"));
    std::ofstream(missions / (session + ".ini")) << "[Recovery]\r\nMission=x\r\n";
    EXPECT_TRUE(app::RecoveryCopies(recovery).leftBehind().empty());
    app::RecoveryCopies::remove({recovery / (session + ".mdb"), {}, {}, {}});
    EXPECT_TRUE(fs::exists(missions / (session + ".mdb")));
    // Nor does this editor write its own copy there.
    app::RecoveryCopies own(recovery);
    mission::MissionDocument document;
    EXPECT_FALSE(own.write(document, mission::RecordPositions(document), 0, QString()));
}
