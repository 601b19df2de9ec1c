#include "AppTestSupport.h"

#include "edit/ObjectCommands.h"
#include "mission/MissionObjectRecord.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>

#include <csignal>

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
