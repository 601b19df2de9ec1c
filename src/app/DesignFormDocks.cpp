// The docks beside the workspace: the outline, the inspector and the problem list, the View menu
// that shows them, and the check that keeps the problem list and the tool bar's counts current.

#include "DesignForm.h"

#include "build/MissionCheck.h"
#include "dialogs/InspectorPanel.h"
#include "dialogs/OutlinePanel.h"
#include "dialogs/ProblemsPanel.h"
#include "edit/InspectorModel.h"
#include "edit/MissionChangeWatch.h"
#include "edit/OutlineModel.h"
#include "gamedata/ObjectGroupCatalog.h"

#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>

namespace zev::app {

namespace {

// After the last change the check waits this long, so typing and dragging never wait for it.
constexpr int kCheckDelayMs = 400;

QDockWidget* dock(QMainWindow* window, const char* name, const char* title, QWidget* content) {
    auto* d = new QDockWidget(QString::fromLatin1(title), window);
    d->setObjectName(QString::fromLatin1(name)); // the window's saved layout finds it by this
    d->setAccessibleName(QString::fromLatin1(title));
    d->setWidget(content);
    d->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    window->addDockWidget(Qt::RightDockWidgetArea, d);
    return d;
}

} // namespace

void TDesignForm::buildDocks() {
    objectGroups_ = std::make_unique<gamedata::ObjectGroupCatalog>();
    outline_ = std::make_unique<edit::OutlineModel>(editor_, objectGroups_.get());
    inspector_ = std::make_unique<edit::InspectorModel>(editor_, objectGroups_.get());

    outlinePanel_ = new dialogs::OutlinePanel(*outline_);
    connect(outlinePanel_, &dialogs::OutlinePanel::thingsChosen, this,
            [this](const std::vector<edit::Selection>& things) { editor_.setSelection(things); });
    connect(outlinePanel_, &dialogs::OutlinePanel::thingActivated, this,
            [this](const edit::Selection& thing) {
                editor_.select(thing);
                emit cameraToThing(thing);
            });
    connect(outlinePanel_, &dialogs::OutlinePanel::thingToEdit, this,
            [this](const edit::Selection& thing) {
                editor_.select(thing);
                EditSelection();
            });
    inspectorPanel_ = new dialogs::InspectorPanel(*inspector_);
    problemsPanel_ = new dialogs::ProblemsPanel;
    connect(problemsPanel_, &dialogs::ProblemsPanel::problemChosen, this,
            &TDesignForm::mendProblem);

    OutlineDock = dock(this, "OutlineDock", "Outline", outlinePanel_);
    InspectorDock = dock(this, "InspectorDock", "Inspector", inspectorPanel_);
    ProblemsDock = dock(this, "ProblemsDock", "Problems", problemsPanel_);

    // The View menu (made with the camera commands) shows and hides each dock, at its top.
    QAction* first = ViewMenu->actions().value(0);
    for (QDockWidget* d : {OutlineDock, InspectorDock, ProblemsDock}) {
        QAction* toggle = d->toggleViewAction();
        toggle->setObjectName(d->objectName() + QStringLiteral("Item"));
        ViewMenu->insertAction(first, toggle);
    }
    ViewMenu->insertSeparator(first);

    SpeedPanel->addSeparator();
    ProblemCounts = SpeedPanel->addAction(QString());
    ProblemCounts->setObjectName(QStringLiteral("ProblemCounts"));
    ProblemCounts->setToolTip(QStringLiteral("Errors and warnings of the mission check"));
    connect(ProblemCounts, &QAction::triggered, this, [this] {
        ProblemsDock->show();
        ProblemsDock->raise();
    });

    checkTimer_ = new QTimer(this);
    checkTimer_->setObjectName(QStringLiteral("CheckTimer"));
    checkTimer_->setSingleShot(true);
    checkTimer_->setInterval(kCheckDelayMs);
    connect(checkTimer_, &QTimer::timeout, this, &TDesignForm::refreshProblems);
    changeWatch_ =
        std::make_unique<edit::MissionChangeWatch>(editor_, [this] { checkTimer_->start(); });
    refreshProblems();
}

void TDesignForm::reloadObjectGroups() {
    if (!objectGroups_)
        return;
    *objectGroups_ = gamedata::ObjectGroupCatalog::load(context_.programDirectory);
    outline_->setGroups(objectGroups_.get());
    inspector_->setGroups(objectGroups_.get());
    if (checkTimer_)
        checkTimer_->start();
}

void TDesignForm::selectionChanged() {
    showSelectionStatus();
    if (outlinePanel_)
        outlinePanel_->showSelection(editor_.selectedThings());
}

std::vector<build::MissionProblem> TDesignForm::checkMissionNow() const {
    build::CheckContext context{context_.programDirectory, std::nullopt, &editor_,
                                objectGroups_.get()};
    if (!context_.archivePath().isEmpty())
        context.archivePath = context_.archivePath().toStdString();
    return build::checkMission(editor_.document(), context);
}

void TDesignForm::refreshProblems() {
    if (!problemsPanel_)
        return;
    checkTimer_->stop();
    problemsPanel_->showProblems(editor_.hasMission() ? checkMissionNow()
                                                      : std::vector<build::MissionProblem>{});
    const int errors = problemsPanel_->errorCount();
    const int warnings = problemsPanel_->warningCount();
    ProblemCounts->setText(QStringLiteral("%1 error%2, %3 warning%4")
                               .arg(errors)
                               .arg(errors == 1 ? "" : "s")
                               .arg(warnings)
                               .arg(warnings == 1 ? "" : "s"));
    ProblemCounts->setVisible(editor_.hasMission());
}

bool TDesignForm::askCompileAnyway(int errors) {
    return QMessageBox::question(
               this, QStringLiteral("ZEVEDIT 3D"),
               QStringLiteral("The mission check finds %1 error%2 (see Problems). Compile anyway?")
                   .arg(errors)
                   .arg(errors == 1 ? "" : "s"),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool TDesignForm::confirmDespiteErrors() {
    if (!editor_.hasMission())
        return true;
    refreshProblems(); // the list as it stands now, not as it stood before the last change
    const int errors = problemsPanel_->errorCount();
    return errors == 0 || askCompileAnyway(errors);
}

} // namespace zev::app
