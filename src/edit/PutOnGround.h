#pragma once

#include "MissionEditor.h"

namespace zev::edit {

// "Put on Ground": everything selected goes down (or up) to the ground, y = 0, as one undo
// step; false when nothing selected was off the ground.
bool putSelectionOnGround(MissionEditor& editor);

} // namespace zev::edit
