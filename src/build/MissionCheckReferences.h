#pragma once

#include "MissionCheck.h"

#include <string_view>
#include <vector>

// The mission check's cross-references between objectives, nav points, briefings and object
// groups.
namespace zev::build::check {

// The nav point numbers a text names, as a designer writes them: "Nav 3", "nav point 3",
// "NAV-3", "Nav#3", "Navpoint 3" (any letter case; the word "nav" starting a word). Numbers are
// counted from 1, as the workspace names the markers ("Nav Point 3 for Star 0").
std::vector<int> navPointNumbersNamedIn(std::string_view text);

void checkReferences(const mission::MissionDocument& document, const CheckContext& context,
                     std::vector<MissionProblem>& out);

} // namespace zev::build::check
