#include "MarkerEditing.h"

#include "DocumentCommands.h"
#include "MarkerCommands.h"

#include "mission/ScenePositions.h"

namespace zev::edit {

namespace {

mission::MissionDocument withMarkerPositions(const MissionEditor& editor) {
    mission::MissionDocument copy = editor.document();
    mission::refreshPositions(copy, editor);
    return copy;
}

} // namespace

StartPoints startPointsForEditing(const MissionEditor& editor) {
    return withMarkerPositions(editor).startPoints;
}

void applyStartPoints(MissionEditor& editor, const StartPoints& opened, const StartPoints& edited) {
    if (opened == edited)
        return;
    const std::string name = "Player Start Points";
    editor.endMerging();
    editor.beginGesture(name);
    for (int player = 1; player <= mission::kPlayerCount; ++player) {
        // A player the dialog left alone keeps its marker exactly where it is.
        const mission::StartPointRecord& after = edited[std::size_t(player - 1)];
        if (after == opened[std::size_t(player - 1)])
            continue;
        const mission::StartPointRecord& before = editor.document().startPoint(player);
        if (!(before == after))
            editor.execute(std::make_unique<ChangeStartPointCommand>(name, player, before, after));
        const engine::Vector3 from = editor.startPointPosition(player);
        const engine::Vector3 to = startPointPositionOf(after);
        if (!(from == to))
            editor.execute(std::make_unique<MoveStartPointCommand>(player, from, to));
    }
    editor.commitGesture();
}

NavStars navPointsForEditing(const MissionEditor& editor) {
    return withMarkerPositions(editor).stars;
}

void applyNavPointTable(MissionEditor& editor, const NavStars& opened, const NavStars& edited) {
    if (opened == edited)
        return;
    editor.endMerging();
    editor.execute(std::make_unique<ChangeNavPointsCommand>(
        "Nav Points", editor.navPoints(),
        MissionEditor::NavPoints{edited, markersFromRecords(edited)}));
}

} // namespace zev::edit
