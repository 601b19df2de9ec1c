#pragma once

#include "MissionEditor.h"

#include <array>

// The start point and nav point dialogs opened on the workspace's markers: the records they
// open on carry the markers' current places, and their OK is one step.
namespace zev::edit {

using StartPoints = std::array<mission::StartPointRecord, mission::kPlayerCount>;
using NavStars = std::array<mission::Star, mission::kStarCount>;

// The start point records with every marker's position written in, as Save would write them.
StartPoints startPointsForEditing(const MissionEditor& editor);
// The start point dialog's OK over the records it opened on: the changed records, then every
// marker placed where its record now says, as one step "Player Start Points" (a heading change
// turns its marker with the record); players left alone keep their markers. Nothing changed:
// no step.
void applyStartPoints(MissionEditor& editor, const StartPoints& opened, const StartPoints& edited);

// The nav point records with the markers' positions written in, so a marker moved since the
// last Save keeps its place through the table.
NavStars navPointsForEditing(const MissionEditor& editor);
// The nav point table's OK: the records, and the markers made anew from them, as one step
// "Nav Points". Nothing changed: no step.
void applyNavPointTable(MissionEditor& editor, const NavStars& opened, const NavStars& edited);

} // namespace zev::edit
