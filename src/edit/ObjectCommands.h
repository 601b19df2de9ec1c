#pragma once

#include "EditCommand.h"

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

// An object moved in the workspace; later moves of the same object merge.
class MoveObjectCommand : public EditCommand {
public:
    MoveObjectCommand(int slot, const engine::Vector3& from, const engine::Vector3& to)
        : slot_(slot), from_(from), to_(to) {}
    std::string name() const override { return "Move Object"; }
    void redo(MissionEditor& editor) override;
    void undo(MissionEditor& editor) override;
    bool mergeWith(const EditCommand& later) override;

private:
    int slot_;
    engine::Vector3 from_, to_;
};

// An object's record replaced by another (turning, a dialog's OK); later changes of the same
// kind to the same object merge.
class ChangeObjectRecordCommand : public EditCommand {
public:
    ChangeObjectRecordCommand(std::string name, int slot,
                              const mission::MissionObjectRecord& before,
                              const mission::MissionObjectRecord& after)
        : name_(std::move(name)), slot_(slot), before_(before), after_(after) {}
    std::string name() const override { return name_; }
    void redo(MissionEditor& editor) override;
    void undo(MissionEditor& editor) override;
    bool mergeWith(const EditCommand& later) override;

private:
    std::string name_;
    int slot_;
    mission::MissionObjectRecord before_, after_;
};

} // namespace zev::edit
