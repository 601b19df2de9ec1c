#include "PutOnGround.h"

#include "SelectionCommands.h"

namespace zev::edit {

bool putSelectionOnGround(MissionEditor& editor) {
    std::vector<ThingPlacement> before, after;
    for (const Selection& thing : editor.selectedThings()) {
        const auto p = editor.positionOf(thing);
        if (!p || p->y == 0)
            continue;
        before.push_back({thing, *p, std::nullopt, std::nullopt});
        after.push_back({thing, {p->x, 0, p->z}, std::nullopt, std::nullopt});
    }
    if (after.empty())
        return false;
    editor.endMerging();
    editor.execute(
        std::make_unique<PlaceThingsCommand>("Put on Ground", std::move(before), std::move(after)));
    editor.endMerging();
    return true;
}

} // namespace zev::edit
