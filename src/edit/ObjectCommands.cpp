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

void MoveObjectCommand::redo(MissionEditor& editor) {
    editor.applyObjectPosition(slot_, to_);
}

void MoveObjectCommand::undo(MissionEditor& editor) {
    editor.applyObjectPosition(slot_, from_);
}

bool MoveObjectCommand::mergeWith(const EditCommand& later) {
    const auto* move = dynamic_cast<const MoveObjectCommand*>(&later);
    if (!move || move->slot_ != slot_)
        return false;
    to_ = move->to_;
    return true;
}

void ChangeObjectRecordCommand::redo(MissionEditor& editor) {
    editor.applyObjectRecord(slot_, after_);
}

void ChangeObjectRecordCommand::undo(MissionEditor& editor) {
    editor.applyObjectRecord(slot_, before_);
}

bool ChangeObjectRecordCommand::mergeWith(const EditCommand& later) {
    const auto* change = dynamic_cast<const ChangeObjectRecordCommand*>(&later);
    if (!change || change->slot_ != slot_ || change->name_ != name_)
        return false;
    after_ = change->after_;
    return true;
}

} // namespace zev::edit
