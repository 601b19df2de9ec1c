#include "MarkerCommands.h"

#include "MissionEditor.h"

namespace zev::edit {

void MoveStartPointCommand::redo(MissionEditor& editor) {
    editor.applyStartPointPosition(player_, to_);
}

void MoveStartPointCommand::undo(MissionEditor& editor) {
    editor.applyStartPointPosition(player_, from_);
}

bool MoveStartPointCommand::mergeWith(const EditCommand& later) {
    const auto* move = dynamic_cast<const MoveStartPointCommand*>(&later);
    if (!move || move->player_ != player_)
        return false;
    to_ = move->to_;
    return true;
}

void ChangeStartPointCommand::redo(MissionEditor& editor) {
    editor.applyStartPointRecord(player_, after_);
}

void ChangeStartPointCommand::undo(MissionEditor& editor) {
    editor.applyStartPointRecord(player_, before_);
}

bool ChangeStartPointCommand::mergeWith(const EditCommand& later) {
    const auto* change = dynamic_cast<const ChangeStartPointCommand*>(&later);
    if (!change || change->player_ != player_ || change->name_ != name_)
        return false;
    after_ = change->after_;
    return true;
}

void MoveNavPointCommand::redo(MissionEditor& editor) {
    editor.applyNavPointPosition(star_, index_, to_);
}

void MoveNavPointCommand::undo(MissionEditor& editor) {
    editor.applyNavPointPosition(star_, index_, from_);
}

bool MoveNavPointCommand::mergeWith(const EditCommand& later) {
    const auto* move = dynamic_cast<const MoveNavPointCommand*>(&later);
    if (!move || move->star_ != star_ || move->index_ != index_)
        return false;
    to_ = move->to_;
    return true;
}

} // namespace zev::edit
