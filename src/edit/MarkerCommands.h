#pragma once

#include "ChangeValueCommand.h"

#include "engine/Math.h"
#include "mission/StartPointRecord.h"

#include <utility>

namespace zev::edit {

void applyStartPointPosition(MissionEditor& editor, const int& player,
                             const engine::Vector3& position);
void applyStartPointRecord(MissionEditor& editor, const int& player,
                           const mission::StartPointRecord& record);
using NavPointKey = std::pair<int, int>; // star, number
void applyNavPointPosition(MissionEditor& editor, const NavPointKey& nav,
                           const engine::Vector3& position);

// A start point marker moved.
class MoveStartPointCommand
    : public ChangeValueCommand<int, engine::Vector3, &applyStartPointPosition> {
public:
    MoveStartPointCommand(int player, const engine::Vector3& from, const engine::Vector3& to)
        : ChangeValueCommand("Move Start Point", player, from, to) {}
};

// A start point record replaced: its heading turned, the start point dialog's OK.
using ChangeStartPointCommand =
    ChangeValueCommand<int, mission::StartPointRecord, &applyStartPointRecord>;

// A nav point marker moved.
class MoveNavPointCommand
    : public ChangeValueCommand<NavPointKey, engine::Vector3, &applyNavPointPosition> {
public:
    MoveNavPointCommand(int star, int index, const engine::Vector3& from, const engine::Vector3& to)
        : ChangeValueCommand("Move Nav Point", {star, index}, from, to) {}
};

} // namespace zev::edit
