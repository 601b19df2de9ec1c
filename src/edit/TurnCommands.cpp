#include "TurnCommands.h"

#include "SelectionCommands.h"

namespace zev::edit {

int normalisedDegrees(int degrees) {
    if (degrees > 360)
        degrees -= 360;
    if (degrees < 0)
        degrees += 360;
    if (degrees == 360)
        degrees = 0;
    return degrees;
}

std::unique_ptr<EditCommand> turnSelectionCommand(const MissionEditor& editor, int axis,
                                                  int degrees) {
    const std::vector<ThingOrigin> things = selectionOrigins(editor);
    return turnThingsCommand(editor, things, centreOf(things), axis, degrees, degrees);
}

} // namespace zev::edit
