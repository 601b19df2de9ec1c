#pragma once

#include "ObjectiveTable.h"

#include <string>
#include <vector>

namespace zev::mission {

// Brings a stored row into the shape the objectives editor shows: each field is recognised by
// its prefix and anything unrecognised is rewritten to its default ("Wait", "NULL", "-1",
// "Optional", "None", "Visible", "0", the sound "None", and the condition "Comp <row>").
// The row's own index `rowIndex` composes the default condition.
void recogniseRow(ObjectiveRow& row, int rowIndex);

// The activation conditions the editor shows for a row: with two or more in use, those of
// conditions 0 to count - 1 that are not empty; otherwise condition 0.
std::vector<std::string> shownConditions(const ObjectiveRow& row);

} // namespace zev::mission
