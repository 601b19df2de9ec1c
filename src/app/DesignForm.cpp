#include "DesignForm.h"

#include "DirtyForm.h"
#include "FileDialogs.h"
#include "SelectionForm.h"
#include "WorkspaceHost.h"

#include "gamedata/ObjectGroups.h"

#include <QApplication>
#include <QCloseEvent>
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
      document_(std::make_unique<mission::MissionDocument>()) {
    setObjectName(QStringLiteral("DesignForm"));
    setWindowTitle(QString::fromLatin1(DocumentController::kPlainTitle));
    controller_ = std::make_unique<DocumentController>(*document_, context_.programDirectory,
                                                       reporter_, *this);
    recordPositions_ = std::make_unique<mission::RecordPositions>(*document_);

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

    auto* side = new QWidget;
    side->setObjectName(QStringLiteral("ObjectPanel"));
    ObjectPanel = side;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(2, 2, 2, 2);
    sideLayout->addWidget(ObjectsTabControl);
    sideLayout->addWidget(DropBtn);
    sideLayout->addWidget(ObjectBox, 1);
    sideLayout->addStretch();
    side->setFixedWidth(220);
    layout->addWidget(side);
    layout->addWidget(workspaceArea_, 1);
    setCentralWidget(central);

    setDocumentControlsEnabled(false);
    ReloadGroupTabItems1Click();
    resize(1024, 720);
}

TDesignForm::~TDesignForm() {
    // The workspace host goes while this window is whole: it takes its filters off and deletes
    // the workspace widget before the window's own widgets are deleted.
    qDeleteAll(findChildren<WorkspaceHost*>(QString(), Qt::FindDirectChildrenOnly));
}

void TDesignForm::setWorkspaceWidget(QWidget* widget) {
    workspaceArea_->layout()->addWidget(widget);
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
    // Their work comes with the build, compile and launch windows and the mouse tools.
    for (QAction* later :
         {BuildBtn, CompileBtn, LaunchBtn, ErrorLogBtn, MouseBtn, DropperBtn, SideBtn, TopBtn})
        later->setEnabled(false);
    documentActions_ = {SaveBtn, SaveAsBtn};
}

void TDesignForm::buildPalette() {
    ObjectsTabControl = new QTabBar;
    ObjectsTabControl->setObjectName(QStringLiteral("ObjectsTabControl"));
    ObjectsTabControl->setShape(QTabBar::RoundedNorth);
    ObjectsTabControl->setExpanding(false);
    ObjectsTabControl->setUsesScrollButtons(true);
    connect(ObjectsTabControl, &QTabBar::currentChanged, this,
            &TDesignForm::ObjectsTabControlChange);
    DropBtn = new QPushButton(QStringLiteral("(no object)"));
    DropBtn->setObjectName(QStringLiteral("DropBtn"));
    connect(DropBtn, &QPushButton::clicked, this, &TDesignForm::DropBtnClick);
    ObjectBox = new QListWidget;
    ObjectBox->setObjectName(QStringLiteral("ObjectBox"));
    ObjectBox->hide();
    connect(ObjectBox, &QListWidget::itemClicked, this, &TDesignForm::ObjectBoxClick);
}

void TDesignForm::buildStatusBar() {
    const int widths[4] = {350, 100, 100, 100};
    for (int i = 0; i < 4; ++i) {
        StatusPanels[i] = new QLabel;
        StatusPanels[i]->setFixedWidth(widths[i]);
        statusBar()->addPermanentWidget(StatusPanels[i]);
    }
}

void TDesignForm::setTitle(const std::string& title) {
    setWindowTitle(QString::fromLocal8Bit(title.c_str()));
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

void TDesignForm::documentReplaced() {
    if (onDocumentReplaced)
        onDocumentReplaced();
}

const mission::ScenePositions& TDesignForm::scenePositions() {
    return positions_ ? *positions_ : *recordPositions_;
}

UnsavedChoice TDesignForm::askUnsavedWork() {
    return TDirtyForm::ask(this);
}

std::optional<std::filesystem::path> TDesignForm::askOpenPath() {
    const auto path = askMissionOpenPath(this);
    if (!path)
        return std::nullopt;
    return std::filesystem::path(path->toStdString());
}

std::optional<std::filesystem::path> TDesignForm::askSavePath() {
    const auto path = askMissionSavePath(this);
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
    if (!controller_->queryClose()) {
        event->ignore();
        return;
    }
    document_->modified = false;
    document_->untitled = false;
    event->accept();
    emit closed();
}

} // namespace zev::app
