#pragma once

#include "mission/MissionDocument.h"

#include <nlohmann/json.hpp>

namespace zev::cli {

// The whole document as JSON: texts as stored, numbers as numbers; nav points and objective
// rows only where in use, each with its index; briefings as byte length and text.
nlohmann::ordered_json missionToJson(const mission::MissionDocument& document);

} // namespace zev::cli
