#include "TurnCommands.h"

#include "SelectionCommands.h"

#include "common/Numbers.h"
#include "mission/MissionObjectRecord.h"
#include "mission/StartPointRecord.h"

namespace zev::edit {

int normalisedDegrees(int degrees) {
    if (degrees > 360)
        degrees -= 360;
    if (degrees < 0)
        degrees += 360;
    if (degrees == 360)
        degrees = 0;
    return degrees;
}

std::unique_ptr<EditCommand> turnSelectionCommand(const MissionEditor& editor, int axis,
                                                  int degrees) {
    const std::vector<ThingOrigin> things = selectionOrigins(editor);
    return turnThingsCommand(editor, things, centreOf(things), axis, degrees, degrees);
}

std::optional<int> selectionHeading(const MissionEditor& editor) {
    using mission::MissionObjectRecord;
    using mission::StartPointRecord;
    const Selection& sel = editor.selection();
    if (sel.kind == Selection::Kind::Object) {
        if (const MissionObjectRecord* record = editor.document().objects.find(sel.id))
            return record->int32(MissionObjectRecord::mainRotation(1));
        return std::nullopt;
    }
    if (sel.kind == Selection::Kind::StartPoint)
        return common::leadingInt(
            editor.document().startPoint(sel.id).text(StartPointRecord::heading));
    return std::nullopt;
}

} // namespace zev::edit
