// The main window's editing dialogs: each hands its result to the mission editor as one step.

#include "DesignForm.h"
#include "WorkspaceHost.h"

#include "build/MissionCheck.h"
#include "dialogs/AddDatabaseForm.h"
#include "dialogs/BriefingForm.h"
#include "dialogs/CheckMissionForm.h"
#include "dialogs/ColorForm.h"
#include "dialogs/EnviromentForm.h"
#include "dialogs/MsnTableForm.h"
#include "dialogs/NavForm.h"
#include "dialogs/ObjectDatabaseForm.h"
#include "dialogs/ObjectForm.h"
#include "dialogs/PlatformForm.h"
#include "dialogs/StartPointForm.h"
#include "dialogs/WeatherForm.h"
#include "edit/DocumentCommands.h"
#include "edit/MarkerEditing.h"
#include "edit/ObjectCommands.h"
#include "workspace/ViewerForm.h"

#include <QScreen>

namespace zev::app {

void TDesignForm::EditSelection() {
    const edit::Selection selection = editor_.selection();
    switch (selection.kind) {
    case edit::Selection::Kind::None:
        return;
    case edit::Selection::Kind::StartPoint:
        return editStartPoints(selection.id);
    case edit::Selection::Kind::NavPoint:
        return editNavPoints(selection.star);
    case edit::Selection::Kind::Object:
        break;
    }
    const int slot = selection.id;
    if (!editor_.document().objects.find(slot))
        return;
    const dialogs::ObjectPropertiesContext context{context_.archivePath().toStdString()};
    if (const auto edited =
            dialogs::editObjectProperties(edit::recordForEditing(editor_, slot), context, this))
        edit::applyObjectProperties(editor_, slot, *edited);
}

void TDesignForm::editStartPoints(int player) {
    if (!editor_.hasMission())
        return;
    const edit::StartPoints opened = edit::startPointsForEditing(editor_);
    if (const auto edited = dialogs::editStartPoints(opened, player, this))
        edit::applyStartPoints(editor_, opened, *edited);
}

void TDesignForm::editNavPoints(int star) {
    if (!editor_.hasMission())
        return;
    const edit::NavStars opened = edit::navPointsForEditing(editor_);
    if (const auto edited = dialogs::editNavPoints(opened, star, this))
        edit::applyNavPointTable(editor_, opened, *edited);
}

void TDesignForm::changeHeader(const char* name,
                               const std::optional<mission::MissionHeader>& after) {
    const mission::MissionHeader& before = editor_.document().header;
    if (!after || *after == before)
        return;
    editor_.endMerging();
    editor_.execute(std::make_unique<edit::ChangeHeaderCommand>(name, before, *after));
}

std::optional<QSize> TDesignForm::fullScreenSize() const {
    const auto* host = findChild<WorkspaceHost*>(QString(), Qt::FindDirectChildrenOnly);
    if (host && !host->IsWindowed() && screen())
        return screen()->size();
    return std::nullopt;
}

void TDesignForm::PlayerStartPoints1Click() {
    editStartPoints(1);
}

void TDesignForm::NavPoints1Click() {
    editNavPoints(0);
}

void TDesignForm::WeatherSettings1Click() {
    if (!editor_.hasMission())
        return;
    const mission::WeatherRecord& before = editor_.document().weather;
    const auto after = dialogs::editWeather(before, this);
    if (after && !(*after == before)) {
        editor_.endMerging();
        editor_.execute(
            std::make_unique<edit::ChangeWeatherCommand>("Weather Settings", before, *after));
    }
}

void TDesignForm::MissionEnviroment1Click() {
    if (!editor_.hasMission())
        return;
    changeHeader("Mission Enviroment",
                 dialogs::editEnvironment(editor_.document().header,
                                          context_.programDirectory / "zevedit.ini", this,
                                          fullScreenSize()));
}

void TDesignForm::MissionPlatform1Click() {
    if (!editor_.hasMission())
        return;
    changeHeader("3dfx Mission Options",
                 dialogs::editPlatformOptions(editor_.document().header, this));
}

void TDesignForm::BriefingRoom1Click() {
    if (!editor_.hasMission())
        return;
    const mission::MissionDocument& document = editor_.document();
    const auto result = briefingForm_->edit(document);
    if (!result)
        return;
    const bool header = !(result->header == document.header);
    const bool pages = result->briefings != document.briefings;
    if (!header && !pages)
        return;
    const std::string name = "Briefing Room";
    editor_.endMerging();
    editor_.beginGesture(name);
    if (header)
        editor_.execute(
            std::make_unique<edit::ChangeHeaderCommand>(name, document.header, result->header));
    if (pages)
        editor_.execute(std::make_unique<edit::ChangeBriefingsCommand>(name, document.briefings,
                                                                       result->briefings));
    editor_.commitGesture();
}

void TDesignForm::CustomColorPalletteBuilder1Click() {
    if (!editor_.hasMission())
        return;
    const mission::PaletteRecord& before = editor_.document().palette;
    const auto after = dialogs::editCustomPalette(before, context_.programDirectory / "zevedit.ini",
                                                  reporter_, this);
    if (after && !(*after == before)) {
        editor_.endMerging();
        editor_.execute(std::make_unique<edit::ChangePaletteCommand>(
            "Custom Color Pallette Builder", before, *after));
    }
}

void TDesignForm::openObjectDatabase(QWidget* parent) {
    if (dialogs::runObjectDatabase(context_.programDirectory, reporter_, parent))
        ReloadGroupTabItems1Click();
}

void TDesignForm::ObjectDatabase1Click() {
    openObjectDatabase(this);
}

void TDesignForm::ObjectViewer1Click() {
    // The viewer draws with a device of its own; the workspace gives its up meanwhile.
    emit viewerStarting();
    QWidget* viewer = nullptr;
    workspace::ViewerActions actions;
    actions.addToDatabase = [this, &viewer](const std::string& name) {
        if (dialogs::runQuickAdd(context_.programDirectory, name, reporter_, viewer))
            ReloadGroupTabItems1Click();
    };
    actions.openObjectDatabase = [this, &viewer] { openObjectDatabase(viewer); };
    workspace::TViewerForm form(context_.programDirectory, context_.archivePath().toStdString(),
                                reporter_, std::move(actions), this);
    viewer = &form;
    form.exec();
    emit viewerEnded();
}

void TDesignForm::CheckMission1Click() {
    if (!editor_.hasMission())
        return;
    dialogs::CheckMissionForm form(
        checkMissionNow(), [this] { return checkMissionNow(); }, this);
    // A double-click on a problem closes the list and goes where it is mended.
    std::optional<build::MissionProblem> chosen;
    connect(&form, &dialogs::CheckMissionForm::problemChosen, &form,
            [&](const build::MissionProblem& problem) {
                chosen = problem;
                form.accept();
            });
    form.exec();
    if (chosen)
        mendProblem(*chosen);
}

void TDesignForm::mendProblem(const build::MissionProblem& problem) {
    using Kind = build::MissionProblem::Place::Kind;
    const auto& place = problem.place;
    switch (place.kind) {
    case Kind::Object:
        if (editor_.document().objects.find(place.slot)) {
            editor_.select(edit::Selection::object(place.slot));
            emit cameraToThing(edit::Selection::object(place.slot));
        }
        break;
    case Kind::NavPoint:
        editNavPoints(std::max(0, place.star));
        break;
    case Kind::Objective:
        editObjectives(std::max(0, place.star), place.row);
        break;
    case Kind::Header:
        BriefingRoom1Click();
        break;
    case Kind::StartPoints:
        editStartPoints(place.index >= 1 ? place.index : 1);
        break;
    case Kind::IndexFiles:
        ScanGeoTable1Click();
        break;
    case Kind::Briefing:
        BriefingRoom1Click();
        break;
    }
}

void TDesignForm::MissionTables1Click() {
    editObjectives(0, -1);
}

void TDesignForm::editObjectives(int star, int row) {
    const mission::ObjectiveBlock before = editor_.document().objectives;
    const auto after = dialogs::editMissionTables(editor_.document(), reporter_, this, star, row);
    if (after && !(*after == before)) {
        editor_.endMerging();
        editor_.execute(
            std::make_unique<edit::ChangeObjectivesCommand>("Mission Tables", before, *after));
    }
}

} // namespace zev::app
