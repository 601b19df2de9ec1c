#pragma once

#include "DocumentController.h"
#include "EditorContext.h"
#include "GuiReporter.h"

#include "RecoveryCopies.h"
#include "build/GameLaunch.h"
#include "edit/KeyActions.h"
#include "edit/KeyTable.h"
#include "edit/MissionEditor.h"
#include "edit/ObjectClipboard.h"
#include "edit/ObjectDrop.h"
#include "edit/RecentFiles.h"
#include "mission/MissionDocument.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTabBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace zev::dialogs {
class TBriefingForm;
class InspectorPanel;
class OutlinePanel;
class ProblemsPanel;
} // namespace zev::dialogs
namespace zev::edit {
class InspectorModel;
class MissionChangeWatch;
class OutlineModel;
} // namespace zev::edit
namespace zev::gamedata {
class ObjectGroupCatalog;
}
namespace zev::build {
struct MissionProblem;
struct CheckContext;
} // namespace zev::build

namespace zev::app {

// The main window: the workspace, the object palette, the tool bar, the status bar and the menu.
// It owns the mission editor (the mission, its positions, selection and undo history), the
// workspace key table and the object drop, and dispatches every command.
class TDesignForm : public QMainWindow, public DocumentUi, private edit::EditorListener {
    Q_OBJECT
public:
    TDesignForm(EditorContext context, QWidget* parent = nullptr);
    ~TDesignForm() override;

    const mission::MissionDocument& document() const { return editor_.document(); }
    edit::MissionEditor& editor() { return editor_; }
    // The workspace key table, read from "key.map" when the window is made.
    edit::KeyTable& keyTable() { return keyTable_; }
    edit::ObjectDropper& dropper() { return *dropper_; }
    edit::ObjectPaster& paster() { return *paster_; }
    // The ground under the pointer where a paste puts the objects (the workspace sets it: the
    // top view's ground while the pointer is over it); nothing puts them one grid step aside.
    std::function<std::optional<engine::Vector3>()> pastePoint;
    // The palette's current object: the tab's group and the entry the drop button names.
    edit::PaletteChoice paletteChoice() const;
    // Whether the index files are current; checked at creation, after a GEO scan and when the
    // workspace device is made again.
    bool indexFilesCurrent() const { return dropper_->indexCurrent; }
    void checkIndexFiles();
    DocumentController& controller() { return *controller_; }
    GuiReporter& reporter() { return reporter_; }
    const EditorContext& context() const { return context_; }
    // The sample mission of the demo data beside the program directory (DIR/missions of
    // `zevedit-cli demo DIR`); empty when there is none.
    QString sampleMissionPath() const;
    // Where the file dialogs start: the folder of the mission open, else of the last one used.
    QString lastMissionFolder() const;
    // The window's place, size, maximised state and dock layout, kept in the settings between
    // runs of a windowed workspace; restored before the window shows (false when none is kept).
    bool restoreWindowLayout();
    void saveWindowLayout();

    // The area the 3D workspace occupies.
    QWidget* workspaceArea() const { return workspaceArea_; }
    void setWorkspaceWidget(QWidget* widget);

    // DocumentUi: the dialogs are virtual so tests can answer them.
    UnsavedChoice askUnsavedWork() override;
    std::optional<std::filesystem::path> askOpenPath() override;
    std::optional<std::filesystem::path> askSavePath() override;
    std::optional<mission::NewMissionSelection> askNewMission() override;
    void setTitle(const std::string& title) override;
    void setDocumentControlsEnabled(bool enabled) override;
    void setBusy(bool busy) override;
    edit::MissionEditor::ShowCheck showCheck() override { return showCheck_; }
    void fileUsed(const std::filesystem::path& path) override;
    // Asks what to do with a recovery copy left behind (virtual so tests can answer).
    enum class RecoveryChoice { Restore, Discard, Later };
    virtual RecoveryChoice askRecovery(const RecoveryCopy& copy);
    RecoveryCopies& recoveryCopies() { return *recovery_; }

    // The workspace's check of what it can show (empty without a workspace).
    void setShowCheck(edit::MissionEditor::ShowCheck check) { showCheck_ = std::move(check); }

    // Tool bar.
    QToolBar* SpeedPanel;
    QAction *OpenBtn, *SaveBtn, *SaveAsBtn, *NewBtn, *BuildBtn, *CompileBtn, *LaunchBtn,
        *ErrorLogBtn;
    // Object palette.
    QTabBar* ObjectsTabControl;
    QAction *MouseBtn, *DropperBtn, *SideBtn, *TopBtn;
    QPushButton* DropBtn;
    QListWidget* ObjectBox;
    // The panel that holds the object tabs and list beside the workspace, and its dock.
    QWidget* ObjectPanel;
    QDockWidget* PaletteDock;
    // Shown over the workspace while no mission is open: how to begin.
    QLabel* EmptyHint;
    // Status bar panels (350, 100, 100, 100 pixels).
    QLabel* StatusPanels[4];
    // Menu.
    QAction *NewItem, *OpenItem, *SaveItem, *SaveAsItem, *ExitItem;
    QMenu* FileMenu;
    QAction* RecentSeparator;
    QList<QAction*> RecentItems;
    QAction* AutosaveInterval1;
    QMenu* EditMenu;
    QAction *UndoItem, *RedoItem;
    QAction *CutItem, *CopyItem, *PasteItem, *DuplicateItem;
    QAction *SelectAllItem, *SelectNoneItem, *InvertSelectionItem, *SelectSimilarItem;
    QAction *HideSelectedItem, *UnhideAllItem, *IsolateSelectedItem;
    // How many things are selected and how many objects hidden.
    QLabel* SelectionPanel;
    QMenu* ProjectSettings;
    QAction *MissionPlatform1, *BriefingRoom1, *MissionEnviroment1, *WeatherSettings1, *NavPoints1,
        *MissionTables1, *PlayerStartPoints1, *CustomColorPalletteBuilder1;
    QAction *ScanGeoTable1, *ObjectDatabase1, *ObjectViewer1, *ReloadGroupTabItems1, *SystemInfo1,
        *UserPOVCameraControl1, *CheckMission1;
    QAction *Point, *WireFrame, *Solid, *Flat, *Gouraud, *Phong;
    QAction *GroundPlaneColor1, *StandardObjectColor1, *RMGObjectColor1, *SelectedObjectColor1,
        *PlayerStartPointColor1;
    QAction *DayTime1, *NightTime1, *AutoZoom;
    QAction *GroundGrid, *EditorLighting;
    QAction *ZEVProjectFilePath1, *ZEVCDROMLocation1, *MissionLaunchMek1,
        *ZEVSimEngineExecutableOverride1, *KeyboardMapping1, *ProgramRunners1;
    QAction *UserGuide1, *KeysAndMouse1, *About1;
    // Where "User Guide" looks for the guide (the install's share folder, then the sources).
    QStringList guidePlaces;
    // Camera and placement commands.
    QAction *FrameSelection1, *SnapToGrid1, *LargerGrid1, *SmallerGrid1, *PutOnGround1;
    QList<QAction*> StoreCameraItems, RecallCameraItems;
    QLabel* SnapPanel;
    // The docks beside the workspace, the View menu that shows and hides them, and the tool
    // bar's count of the mission's errors and warnings (a click shows the problems).
    QDockWidget *OutlineDock, *InspectorDock, *ProblemsDock;
    QMenu* ViewMenu;
    QAction* ProblemCounts;

    bool autoZoom() const;
    // Where drops, drags and key moves land: kept in the settings.
    const edit::GridSnap& gridSnap() const { return gridSnap_; }
    // A Build, Compile or Launch is running: another is refused and the window stays open.
    bool isBusy() const { return busy_; }
    // What Compile and Launch work with, from the settings in effect.
    build::LaunchSettings launchSettings() const;
    // The mission check over the editor's mission, as the Check Mission dialog and the Problems
    // dock run it; and the Problems dock's list brought up to date at once.
    std::vector<build::MissionProblem> checkMissionNow() const;
    void refreshProblems();
    // Asked before Compile or Launch runs on a mission with errors (virtual so tests can
    // answer): "Compile anyway?"
    virtual bool askCompileAnyway(int errors);

public slots:
    void NewBtnClick();
    void OpenItemClick();
    void SaveItemClick();
    void SaveAsBtnClick();
    void ExitItemClick();
    void UndoItemClick();
    void RedoItemClick();
    void CutItemClick();
    void CopyItemClick();
    void PasteItemClick();
    void DuplicateItemClick();
    void SelectAllItemClick();
    void SelectNoneItemClick();
    void InvertSelectionItemClick();
    void SelectSimilarItemClick();
    void HideSelectedItemClick();
    void UnhideAllItemClick();
    void IsolateSelectedItemClick();
    void MouseBtnClick();
    void DropperBtnClick();
    void SideBtnClick();
    void TopBtnClick();
    void DropBtnClick();
    void ObjectBoxClick();
    void ObjectsTabControlChange();
    void ReloadGroupTabItems1Click();
    void ScanGeoTable1Click();
    void SystemInfo1Click();
    void About1Click();
    void AutoZoomClick();
    void DayTime1Click();
    void NightTime1Click();
    void ZEVProjectFilePath1Click();
    void ZEVCDROMLocation1Click();
    void ZEVSimEngineExecutableOverride1Click();
    void KeyboardMapping1Click();
    void BuildBtnClick();
    void CompileBtnClick();
    void LaunchBtnClick();
    void ErrorLogBtnClick();
    void MissionLaunchMek1Click();
    void ProgramRunners1Click();
    void MissionTables1Click();
    void MissionPlatform1Click();
    void BriefingRoom1Click();
    void MissionEnviroment1Click();
    void WeatherSettings1Click();
    void NavPoints1Click();
    void PlayerStartPoints1Click();
    void CustomColorPalletteBuilder1Click();
    void AutosaveInterval1Click();
    void CheckMission1Click();
    // Recovery copies of editors that ended without saving: each offered for restoring.
    void offerRecovery();
    // Writes the recovery copy of a modified mission now (the autosave timer's work).
    void writeRecoveryCopy();
    void ObjectDatabase1Click();
    void ObjectViewer1Click();
    // The editor of what is selected in the workspace (after a double-click).
    void EditSelection();
    void UserPOVCameraControl1Click();
    // "Help": the user guide shipped with the program, and the keys and mouse reference made
    // from the tables in use.
    void UserGuide1Click();
    void KeysAndMouse1Click();
    // The mission named on the command line, once the window shows.
    void openStartMission();

signals:
    // The top camera is to look down on a thing of the mission (the outline's or the problem
    // list's double-click), in the top view.
    void cameraToThing(const zev::edit::Selection& thing);
    // The window has closed (the close was not cancelled).
    void closed();
    // The workspace could not render after all: the start-up form takes over again.
    void setupFailed();
    // Compile or Launch is about to run the assembler (and the game): the workspace stops
    // drawing (and gives up its device for a launch); and the run is over.
    void sequenceStarting(bool launch);
    void sequenceEnded(bool launch);
    // The object viewer is about to show, and has closed.
    void viewerStarting();
    void viewerEnded();
    // The workspace's view commands, for whoever hosts the scene.
    void renderQualityChosen(bool fill, int value);
    void colourCommand(const QString& which);
    void dayNightChosen(bool night);
    // "Ground Grid" or "Editor Lighting" was switched (and stored).
    void viewAidsChanged();
    // A step was done, undone or redone: the workspace draws the change even while the window
    // is not the active one (just after a dialog closed).
    void missionChanged();
    void projectPathChanged(const QString& path);
    void objectChosen(const QString& group, int index, const QString& menuText);
    // The tool and view buttons, for the workspace host.
    void toolChosen(bool dropper);
    void viewChosen(bool top);
    // "Frame Selection"; a camera bookmark (1 to 4) stored or gone back to.
    void frameSelectionChosen();
    void cameraBookmarkChosen(int slot, bool store);
    // Snapping or its size changed (the grid drawn follows it).
    void snapChanged();
    // A mission file was opened or saved under a name.
    void missionFileUsed(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    void buildPalette();
    void buildMenu();
    // The Edit menu's clipboard, selection and hiding commands.
    void buildSelectionMenu();
    void showSelectionStatus();
    void hiddenChanged() override { showSelectionStatus(); }
    void missionReplaced() override { showSelectionStatus(); }
    void buildStatusBar();
    // The View menu's camera commands, snapping and "Put on Ground".
    void buildNavigationCommands();
    void setSnap(bool on, int size);
    void reportHints();
    void historyChanged() override;
    void selectionChanged() override;
    // The tool tips that name keys of the key table, after it was read or changed.
    void refreshKeyHints();
    // The hint over an empty workspace, shown while no mission is open.
    void updateEmptyHint();
    void emptyHintLink(const QString& link);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void runSequence(bool launch);
    // The outline, inspector and problems docks, and the View menu's items for them.
    void buildDocks();
    // The object groups read again (the palette was reloaded): the docks' group columns anew.
    void reloadObjectGroups();
    // Compile and Launch on a mission with errors go on only when the user says so.
    bool confirmDespiteErrors();
    // The File menu's recent files from the list.
    void showRecentFiles();
    void openRecentFile(const QString& file);
    void startAutosave();
    // The start point dialog on a player's page, the nav point table on a star's.
    void editStartPoints(int player);
    void editNavPoints(int star);
    // The objectives editor on a star's table with a row selected; its OK as one step.
    void editObjectives(int star, int row);
    // A dialog's new header as one step.
    void changeHeader(const char* name, const std::optional<mission::MissionHeader>& after);
    // Goes where a problem of the mission check is mended: the object selected, or the dialog.
    void mendProblem(const build::MissionProblem& problem);
    // The object database editor over `parent`; the group tabs show what it changed.
    void openObjectDatabase(QWidget* parent);
    // The screen a full-screen workspace took, which a large dialog is fitted to; none windowed.
    std::optional<QSize> fullScreenSize() const;

    EditorContext context_;
    GuiReporter reporter_;
    edit::MissionEditor editor_;
    edit::KeyTable keyTable_;
    std::unique_ptr<edit::ObjectDropper> dropper_;
    std::unique_ptr<edit::ObjectPaster> paster_;
    std::unique_ptr<DocumentController> controller_;
    edit::MissionEditor::ShowCheck showCheck_;
    // The step sizes the camera form changes when no workspace holds them.
    edit::WorkspaceSpeeds idleSpeeds_;
    bool busy_ = false;
    QWidget* workspaceArea_;
    QList<QAction*> documentActions_;
    // Made with the window and kept, as the briefing room has always been.
    dialogs::TBriefingForm* briefingForm_;
    edit::RecentFiles recent_;
    std::unique_ptr<RecoveryCopies> recovery_;
    QTimer* autosave_;
    edit::GridSnap gridSnap_;
    std::unique_ptr<gamedata::ObjectGroupCatalog> objectGroups_;
    std::unique_ptr<edit::OutlineModel> outline_;
    std::unique_ptr<edit::InspectorModel> inspector_;
    std::unique_ptr<edit::MissionChangeWatch> changeWatch_;
    dialogs::OutlinePanel* outlinePanel_ = nullptr;
    dialogs::InspectorPanel* inspectorPanel_ = nullptr;
    dialogs::ProblemsPanel* problemsPanel_ = nullptr;
    // Runs the check a moment after the last change, not on every change.
    QTimer* checkTimer_ = nullptr;
    // The menu text of the palette's chosen object (the drop button shows a hint without one).
    QString paletteText_;
    // The window layout is kept (a windowed workspace restored it).
    bool windowLayoutKept_ = false;
};

} // namespace zev::app
