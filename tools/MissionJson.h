#pragma once

#include "mission/MissionDocument.h"
#include "mission/MissionFile.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>

namespace zev::cli {

// The document as JSON: texts as stored, numbers as numbers; briefings as byte length and
// text. The short form lists nav points and objective rows only where in use, each with its
// index; the full form (`full`) lists every slot and every byte: unnamed byte ranges and
// stale bytes as hex, and the file's framing under "file".
nlohmann::ordered_json missionToJson(const mission::MissionDocument& document,
                                     const mission::MissionFile::Framing& framing, bool full);

struct MissionFromJson {
    std::unique_ptr<mission::MissionDocument> document; // null when refused
    mission::MissionFile::Framing framing = mission::MissionFile::Framing::standard();
    std::string refusal; // "PATH: PROBLEM"
};

// The document a dump describes, either form. Everything is checked: a missing key, an
// unknown key, a wrong type, a number out of range, a text too long for its field, or a
// mission Open would refuse gives no document and the refusal with the value's path.
MissionFromJson missionFromJson(const nlohmann::ordered_json& j);

} // namespace zev::cli
