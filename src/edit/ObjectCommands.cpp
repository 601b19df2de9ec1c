#include "ObjectCommands.h"

#include "MissionEditor.h"

namespace zev::edit {

void AddObjectCommand::redo(MissionEditor& editor) {
    editor.applyAddObject(slot_, record_, position_, editor.objectOrder().size());
}

void AddObjectCommand::undo(MissionEditor& editor) {
    editor.applyRemoveObject(slot_);
}

void RemoveObjectCommand::redo(MissionEditor& editor) {
    // Taken from the model when it is done, so a redo after other steps removes what is there.
    if (const auto* record = editor.document().objects.find(slot_))
        record_ = *record;
    position_ = editor.objectPosition(slot_).value_or(engine::Vector3{});
    orderIndex_ = editor.orderIndexOf(slot_);
    editor.applyRemoveObject(slot_);
}

void RemoveObjectCommand::undo(MissionEditor& editor) {
    editor.applyAddObject(slot_, record_, position_, orderIndex_);
}

void applyObjectPosition(MissionEditor& editor, const int& slot, const engine::Vector3& position) {
    editor.applyObjectPosition(slot, position);
}

void applyObjectRecord(MissionEditor& editor, const int& slot,
                       const mission::MissionObjectRecord& record) {
    editor.applyObjectRecord(slot, record);
}

} // namespace zev::edit
