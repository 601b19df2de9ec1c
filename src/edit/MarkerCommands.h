#pragma once

#include "EditCommand.h"

#include "engine/Math.h"

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
