// The main window's editing dialogs: each hands its result to the mission editor as one step.

#include "DesignForm.h"

#include "dialogs/MsnTableForm.h"
#include "dialogs/ObjectForm.h"
#include "edit/DocumentCommands.h"
#include "edit/ObjectCommands.h"

namespace zev::app {

void TDesignForm::EditSelection() {
    const edit::Selection selection = editor_.selection();
    if (selection.kind != edit::Selection::Kind::Object)
        return; // the start point and nav point editors open here once they exist
    const int slot = selection.id;
    if (!editor_.document().objects.find(slot))
        return;
    const dialogs::ObjectPropertiesContext context{context_.archivePath().toStdString()};
    if (const auto edited =
            dialogs::editObjectProperties(edit::recordForEditing(editor_, slot), context, this))
        edit::applyObjectProperties(editor_, slot, *edited);
}

void TDesignForm::MissionTables1Click() {
    const mission::ObjectiveBlock before = editor_.document().objectives;
    const auto after = dialogs::editMissionTables(editor_.document(), reporter_, this);
    if (after && !(*after == before)) {
        editor_.endMerging();
        editor_.execute(
            std::make_unique<edit::ChangeObjectivesCommand>("Mission Tables", before, *after));
    }
}

} // namespace zev::app
