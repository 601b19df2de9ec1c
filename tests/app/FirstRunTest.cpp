// What a newcomer meets first: the mission of the command line, the keys desktop programs
// have, tool tips, the hint over an empty workspace, the help, and a window that comes back
// where it was.

#include "AppTestSupport.h"

#include "app/FileDialogs.h"
#include "app/KeysReference.h"
#include "app/SelectionForm.h"
#include "edit/CameraMoves.h"
#include "edit/ObjectCommands.h"
#include "edit/WorkspaceTools.h"
#include "gamedata/DemoData.h"
#include "mission/MissionFile.h"
#include "mission/NewMission.h"

#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <fstream>

using namespace zev;

namespace {

std::filesystem::path writeMission(const std::filesystem::path& path) {
    mission::MissionDocument document;
    mission::storeSelection(document, {"ABCD", "Night Raid", 4, true, false});
    mission::resetToNewMission(document, path.parent_path(), 0);
    common::SilentReporter silent;
    const mission::RecordPositions positions(document);
    EXPECT_TRUE(mission::MissionFile::save(document, path, positions, 0, silent));
    return path;
}

} // namespace

TEST(FirstRun, TheMissionOfTheCommandLineOpensAndABadOneLeavesAnEmptyWorkspace) {
    apptest::EditorSandbox sandbox;
    const auto good = writeMission(sandbox.file("night raid.mdb"));
    app::EditorContext context = sandbox.context();
    context.startMission = QString::fromStdString(good.string());
    apptest::ScriptedDesignForm form(context);
    form.show();
    EXPECT_TRUE(form.EmptyHint->isVisible()) << "nothing open before it";
    form.openStartMission();
    EXPECT_TRUE(form.controller().hasDocument());
    EXPECT_EQ(form.windowTitle().toStdString(), "ZEVEDIT 3D  [" + good.string() + "][*]");
    EXPECT_FALSE(form.isWindowModified());
    EXPECT_FALSE(form.EmptyHint->isVisible());
    form.openStartMission(); // once only: nothing happens again
    EXPECT_EQ(form.messageBoxes, 0);

    // A file that is no mission: Open's message, the window stays without a mission.
    std::ofstream(sandbox.file("bad.mdb")) << "not a mission";
    context.startMission = QString::fromStdString(sandbox.file("bad.mdb").string());
    apptest::ScriptedDesignForm other(context);
    other.show();
    other.openStartMission();
    EXPECT_EQ(other.messageBoxes, 1);
    EXPECT_FALSE(other.controller().hasDocument());
    EXPECT_EQ(other.windowTitle(), "ZEVEDIT 3D");
    EXPECT_TRUE(other.EmptyHint->isVisible());
    EXPECT_NE(other.EmptyHint->text().indexOf(QStringLiteral("Ctrl+O")), -1);
    EXPECT_NE(other.EmptyHint->text().indexOf(QStringLiteral("F1")), -1);
}

TEST(FirstRun, TheTitleMarksAModifiedMission) {
    apptest::EditorSandbox sandbox;
    apptest::ScriptedDesignForm form(sandbox.context());
    form.newAnswers.push_back(apptest::Selection());
    form.NewBtn->trigger();
    EXPECT_EQ(form.windowTitle(), "ZEVEDIT 3D  [New Mission][*]");
    mission::MissionObjectRecord record;
    record.setText(mission::MissionObjectRecord::objectName, "bunker");
    form.editor().execute(
        std::make_unique<edit::AddObjectCommand>(0, record, engine::Vector3{1, 0, 1}));
    EXPECT_TRUE(form.isWindowModified());
    form.UndoItem->trigger();
    EXPECT_FALSE(form.isWindowModified()) << "back to the state of New";
}

TEST(FirstRun, MenusCarryTheDesktopKeysAndTipsNameTheKeysInUse) {
    apptest::EditorSandbox sandbox;
    apptest::ScriptedDesignForm form(sandbox.context());
    EXPECT_EQ(form.NewItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(form.OpenItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(form.SaveItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(form.SaveAsItem->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_EQ(form.ExitItem->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q),
                                                               QKeySequence(Qt::ALT | Qt::Key_X)}));
    EXPECT_EQ(form.UserGuide1->shortcut(), QKeySequence(Qt::Key_F1));

    EXPECT_EQ(form.OpenBtn->toolTip(), "Open a Saved Mission (Ctrl+O)");
    EXPECT_EQ(form.SaveAsBtn->toolTip(), "Save Current Mission As (Ctrl+Shift+S)");
    EXPECT_EQ(form.SideBtn->toolTip(), "Enter Front Camera View (F)");
    EXPECT_EQ(form.TopBtn->toolTip(), "Enter Top Camera View (T)");
    EXPECT_TRUE(form.DropperBtn->toolTip().endsWith(QStringLiteral("(Insert Key)")));
    EXPECT_TRUE(form.MouseBtn->toolTip().endsWith(QStringLiteral("(Home Key)")));
    for (QAction* button : form.SpeedPanel->actions()) {
        if (!button->isSeparator()) {
            EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
        }
    }
    EXPECT_EQ(form.DropBtn->text(), "(choose an object below)");
    EXPECT_NE(form.DropBtn->toolTip().indexOf(QStringLiteral("Insert Key")), -1);
}

TEST(FirstRun, TheKeysReferenceIsMadeFromTheTablesInUse) {
    apptest::EditorSandbox sandbox;
    apptest::ScriptedDesignForm form(sandbox.context());
    QList<QMenu*> menus;
    for (QAction* a : form.menuBar()->actions())
        if (a->menu())
            menus << a->menu();
    edit::KeyTable keys = edit::KeyTable::defaults();
    QString html = app::keysReferenceHtml(keys, menus);
    EXPECT_NE(html.indexOf(QStringLiteral("<td>Set Camera to Front View</td><td>F</td>")), -1);
    EXPECT_NE(html.indexOf(QStringLiteral("<td>File &gt; Save...</td><td>Ctrl+S</td>")), -1);
    EXPECT_NE(html.indexOf(QStringLiteral("<td>File &gt; Exit</td><td>Ctrl+Q or Alt+X</td>")), -1);
    EXPECT_NE(html.indexOf(QStringLiteral("<td>Edit &gt; Undo</td><td>Ctrl+Z</td>")), -1);
    for (const auto& g : edit::kMouseGestures)
        EXPECT_NE(html.indexOf(QString::fromLatin1(g.what).toHtmlEscaped()), -1) << g.input;
    for (const auto& g : edit::kCameraGestures)
        EXPECT_NE(html.indexOf(QString::fromLatin1(g.what).toHtmlEscaped()), -1) << g.input;

    // Another key for the front view, a key taken away and a new shortcut all show.
    keys.setEntry(18, {0x22, "G"});
    keys.setEntry(17, {0, ""});
    form.ObjectViewer1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Period));
    html = app::keysReferenceHtml(keys, menus);
    EXPECT_NE(html.indexOf(QStringLiteral("<td>Set Camera to Front View</td><td>G</td>")), -1);
    EXPECT_NE(html.indexOf(QStringLiteral("<td>Set Camera to Top View</td><td>(none)</td>")), -1);
    EXPECT_NE(html.indexOf(QStringLiteral("<td>Utilitys &gt; Object Viewer</td><td>Ctrl+.</td>")),
              -1);

    // The menu command shows the window's own table.
    form.KeysAndMouse1->trigger();
    auto* window = form.findChild<QDialog*>(QStringLiteral("KeysAndMouseWindow"));
    ASSERT_NE(window, nullptr);
    auto* browser = window->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    EXPECT_NE(browser->toPlainText().indexOf(QStringLiteral("Set Camera to Front View")), -1);
}

TEST(FirstRun, TheGuideShowsInAWindowAndAMissingOneIsNamed) {
    apptest::EditorSandbox sandbox;
    apptest::ScriptedDesignForm form(sandbox.context());
    form.UserGuide1->trigger();
    auto* window = form.findChild<QDialog*>(QStringLiteral("GuideWindow"));
    ASSERT_NE(window, nullptr) << "the guide of the source tree";
    auto* browser = window->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->source().toLocalFile().endsWith(QStringLiteral("guide/index.html")));
    EXPECT_NE(browser->toPlainText().indexOf(QStringLiteral("Your first mission in ten steps")),
              -1);
    window->close();

    form.guidePlaces = {QString::fromStdString((sandbox.dir.path() / "nowhere").string())};
    form.showBoxes = true;
    auto text = std::make_shared<QString>();
    apptest::answerNextModal([text](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            *text = box->text();
        modal->close();
    });
    form.UserGuide1->trigger();
    EXPECT_NE(text->indexOf(form.guidePlaces.front() + QStringLiteral("/index.html")), -1)
        << text->toStdString();
}

TEST(FirstRun, TheWindowComesBackWhereItWasWithItsDocks) {
    apptest::EditorSandbox sandbox;
    QRect placed;
    {
        apptest::ScriptedDesignForm form(sandbox.context());
        EXPECT_FALSE(form.restoreWindowLayout()) << "nothing kept on the first run";
        form.show();
        form.setGeometry(60, 70, 900, 650);
        form.resizeDocks({form.PaletteDock}, {300}, Qt::Horizontal);
        apptest::settle();
        placed = form.geometry();
        form.saveWindowLayout();
    }
    apptest::ScriptedDesignForm again(sandbox.context());
    EXPECT_TRUE(again.restoreWindowLayout());
    again.show();
    apptest::settle();
    EXPECT_EQ(again.geometry().size(), placed.size());
    EXPECT_TRUE(again.ObjectBox->isVisible()) << "the palette's list shows at start";
    EXPECT_GE(again.PaletteDock->width(), 280);
}

TEST(FirstRun, SaveDialogsAddTheExtensionAndSuggestTheMissionsName) {
    EXPECT_EQ(app::withMissionExtension(QStringLiteral("/m/first")), "/m/first.mdb");
    EXPECT_EQ(app::withMissionExtension(QStringLiteral("/m/first.MDB")), "/m/first.MDB");
    EXPECT_EQ(app::withMissionExtension(QStringLiteral("/m/raid.v2")), "/m/raid.v2.mdb");
    EXPECT_EQ(app::suggestedMissionFileName(QStringLiteral("Night Raid")), "Night Raid.mdb");
    EXPECT_EQ(app::suggestedMissionFileName(QStringLiteral("A/B: C?")), "A_B_ C_.mdb");
    EXPECT_EQ(app::suggestedMissionFileName(QString()), "mission.mdb");
    EXPECT_EQ(app::suggestedMissionFileName(QStringLiteral("..")), "mission.mdb");
}

TEST(FirstRun, TheNewDialogSaysThatAProjectNameHasFourCharacters) {
    common::RecordingReporter reporter;
    app::TSelectionForm form(reporter, false);
    EXPECT_EQ(form.ProjectName->placeholderText(), "4 characters");
    EXPECT_TRUE(form.ProjectNameNote->isHidden());
    QTest::keyClicks(form.ProjectName, QStringLiteral("MyPro"));
    EXPECT_EQ(form.ProjectName->text(), "MyPr");
    EXPECT_FALSE(form.ProjectNameNote->isHidden());
    EXPECT_NE(form.ProjectNameNote->text().indexOf(QStringLiteral("at most 4 characters")), -1)
        << "the fifth key was refused, and it says so";
}

TEST(FirstRun, ThePaletteShowsItsTabsAndItsObjectListAtStart) {
    apptest::EditorSandbox sandbox;
    common::RecordingReporter reporter;
    ASSERT_TRUE(gamedata::demo::writeDemoData(sandbox.dir.path() / "demo", reporter));
    app::EditorContext context = sandbox.context();
    context.programDirectory =
        gamedata::demo::demoDataPaths(sandbox.dir.path() / "demo").programDirectory;
    apptest::ScriptedDesignForm form(context);
    form.show();
    apptest::settle();
    ASSERT_GT(form.ObjectsTabControl->count(), 3);
    // The tabs were added before the window showed: their bar has its full height all the same.
    EXPECT_GE(form.ObjectsTabControl->height(), form.ObjectsTabControl->sizeHint().height());
    EXPECT_TRUE(form.ObjectBox->isVisible());
    EXPECT_GT(form.ObjectBox->count(), 0);
    EXPECT_GT(form.ObjectBox->height(), 200);
    EXPECT_EQ(form.PaletteDock->widget(), form.ObjectPanel);
}
