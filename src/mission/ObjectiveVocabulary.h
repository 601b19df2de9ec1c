#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zev::mission {

// The 18 action words in the order of the objectives editor's buttons. "Begin" is offered for
// row 0 only.
extern const std::array<std::string_view, 18> kObjectiveActions;

// The 51 announcement sounds in index order: "None", "gene01".."gene26", "genegoa".."genegox".
const std::vector<std::string>& objectiveSounds();

extern const std::array<std::string_view, 4> kObjectivePriorities;
extern const std::array<std::string_view, 2> kObjectiveRequirements;
extern const std::array<std::string_view, 2> kObjectiveVisibilities;
// Condition kinds: completed, succeeded, failed.
extern const std::array<std::string_view, 3> kConditionKinds;

} // namespace zev::mission
