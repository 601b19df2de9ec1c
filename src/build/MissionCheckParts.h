#pragma once

#include "MissionCheck.h"

// The pieces of the mission check, one per part of the document.
namespace zev::build::check {

using Problems = std::vector<MissionProblem>;
using Severity = MissionProblem::Severity;
using Kind = MissionProblem::Place::Kind;

void add(Problems& out, Severity severity, MissionProblem::Place place, std::string placeText,
         std::string text);

// The text in double quotes, as problems quote what the mission holds.
std::string inQuotes(std::string_view text);

// A start point counts as set when any of its position texts holds something.
bool startPointIsSet(const mission::StartPointRecord& record);

// Targets and activation conditions of every objective in use.
void checkObjectives(const mission::MissionDocument& document, Problems& out);

} // namespace zev::build::check
