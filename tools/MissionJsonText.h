#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zev::cli {

// What a mission's JSON can hold: it nests some six levels deep and has well below a million
// values, so text beyond these is refused before a value is built (a deep nest would exhaust
// the stack, a huge flat array the memory).
constexpr std::size_t kMissionJsonMaxDepth = 32;
constexpr std::size_t kMissionJsonMaxValues = 1'000'000;

struct ParsedJson {
    std::optional<nlohmann::ordered_json> value; // empty when refused
    std::string problem; // "line 3, column 12: number overflow ..." when refused
};

// Parses the text of a mission's JSON. Any text the parser rejects, a number no double holds,
// nesting deeper or more values than above give no value and the problem with its place.
ParsedJson parseMissionJsonText(std::string_view text);

} // namespace zev::cli
