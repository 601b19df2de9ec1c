#include "TurnCommands.h"

#include "MarkerCommands.h"
#include "ObjectCommands.h"

#include "common/Numbers.h"

namespace zev::edit {

using mission::MissionObjectRecord;
using mission::StartPointRecord;

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
    const Selection& sel = editor.selection();
    if (sel.kind == Selection::Kind::Object) {
        const MissionObjectRecord* record = editor.document().objects.find(sel.id);
        if (!record)
            return nullptr;
        MissionObjectRecord turned = *record;
        const auto field = MissionObjectRecord::mainRotation(axis);
        turned.setInt32(field, normalisedDegrees(record->int32(field) + degrees));
        return std::make_unique<ChangeObjectRecordCommand>("Turn Object", sel.id, *record, turned);
    }
    if (sel.kind == Selection::Kind::StartPoint && axis == 1) {
        const StartPointRecord& record = editor.document().startPoint(sel.id);
        StartPointRecord turned = record;
        turned.setText(StartPointRecord::heading,
                       common::decimal(normalisedDegrees(
                           common::leadingInt(record.text(StartPointRecord::heading)) + degrees)));
        return std::make_unique<ChangeStartPointCommand>("Turn Start Point", sel.id, record,
                                                         turned);
    }
    return nullptr;
}

std::optional<int> selectionHeading(const MissionEditor& editor) {
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
