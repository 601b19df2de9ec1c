#pragma once

#include "EditCommand.h"

#include "engine/Math.h"
#include "mission/StartPointRecord.h"

#include <string>

namespace zev::edit {

// A start point marker moved; later moves of the same marker merge.
class MoveStartPointCommand : public EditCommand {
public:
    MoveStartPointCommand(int player, const engine::Vector3& from, const engine::Vector3& to)
        : player_(player), from_(from), to_(to) {}
    std::string name() const override { return "Move Start Point"; }
    void redo(MissionEditor& editor) override;
    void undo(MissionEditor& editor) override;
    bool mergeWith(const EditCommand& later) override;

private:
    int player_;
    engine::Vector3 from_, to_;
};

// A start point record replaced (its heading turned, the start point dialog's OK); later
// changes of the same kind to the same player merge.
class ChangeStartPointCommand : public EditCommand {
public:
    ChangeStartPointCommand(std::string name, int player, const mission::StartPointRecord& before,
                            const mission::StartPointRecord& after)
        : name_(std::move(name)), player_(player), before_(before), after_(after) {}
    std::string name() const override { return name_; }
    void redo(MissionEditor& editor) override;
    void undo(MissionEditor& editor) override;
    bool mergeWith(const EditCommand& later) override;

private:
    std::string name_;
    int player_;
    mission::StartPointRecord before_, after_;
};

// A nav point marker moved; later moves of the same marker merge.
class MoveNavPointCommand : public EditCommand {
public:
    MoveNavPointCommand(int star, int index, const engine::Vector3& from, const engine::Vector3& to)
        : star_(star), index_(index), from_(from), to_(to) {}
    std::string name() const override { return "Move Nav Point"; }
    void redo(MissionEditor& editor) override;
    void undo(MissionEditor& editor) override;
    bool mergeWith(const EditCommand& later) override;

private:
    int star_, index_;
    engine::Vector3 from_, to_;
};

} // namespace zev::edit
