#pragma once

#include "ChangeValueCommand.h"

#include "engine/Math.h"
#include "mission/MissionObjectRecord.h"

#include <string>

namespace zev::edit {

// A new object in a free slot at the end of the save order (a drop).
class AddObjectCommand : public EditCommand {
public:
    AddObjectCommand(int slot, const mission::MissionObjectRecord& record,
                     const engine::Vector3& position)
        : slot_(slot), record_(record), position_(position) {}
    std::string name() const override { return "Drop Object"; }
    void redo(MissionEditor& editor) override;
    void undo(MissionEditor& editor) override;

private:
    int slot_;
    mission::MissionObjectRecord record_;
    engine::Vector3 position_;
};

// An object taken out; undo puts it back in its slot and at its place in the save order.
class RemoveObjectCommand : public EditCommand {
public:
    explicit RemoveObjectCommand(int slot) : slot_(slot) {}
    std::string name() const override { return "Delete Object"; }
    void redo(MissionEditor& editor) override;
    void undo(MissionEditor& editor) override;

private:
    int slot_;
    mission::MissionObjectRecord record_;
    engine::Vector3 position_;
    std::size_t orderIndex_ = 0;
};

void applyObjectPosition(MissionEditor& editor, const int& slot, const engine::Vector3& position);
void applyObjectRecord(MissionEditor& editor, const int& slot,
                       const mission::MissionObjectRecord& record);

// An object moved in the workspace.
class MoveObjectCommand : public ChangeValueCommand<int, engine::Vector3, &applyObjectPosition> {
public:
    MoveObjectCommand(int slot, const engine::Vector3& from, const engine::Vector3& to)
        : ChangeValueCommand("Move Object", slot, from, to) {}
};

// An object's record replaced by another: turning, a dialog's OK.
using ChangeObjectRecordCommand =
    ChangeValueCommand<int, mission::MissionObjectRecord, &applyObjectRecord>;

// The record as the property dialog opens it: its position fields hold where the object stands
// in the workspace (whole units x 100).
mission::MissionObjectRecord recordForEditing(const MissionEditor& editor, int slot);
// The property dialog's OK: the edited record, and the object placed where its position fields
// say, as one step "Object Properties". Nothing happens when the dialog changed nothing.
void applyObjectProperties(MissionEditor& editor, int slot,
                           const mission::MissionObjectRecord& edited);

} // namespace zev::edit
