#pragma once

#include "MissionEditor.h"

#include <memory>
#include <optional>

namespace zev::edit {

// A whole-degree angle after a turn: above 360 less 360, below 0 plus 360, 360 itself 0.
int normalisedDegrees(int degrees);

// The step that turns the selection by `degrees` about `axis` (0 X, 1 Y, 2 Z): each object's
// rotation, each start point's heading (about Y only); about Y several things also swing about
// their common centre. Null when the selection does not turn that way (nothing selected, a nav
// point alone, a start point about X or Z).
std::unique_ptr<EditCommand> turnSelectionCommand(const MissionEditor& editor, int axis,
                                                  int degrees);
// The selection's turn about Y in whole degrees (an object's rotation, a start point's
// heading); nothing for a selection that does not turn.
std::optional<int> selectionHeading(const MissionEditor& editor);

} // namespace zev::edit
