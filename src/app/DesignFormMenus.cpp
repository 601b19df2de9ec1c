// The main window's menu.

#include "DesignForm.h"

#include <QActionGroup>
#include <QMenuBar>

namespace zev::app {

namespace {

QAction* item(QMenu* menu, const char* name, const char* text, const char* hint = nullptr) {
    QAction* a = menu->addAction(QString::fromLatin1(text));
    a->setObjectName(QString::fromLatin1(name));
    if (hint)
        a->setStatusTip(QString::fromLatin1(hint));
    return a;
}

QAction* radio(QMenu* menu, QActionGroup* group, const char* name, const char* text, bool checked) {
    QAction* a = item(menu, name, text);
    a->setCheckable(true);
    a->setChecked(checked);
    group->addAction(a);
    return a;
}

} // namespace

void TDesignForm::buildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    NewItem = item(file, "NewItem", "New");
    OpenItem = item(file, "OpenItem", "&Open...", "Open a file");
    SaveItem = item(file, "SaveItem", "&Save...", "Save current file");
    SaveAsItem = item(file, "SaveAsItem", "SaveAs");
    FileMenu = file;
    // The recent files go between these two separators (adjacent ones show as one).
    file->addSeparator();
    RecentSeparator = file->addSeparator();
    ExitItem = item(file, "ExitItem", "E&xit", "Exit application");
    // The keys desktop users expect, shown in the menu; Alt+X as ever.
    NewItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    OpenItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    SaveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAsItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ExitItem->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::ALT | Qt::Key_X)});
    // The window holds them too, so they work while a full-screen run hides the menu.
    addActions({NewItem, OpenItem, SaveItem, SaveAsItem, ExitItem});
    connect(NewItem, &QAction::triggered, this, &TDesignForm::NewBtnClick);
    connect(OpenItem, &QAction::triggered, this, &TDesignForm::OpenItemClick);
    connect(SaveItem, &QAction::triggered, this, &TDesignForm::SaveItemClick);
    connect(SaveAsItem, &QAction::triggered, this, &TDesignForm::SaveAsBtnClick);
    connect(ExitItem, &QAction::triggered, this, &TDesignForm::ExitItemClick);
    documentActions_ << SaveItem << SaveAsItem;

    EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    UndoItem = item(EditMenu, "UndoItem", "Undo");
    UndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoItem = item(EditMenu, "RedoItem", "Redo");
    RedoItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(UndoItem, &QAction::triggered, this, &TDesignForm::UndoItemClick);
    connect(RedoItem, &QAction::triggered, this, &TDesignForm::RedoItemClick);
    // The window holds them too, so the shortcuts work while a full-screen run hides the menu.
    addAction(UndoItem);
    addAction(RedoItem);
    buildSelectionMenu();

    ProjectSettings = menuBar()->addMenu(QStringLiteral("Project Settings"));
    ProjectSettings->setObjectName(QStringLiteral("ProjectSettings"));
    MissionPlatform1 = item(ProjectSettings, "MissionPlatform1", "3dfx Mission Options");
    BriefingRoom1 = item(ProjectSettings, "BriefingRoom1", "Briefing Room");
    MissionEnviroment1 = item(ProjectSettings, "MissionEnviroment1", "Mission Enviroment");
    WeatherSettings1 = item(ProjectSettings, "WeatherSettings1", "Weather Settings");
    NavPoints1 = item(ProjectSettings, "NavPoints1", "Nav Points");
    MissionTables1 = item(ProjectSettings, "MissionTables1", "Mission Tables");
    PlayerStartPoints1 = item(ProjectSettings, "PlayerStartPoints1", "Player Start Points");
    connect(MissionPlatform1, &QAction::triggered, this, &TDesignForm::MissionPlatform1Click);
    connect(BriefingRoom1, &QAction::triggered, this, &TDesignForm::BriefingRoom1Click);
    connect(MissionEnviroment1, &QAction::triggered, this, &TDesignForm::MissionEnviroment1Click);
    connect(WeatherSettings1, &QAction::triggered, this, &TDesignForm::WeatherSettings1Click);
    connect(NavPoints1, &QAction::triggered, this, &TDesignForm::NavPoints1Click);
    connect(MissionTables1, &QAction::triggered, this, &TDesignForm::MissionTables1Click);
    connect(PlayerStartPoints1, &QAction::triggered, this, &TDesignForm::PlayerStartPoints1Click);
    // They edit the mission: offered while there is one.
    documentActions_ << MissionPlatform1 << BriefingRoom1 << MissionEnviroment1 << WeatherSettings1
                     << NavPoints1 << MissionTables1 << PlayerStartPoints1;
    CustomColorPalletteBuilder1 =
        item(ProjectSettings, "CustomColorPalletteBuilder1", "Custom Color Pallette Builder");
    connect(CustomColorPalletteBuilder1, &QAction::triggered, this,
            &TDesignForm::CustomColorPalletteBuilder1Click);
    documentActions_ << CustomColorPalletteBuilder1;

    QMenu* utilities = menuBar()->addMenu(QStringLiteral("Utilitys"));
    ScanGeoTable1 = item(utilities, "ScanGeoTable1", "Scan Geo Table");
    ObjectDatabase1 = item(utilities, "ObjectDatabase1", "Object Database");
    connect(ObjectDatabase1, &QAction::triggered, this, &TDesignForm::ObjectDatabase1Click);
    UserPOVCameraControl1 = item(utilities, "UserPOVCameraControl1", "User POV Camera Control");
    connect(UserPOVCameraControl1, &QAction::triggered, this,
            &TDesignForm::UserPOVCameraControl1Click);
    ObjectViewer1 = item(utilities, "ObjectViewer1", "Object Viewer");
    connect(ObjectViewer1, &QAction::triggered, this, &TDesignForm::ObjectViewer1Click);
    CheckMission1 = item(utilities, "CheckMission1", "Check Mission",
                         "What in the mission would build wrongly or not at all");
    connect(CheckMission1, &QAction::triggered, this, &TDesignForm::CheckMission1Click);
    documentActions_ << CheckMission1;
    ReloadGroupTabItems1 = item(utilities, "ReloadGroupTabItems1", "Reload Group Tab Items");
    SystemInfo1 = item(utilities, "SystemInfo1", "System Info");
    connect(ScanGeoTable1, &QAction::triggered, this, &TDesignForm::ScanGeoTable1Click);
    connect(ReloadGroupTabItems1, &QAction::triggered, this,
            &TDesignForm::ReloadGroupTabItems1Click);
    connect(SystemInfo1, &QAction::triggered, this, &TDesignForm::SystemInfo1Click);

    QMenu* render = menuBar()->addMenu(QStringLiteral("Render Options"));
    QMenu* fill = render->addMenu(QStringLiteral("Fill Mode"));
    auto* fillGroup = new QActionGroup(this);
    Point = radio(fill, fillGroup, "Point", "Point", false);
    WireFrame = radio(fill, fillGroup, "WireFrame", "Wire Frame", false);
    Solid = radio(fill, fillGroup, "Solid", "Solid", true);
    QMenu* shade = render->addMenu(QStringLiteral("Shade Mode"));
    auto* shadeGroup = new QActionGroup(this);
    Flat = radio(shade, shadeGroup, "Flat", "Flat", false);
    Gouraud = radio(shade, shadeGroup, "Gouraud", "Gouraud", true);
    Phong = radio(shade, shadeGroup, "Phong", "Phong", false);
    const struct {
        QAction* action;
        bool fill;
        int value;
    } quality[] = {{Point, true, 0x000}, {WireFrame, true, 0x040}, {Solid, true, 0x080},
                   {Flat, false, 0},     {Gouraud, false, 1},      {Phong, false, 2}};
    for (const auto& q : quality) {
        const bool isFill = q.fill;
        const int value = q.value;
        connect(q.action, &QAction::triggered, this,
                [this, isFill, value] { emit renderQualityChosen(isFill, value); });
    }
    GroundPlaneColor1 = item(render, "GroundPlaneColor1", "Ground Plane Color");
    StandardObjectColor1 = item(render, "StandardObjectColor1", "Standard ObjectColor");
    RMGObjectColor1 = item(render, "RMGObjectColor1", "RMG Object Color");
    SelectedObjectColor1 = item(render, "SelectedObjectColor1", "Selected Object Color");
    PlayerStartPointColor1 = item(render, "PlayerStartPointColor1", "Player Start Point Color");
    for (QAction* colour : {GroundPlaneColor1, StandardObjectColor1, RMGObjectColor1,
                            SelectedObjectColor1, PlayerStartPointColor1}) {
        connect(colour, &QAction::triggered, this,
                [this, colour] { emit colourCommand(colour->objectName()); });
    }
    QMenu* now = render->addMenu(QStringLiteral("Now"));
    auto* dayGroup = new QActionGroup(this);
    DayTime1 = radio(now, dayGroup, "DayTime1", "Day Time", true);
    NightTime1 = radio(now, dayGroup, "NightTime1", "Night Time", false);
    connect(DayTime1, &QAction::triggered, this, &TDesignForm::DayTime1Click);
    connect(NightTime1, &QAction::triggered, this, &TDesignForm::NightTime1Click);
    AutoZoom = item(render, "AutoZoom", "Object Drop Auto Zoom");
    AutoZoom->setCheckable(true);
    AutoZoom->setChecked(true);
    connect(AutoZoom, &QAction::triggered, this, &TDesignForm::AutoZoomClick);
    render->addSeparator();
    const platform::ViewAids aids = platform::readViewAids(*context_.settings);
    GroundGrid = item(render, "GroundGrid", "Ground Grid",
                      "A line every 10 units on the ground, a stronger one every 100");
    GroundGrid->setCheckable(true);
    GroundGrid->setChecked(aids.groundGrid);
    EditorLighting = item(render, "EditorLighting", "Editor Lighting",
                          "A light travelling with the camera, so faces read by their direction");
    EditorLighting->setCheckable(true);
    EditorLighting->setChecked(aids.editorLighting);
    for (QAction* aid : {GroundGrid, EditorLighting})
        connect(aid, &QAction::toggled, this, [this] {
            platform::writeViewAids(*context_.settings,
                                    {GroundGrid->isChecked(), EditorLighting->isChecked()});
            emit viewAidsChanged();
        });

    QMenu* setup = menuBar()->addMenu(QStringLiteral("Setup"));
    ZEVProjectFilePath1 = item(setup, "ZEVProjectFilePath1", "ZEV Project File Path");
    ZEVCDROMLocation1 = item(setup, "ZEVCDROMLocation1", "ZEV CD-ROM Location");
    MissionLaunchMek1 = item(setup, "MissionLaunchMek1", "Mission Launch Mek");
    connect(MissionLaunchMek1, &QAction::triggered, this, &TDesignForm::MissionLaunchMek1Click);
    ZEVSimEngineExecutableOverride1 =
        item(setup, "ZEVSimEngineExecutableOverride1", "ZEV Sim Engine Executable Override");
    KeyboardMapping1 = item(setup, "KeyboardMapping1", "Keyboard Mapping");
    connect(KeyboardMapping1, &QAction::triggered, this, &TDesignForm::KeyboardMapping1Click);
    ProgramRunners1 = item(setup, "ProgramRunners1", "Program Runners",
                           "The commands that start the assembler and the game");
    connect(ProgramRunners1, &QAction::triggered, this, &TDesignForm::ProgramRunners1Click);
    AutosaveInterval1 = item(setup, "AutosaveInterval1", "Recovery Copies...",
                             "How often a recovery copy of a modified mission is written");
    connect(AutosaveInterval1, &QAction::triggered, this, &TDesignForm::AutosaveInterval1Click);
    connect(ZEVProjectFilePath1, &QAction::triggered, this, &TDesignForm::ZEVProjectFilePath1Click);
    connect(ZEVCDROMLocation1, &QAction::triggered, this, &TDesignForm::ZEVCDROMLocation1Click);
    connect(ZEVSimEngineExecutableOverride1, &QAction::triggered, this,
            &TDesignForm::ZEVSimEngineExecutableOverride1Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    UserGuide1 = item(help, "UserGuide1", "&User Guide", "The guide to the editor, in a window");
    UserGuide1->setShortcut(QKeySequence(Qt::Key_F1));
    KeysAndMouse1 = item(help, "KeysAndMouse1", "&Keys and Mouse",
                         "Every key and mouse gesture of the editor as it is set up now");
    help->addSeparator();
    About1 = item(help, "About1", "&About...");
    addAction(UserGuide1);
    connect(UserGuide1, &QAction::triggered, this, &TDesignForm::UserGuide1Click);
    connect(KeysAndMouse1, &QAction::triggered, this, &TDesignForm::KeysAndMouse1Click);
    connect(About1, &QAction::triggered, this, &TDesignForm::About1Click);
}

} // namespace zev::app
