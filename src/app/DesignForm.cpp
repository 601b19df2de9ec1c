#include "DesignForm.h"

#include "DirtyForm.h"
#include "FileDialogs.h"
#include "HelpWindows.h"
#include "SelectionForm.h"
#include "WorkspaceHost.h"

#include "dialogs/BriefingForm.h"
#include "edit/InspectorModel.h"
#include "edit/MissionChangeWatch.h"
#include "edit/OutlineModel.h"
#include "gamedata/ObjectGroupCatalog.h"
#include "platform/EditorSettings.h"

#include <QTimer>

#include "gamedata/IndexFiles.h"
#include "gamedata/ObjectGroups.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace zev::app {

TDesignForm::TDesignForm(EditorContext context, QWidget* parent)
    : QMainWindow(parent), context_(std::move(context)), reporter_(this),
      keyTable_(edit::KeyTable::load(context_.programDirectory)) {
    setObjectName(QStringLiteral("DesignForm"));
    guidePlaces = defaultGuidePlaces();
    setWindowTitle(QString::fromLatin1(DocumentController::kPlainTitle));
    controller_ =
        std::make_unique<DocumentController>(editor_, context_.programDirectory, reporter_, *this);
    dropper_ = std::make_unique<edit::ObjectDropper>(editor_, context_.programDirectory, reporter_);
    paster_ = std::make_unique<edit::ObjectPaster>(editor_, reporter_);
    checkIndexFiles();

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    workspaceArea_ = new QWidget;
    workspaceArea_->setObjectName(QStringLiteral("WorkspaceArea"));
    workspaceArea_->setLayout(new QVBoxLayout);
    workspaceArea_->layout()->setContentsMargins(0, 0, 0, 0);
    workspaceArea_->setMinimumSize(320, 240);

    buildToolBar();
    buildPalette();
    buildMenu();
    buildStatusBar();
    buildNavigationCommands();
    briefingForm_ = new dialogs::TBriefingForm(reporter_, this);
    recent_ = edit::RecentFiles([this] {
        std::vector<std::string> files;
        for (const QString& f : platform::readRecentFiles(*context_.settings))
            files.push_back(f.toStdString());
        return files;
    }());
    showRecentFiles();
    recovery_ = std::make_unique<RecoveryCopies>(context_.programDirectory / "recovery");
    autosave_ = new QTimer(this);
    autosave_->setObjectName(QStringLiteral("AutosaveTimer"));
    connect(autosave_, &QTimer::timeout, this, &TDesignForm::writeRecoveryCopy);
    startAutosave();

    auto* side = new QWidget;
    side->setObjectName(QStringLiteral("ObjectPanel"));
    ObjectPanel = side;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(2, 2, 2, 2);
    sideLayout->addWidget(ObjectsTabControl);
    sideLayout->addWidget(DropBtn);
    sideLayout->addWidget(ObjectBox, 1);
    side->setMinimumWidth(160);
    // The palette is a dock beside the workspace, made wider or narrower by its edge; its
    // tabs keep whole names (arrows scroll them).
    PaletteDock = new QDockWidget(QStringLiteral("Objects"), this);
    PaletteDock->setObjectName(QStringLiteral("PaletteDock"));
    PaletteDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    PaletteDock->setTitleBarWidget(new QWidget);
    PaletteDock->setWidget(side);
    addDockWidget(Qt::LeftDockWidgetArea, PaletteDock);
    resizeDocks({PaletteDock}, {220}, Qt::Horizontal);
    layout->addWidget(workspaceArea_, 1);
    setCentralWidget(central);

    buildDocks();
    EmptyHint = new QLabel(workspaceArea_);
    EmptyHint->setObjectName(QStringLiteral("EmptyHint"));
    EmptyHint->setAlignment(Qt::AlignCenter);
    EmptyHint->setWordWrap(true);
    EmptyHint->setAutoFillBackground(true);
    EmptyHint->setFrameShape(QFrame::StyledPanel);
    EmptyHint->setMargin(16);
    connect(EmptyHint, &QLabel::linkActivated, this, &TDesignForm::emptyHintLink);
    workspaceArea_->installEventFilter(this);

    setDocumentControlsEnabled(false);
    ReloadGroupTabItems1Click();
    editor_.addListener(this);
    historyChanged();
    refreshKeyHints();
    updateEmptyHint();
    resize(1024, 720);
}

TDesignForm::~TDesignForm() {
    // The workspace host goes while this window is whole: it takes its filters off and deletes
    // the workspace widget before the window's own widgets are deleted.
    qDeleteAll(findChildren<WorkspaceHost*>(QString(), Qt::FindDirectChildrenOnly));
    // The docks' views hold on to their models, which go with this window's members.
    delete OutlineDock;
    delete InspectorDock;
    delete ProblemsDock;
    editor_.removeListener(this);
}

void TDesignForm::checkIndexFiles() {
    dropper_->indexCurrent =
        gamedata::CheckIndexFiles(context_.archivePath().toStdString(), context_.programDirectory);
}

edit::PaletteChoice TDesignForm::paletteChoice() const {
    edit::PaletteChoice choice;
    const int tab = ObjectsTabControl->currentIndex();
    if (tab < 0 || !ObjectBox->currentItem())
        return choice;
    choice.group = ObjectsTabControl->tabText(tab).toStdString();
    choice.entry = ObjectBox->currentRow();
    choice.text = paletteText_.toStdString();
    return choice;
}

void TDesignForm::historyChanged() {
    UndoItem->setText(QString::fromStdString(editor_.undoText()));
    RedoItem->setText(QString::fromStdString(editor_.redoText()));
    UndoItem->setEnabled(editor_.canUndo());
    RedoItem->setEnabled(editor_.canRedo());
    // Saved, or back to the saved state: no recovery copy is needed.
    if (recovery_ && !editor_.isModified())
        recovery_->discard();
    // The title's "*" while the mission differs from its file.
    setWindowModified(editor_.isModified());
    emit missionChanged();
}

void TDesignForm::setWorkspaceWidget(QWidget* widget) {
    workspaceArea_->layout()->addWidget(widget);
    EmptyHint->raise();
}

void TDesignForm::buildToolBar() {
    SpeedPanel = addToolBar(QStringLiteral("SpeedPanel"));
    SpeedPanel->setObjectName(QStringLiteral("SpeedPanel"));
    SpeedPanel->setMovable(false);
    const auto button = [&](const char* name, const char* text, const char* hint) {
        QAction* a = SpeedPanel->addAction(QString::fromLatin1(text));
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(QString::fromLatin1(hint));
        a->setStatusTip(QString::fromLatin1(hint));
        return a;
    };
    OpenBtn = button("OpenBtn", "Open", "Open a Saved Mission");
    SaveBtn = button("SaveBtn", "Save", "Save Current Mission");
    SaveAsBtn = button("SaveAsBtn", "Save As", "Save Current Mission As");
    NewBtn = button("NewBtn", "New", "Create New Mission");
    SpeedPanel->addSeparator();
    BuildBtn = button("BuildBtn", "Build", "Build Text Files from Current Mission");
    CompileBtn = button("CompileBtn", "Compile", "Compile Current Mission");
    LaunchBtn = button("LaunchBtn", "Launch", "Launch Current Mission");
    ErrorLogBtn = button("ErrorLogBtn", "Error Log", "View Error Log");
    SpeedPanel->addSeparator();
    // Their tips name the key table's keys (refreshKeyHints).
    MouseBtn = button("MouseBtn", "Mouse", "");
    DropperBtn = button("DropperBtn", "Dropper", "");
    SideBtn = button("SideBtn", "Front", "Enter Front Camera View");
    TopBtn = button("TopBtn", "Top", "Enter Top Camera View");
    MouseBtn->setCheckable(true);
    DropperBtn->setCheckable(true);
    MouseBtn->setChecked(true);
    SideBtn->setCheckable(true);
    TopBtn->setCheckable(true);
    SideBtn->setChecked(true);

    connect(OpenBtn, &QAction::triggered, this, &TDesignForm::OpenItemClick);
    connect(SaveBtn, &QAction::triggered, this, &TDesignForm::SaveItemClick);
    connect(SaveAsBtn, &QAction::triggered, this, &TDesignForm::SaveAsBtnClick);
    connect(NewBtn, &QAction::triggered, this, &TDesignForm::NewBtnClick);
    connect(MouseBtn, &QAction::triggered, this, &TDesignForm::MouseBtnClick);
    connect(DropperBtn, &QAction::triggered, this, &TDesignForm::DropperBtnClick);
    connect(SideBtn, &QAction::triggered, this, &TDesignForm::SideBtnClick);
    connect(TopBtn, &QAction::triggered, this, &TDesignForm::TopBtnClick);
    connect(BuildBtn, &QAction::triggered, this, &TDesignForm::BuildBtnClick);
    connect(CompileBtn, &QAction::triggered, this, &TDesignForm::CompileBtnClick);
    connect(LaunchBtn, &QAction::triggered, this, &TDesignForm::LaunchBtnClick);
    connect(ErrorLogBtn, &QAction::triggered, this, &TDesignForm::ErrorLogBtnClick);
    documentActions_ = {SaveBtn, SaveAsBtn, DropperBtn, BuildBtn, CompileBtn, LaunchBtn};
}

void TDesignForm::buildPalette() {
    ObjectsTabControl = new QTabBar;
    ObjectsTabControl->setObjectName(QStringLiteral("ObjectsTabControl"));
    ObjectsTabControl->setShape(QTabBar::RoundedNorth);
    ObjectsTabControl->setExpanding(false);
    ObjectsTabControl->setUsesScrollButtons(true);
    connect(ObjectsTabControl, &QTabBar::currentChanged, this,
            &TDesignForm::ObjectsTabControlChange);
    DropBtn = new QPushButton;
    DropBtn->setObjectName(QStringLiteral("DropBtn"));
    connect(DropBtn, &QPushButton::clicked, this, &TDesignForm::DropBtnClick);
    ObjectBox = new QListWidget;
    ObjectBox->setObjectName(QStringLiteral("ObjectBox"));
    ObjectBox->setToolTip(QStringLiteral("Click an object to drop it with the Dropper tool"));
    connect(ObjectBox, &QListWidget::itemClicked, this, &TDesignForm::ObjectBoxClick);
}

void TDesignForm::buildStatusBar() {
    SelectionPanel = new QLabel;
    SelectionPanel->setObjectName(QStringLiteral("SelectionPanel"));
    // Permanent, so that a menu's hint does not cover it.
    statusBar()->addPermanentWidget(SelectionPanel);
    const int widths[4] = {350, 100, 100, 100};
    for (int i = 0; i < 4; ++i) {
        StatusPanels[i] = new QLabel;
        StatusPanels[i]->setFixedWidth(widths[i]);
        statusBar()->addPermanentWidget(StatusPanels[i]);
    }
}

void TDesignForm::setTitle(const std::string& title) {
    // A mission's title carries the "*" of a modified mission.
    const QString shown = QString::fromLocal8Bit(title.c_str());
    setWindowTitle(title == DocumentController::kPlainTitle ? shown
                                                            : shown + QStringLiteral("[*]"));
    setWindowModified(editor_.isModified());
    updateEmptyHint();
}

void TDesignForm::setDocumentControlsEnabled(bool enabled) {
    for (QAction* a : documentActions_)
        a->setEnabled(enabled);
    ProjectSettings->setEnabled(enabled);
}

void TDesignForm::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

UnsavedChoice TDesignForm::askUnsavedWork() {
    return TDirtyForm::ask(this);
}

std::optional<std::filesystem::path> TDesignForm::askOpenPath() {
    const auto path = askMissionOpenPath(this, lastMissionFolder());
    if (!path)
        return std::nullopt;
    return std::filesystem::path(path->toStdString());
}

std::optional<std::filesystem::path> TDesignForm::askSavePath() {
    const std::string name = editor_.document().header.text(mission::MissionHeader::missionName);
    const auto path =
        askMissionSavePath(this, lastMissionFolder(), QString::fromLatin1(name.c_str()));
    if (!path)
        return std::nullopt;
    return std::filesystem::path(path->toStdString());
}

std::optional<mission::NewMissionSelection> TDesignForm::askNewMission() {
    TSelectionForm form(reporter_, controller_->patchSetting() != 0, this);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.selection();
}

void TDesignForm::closeEvent(QCloseEvent* event) {
    // The assembler or the game is running under this window: it ends first.
    if (busy_ || !controller_->queryClose()) {
        event->ignore();
        return;
    }
    // The work is settled: the window lets the mission go, clean and untitled no more.
    saveWindowLayout();
    editor_.closeMission();
    recovery_->discard();
    event->accept();
    emit closed();
}

} // namespace zev::app
