#pragma once

#include "ObjectiveTable.h"

#include <string_view>

namespace zev::mission {

// A new mission's tables: every table zero-filled with mission time limit "-1" and the "Begin"
// row 0 targeting the star's own start point (the target prefix, "st", star, "1"); a free-for-all
// mission also gets row 1, "Destroy All Enemy Mech's".
void fillNewMissionTables(ObjectiveBlock& block, std::string_view project, bool freeForAll);

// The objectives editor's default for a table whose row 0 is empty: the "Begin" row 0 (as a new
// mission has it) and mission time limit "-1". Only tables whose row 0 is empty are written, so
// the objectives of other stars are never overwritten.
void fillEmptyTables(ObjectiveBlock& block, std::string_view project);

// Carries a project rename over to the targets, table by table: an empty row 0 target becomes
// the target prefix + "st0" + s; otherwise every target that is not "NULL" and not a star target
// and whose first four characters differ from the target prefix gets them replaced. Targets that
// follow the prefix rule are never touched, so opening the editor alone changes no byte.
void adjustTargetsToProject(ObjectiveBlock& block, std::string_view project);

} // namespace zev::mission
