#include "AppTestSupport.h"

#include "app/CdRomForm.h"
#include "gamedata/DemoData.h"
#include "gamedata/ObjectGroups.h"
#include "platform/EditorSettings.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QToolBar>

#include <fstream>

using namespace zev;
using apptest::ScriptedDesignForm;
using platform::SettingsStore;

namespace {

QAction* Find(QWidget& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

TEST(MainWindow, ToolBarHintsMenuTextsAndTheCommandsThatWaitForAMissionAreAsListed) {
    apptest::EditorSandbox sandbox;
    ScriptedDesignForm form(sandbox.context());
    const struct {
        QAction* action;
        const char* hint;
    } hints[] = {{form.OpenBtn, "Open a Saved Mission"},
                 {form.SaveBtn, "Save Current Mission"},
                 {form.SaveAsBtn, "Save Current Mission As"},
                 {form.NewBtn, "Create New Mission"},
                 {form.BuildBtn, "Build Text Files from Current Mission"},
                 {form.CompileBtn, "Compile Current Mission"},
                 {form.LaunchBtn, "Launch Current Mission"},
                 {form.ErrorLogBtn, "View Error Log"},
                 {form.SideBtn, "Enter Front Camera View"},
                 {form.TopBtn, "Enter Top Camera View"}};
    // The tips begin with the hints; a command with a key names it after them.
    for (const auto& h : hints)
        EXPECT_TRUE(h.action->toolTip().startsWith(QString::fromLatin1(h.hint)))
            << h.action->objectName().toStdString();

    const struct {
        const char* name;
        const char* text;
    } items[] = {{"NewItem", "New"},
                 {"OpenItem", "&Open..."},
                 {"SaveItem", "&Save..."},
                 {"SaveAsItem", "SaveAs"},
                 {"ExitItem", "E&xit"},
                 {"ScanGeoTable1", "Scan Geo Table"},
                 {"ReloadGroupTabItems1", "Reload Group Tab Items"},
                 {"SystemInfo1", "System Info"},
                 {"WireFrame", "Wire Frame"},
                 {"StandardObjectColor1", "Standard ObjectColor"},
                 {"AutoZoom", "Object Drop Auto Zoom"},
                 {"ZEVProjectFilePath1", "ZEV Project File Path"},
                 {"ZEVCDROMLocation1", "ZEV CD-ROM Location"},
                 {"ZEVSimEngineExecutableOverride1", "ZEV Sim Engine Executable Override"},
                 {"KeyboardMapping1", "Keyboard Mapping"},
                 {"MissionLaunchMek1", "Mission Launch Mek"},
                 {"ProgramRunners1", "Program Runners"},
                 {"UserPOVCameraControl1", "User POV Camera Control"},
                 {"UndoItem", "Undo"},
                 {"RedoItem", "Redo"},
                 {"About1", "&About..."}};
    for (const auto& i : items) {
        QAction* a = Find(form, i.name);
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), i.text) << i.name;
        // Save and SaveAs wait for a document, Undo and Redo for a step; the rest are offered
        // at once.
        const bool needsDocument =
            a == form.SaveItem || a == form.SaveAsItem || a == form.UndoItem || a == form.RedoItem;
        EXPECT_EQ(a->isEnabled(), !needsDocument) << i.name;
    }
    EXPECT_EQ(form.OpenItem->statusTip(), "Open a file");
    EXPECT_EQ(form.SaveItem->statusTip(), "Save current file");
    EXPECT_EQ(form.ExitItem->statusTip(), "Exit application");
    EXPECT_TRUE(form.ExitItem->shortcuts().contains(QKeySequence(Qt::ALT | Qt::Key_X)));
    EXPECT_TRUE(form.Solid->isChecked());
    EXPECT_TRUE(form.Gouraud->isChecked());
    EXPECT_TRUE(form.DayTime1->isChecked());
    EXPECT_TRUE(form.AutoZoom->isChecked());

    // Every command is offered; the archive's tools need no mission.
    EXPECT_TRUE(form.ObjectDatabase1->isEnabled());
    EXPECT_TRUE(form.ObjectViewer1->isEnabled());
    // What needs a mission waits for one.
    const QList<QAction*> missionCommands = {
        form.BuildBtn,           form.CompileBtn,         form.LaunchBtn,
        form.DropperBtn,         form.MissionPlatform1,   form.BriefingRoom1,
        form.MissionEnviroment1, form.WeatherSettings1,   form.NavPoints1,
        form.MissionTables1,     form.PlayerStartPoints1, form.CustomColorPalletteBuilder1};
    for (QAction* a : missionCommands)
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();

    QStringList menus;
    for (QAction* a : form.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "Project Settings", "Utilitys",
                                  "Render Options", "Setup", "&View", "&Help"}));
    const int widths[] = {350, 100, 100, 100};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form.StatusPanels[i]->width(), widths[i]) << i;
}

TEST(MainWindow, DayNightAndAutoZoomItemsKeepOneCheckAndTellTheWorkspace) {
    apptest::EditorSandbox sandbox;
    ScriptedDesignForm form(sandbox.context());
    QSignalSpy dayNight(&form, &app::TDesignForm::dayNightChosen);
    form.NightTime1->trigger();
    EXPECT_TRUE(form.NightTime1->isChecked());
    EXPECT_FALSE(form.DayTime1->isChecked());
    form.DayTime1->trigger();
    EXPECT_TRUE(form.DayTime1->isChecked());
    EXPECT_FALSE(form.NightTime1->isChecked());
    ASSERT_EQ(dayNight.count(), 2);
    EXPECT_TRUE(dayNight[0][0].toBool());
    EXPECT_FALSE(dayNight[1][0].toBool());

    form.AutoZoom->trigger();
    EXPECT_FALSE(form.autoZoom());
    form.AutoZoom->trigger();
    EXPECT_TRUE(form.autoZoom());

    QSignalSpy quality(&form, &app::TDesignForm::renderQualityChosen);
    form.WireFrame->trigger();
    form.Phong->trigger();
    ASSERT_EQ(quality.count(), 2);
    EXPECT_TRUE(quality[0][0].toBool());
    EXPECT_EQ(quality[0][1].toInt(), 0x040);
    EXPECT_FALSE(quality[1][0].toBool());
    EXPECT_EQ(quality[1][1].toInt(), 2);
    EXPECT_FALSE(form.Solid->isChecked());
}

TEST(MainWindow, ThePaletteListsTheDemoGroupsAndTheChosenObjectBecomesTheDropCaption) {
    apptest::EditorSandbox sandbox;
    common::RecordingReporter reporter;
    ASSERT_TRUE(gamedata::demo::writeDemoData(sandbox.dir.path() / "demo", reporter));
    app::EditorContext context = sandbox.context();
    const auto demo = gamedata::demo::demoDataPaths(sandbox.dir.path() / "demo");
    context.programDirectory = demo.programDirectory;
    context.archiveOverride = QString::fromStdString(demo.archive.string());
    ScriptedDesignForm form(context);
    form.show();
    EXPECT_TRUE(form.indexFilesCurrent()) << "checked when the window is made";
    EXPECT_TRUE(form.MouseBtn->isEnabled() && form.SideBtn->isEnabled() &&
                form.TopBtn->isEnabled());
    EXPECT_FALSE(form.DropperBtn->isEnabled()) << "the dropper waits for a mission";

    const auto groups = gamedata::listObjectGroupNames(context.programDirectory);
    ASSERT_GE(groups.size(), 2u);
    ASSERT_EQ(form.ObjectsTabControl->count(), int(groups.size()));
    for (int i = 0; i < int(groups.size()); ++i)
        EXPECT_EQ(form.ObjectsTabControl->tabText(i).toStdString(), groups[i]);

    form.ObjectsTabControl->setCurrentIndex(1);
    const auto texts = gamedata::listMenuTexts(context.programDirectory, groups[1]);
    ASSERT_FALSE(texts.empty());
    ASSERT_EQ(form.ObjectBox->count(), int(texts.size()));
    EXPECT_EQ(form.ObjectBox->item(0)->text().toStdString(), texts[0]);

    EXPECT_TRUE(form.ObjectBox->isVisible()) << "a group shows its objects";
    form.DropBtn->click();
    EXPECT_FALSE(form.ObjectBox->isVisible());
    form.DropBtn->click();
    EXPECT_TRUE(form.ObjectBox->isVisible());
    QSignalSpy chosen(&form, &app::TDesignForm::objectChosen);
    const int row = form.ObjectBox->count() - 1;
    form.ObjectBox->setCurrentRow(row);
    form.ObjectBoxClick();
    EXPECT_EQ(form.DropBtn->text().toStdString(), texts.back());
    EXPECT_FALSE(form.ObjectBox->isVisible());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toString().toStdString(), groups[1]);
    EXPECT_EQ(chosen[0][1].toInt(), row);
    form.DropBtn->click();
    form.DropBtn->click();
    EXPECT_FALSE(form.ObjectBox->isVisible());
    const edit::PaletteChoice choice = form.paletteChoice();
    EXPECT_EQ(choice.group, groups[1]);
    EXPECT_EQ(choice.entry, row);
    EXPECT_EQ(choice.text, texts.back());

    // Another tab: the object chosen in the group left is no longer offered.
    form.ObjectsTabControl->setCurrentIndex(0);
    EXPECT_EQ(form.DropBtn->text(), "(choose an object below)");
    EXPECT_FALSE(form.paletteChoice().chosen());

    // The archive changed after the index files were made: they are no longer current once
    // the window checks again.
    std::filesystem::last_write_time(demo.archive, std::filesystem::file_time_type::clock::now() +
                                                       std::chrono::hours(1));
    form.checkIndexFiles();
    EXPECT_FALSE(form.indexFilesCurrent());

    // A group file removed from disk goes with "Reload Group Tab Items".
    for (const auto& entry :
         std::filesystem::directory_iterator(context.programDirectory / "data" / "odb"))
        if (entry.path().stem().string() == groups[0])
            std::filesystem::remove(entry.path());
    form.ReloadGroupTabItems1->trigger();
    EXPECT_EQ(form.ObjectsTabControl->count(), int(groups.size()) - 1);
    EXPECT_NE(form.ObjectsTabControl->tabText(0).toStdString(), groups[0]);
}

TEST(MainWindow, SettingsCommandsWriteTheirValuesAndTakeThemAtOnce) {
    apptest::EditorSandbox sandbox;
    app::EditorContext context = sandbox.context();
    context.archiveOverride = QStringLiteral("/from/the/command/line/zev.prj");
    ScriptedDesignForm form(context);
    form.show();
    constexpr const char* S = SettingsStore::kSetup;

    // Project file: the path as chosen (upper case kept), over the command-line archive.
    const auto games = sandbox.file("Games");
    std::filesystem::create_directories(games);
    std::ofstream(games / "ZEV.PRJ") << "archive";
    QSignalSpy changed(&form, &app::TDesignForm::projectPathChanged);
    apptest::answerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "ZEV Talvorendix Project File Location (zev.prj)");
        dialog->setDirectory(QString::fromStdString(games.string()));
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("ZEV.PRJ"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    form.ZEVProjectFilePath1->trigger();
    const QString chosen = QString::fromStdString((games / "ZEV.PRJ").string());
    EXPECT_EQ(sandbox.settings->text(S, "Prj Path"), chosen);
    EXPECT_EQ(form.context().archivePath(), chosen);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toString(), chosen);

    // Executable override: the file's name, at most 19 characters, is kept.
    const auto exe = sandbox.file("a-long-program-name.exe");
    std::ofstream(exe) << "exe";
    apptest::answerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(QString::fromStdString(exe.parent_path().string()));
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QString::fromStdString(exe.filename().string()));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    form.ZEVSimEngineExecutableOverride1->trigger();
    const QString kept = QStringLiteral("a-long-program-name");
    EXPECT_EQ(sandbox.settings->text(S, "ZEV Exe Override"), kept);
    EXPECT_EQ(form.context().setup.exeOverride, kept);

    // A cancelled dialog writes nothing.
    apptest::answerNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    form.ZEVSimEngineExecutableOverride1->trigger();
    EXPECT_EQ(sandbox.settings->text(S, "ZEV Exe Override"), kept);

    // CD-ROM location and drive letter.
    apptest::answerNextModal([](QWidget* modal) {
        auto* cd = qobject_cast<app::TCdRomForm*>(modal);
        ASSERT_NE(cd, nullptr);
        EXPECT_EQ(cd->windowTitle(), "ZEV CD ROM Location");
        cd->CdRomBox->setText(QStringLiteral("/media/cdrom"));
        cd->DriveLetterBox->setCurrentText(QStringLiteral("F"));
        cd->accept();
    });
    form.ZEVCDROMLocation1->trigger();
    EXPECT_EQ(sandbox.settings->text(S, "CD ROM Location"), "/media/cdrom");
    EXPECT_EQ(sandbox.settings->text(S, "CD Drive Letter"), "F");
    EXPECT_EQ(form.context().setup.cdRomLocation, "/media/cdrom");
    EXPECT_EQ(form.context().setup.cdDriveLetter, "F");
    EXPECT_EQ(form.messageBoxes, 0);
}

} // namespace
