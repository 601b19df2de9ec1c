#include "MissionJsonText.h"

#include <algorithm>
#include <utility>

namespace zev::cli {

namespace {

using json = nlohmann::ordered_json;

std::string placeOf(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    const std::string_view before = text.substr(0, offset);
    const std::size_t line =
        1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column =
        offset - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Counts nesting and values outside strings (containers, texts and the commas between items
// stand for the values), before the parser builds anything; returns the offset where a limit
// is passed and why.
std::optional<std::pair<std::size_t, std::string>> shapeProblem(std::string_view text) {
    std::size_t depth = 0, values = 0;
    bool inString = false, escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c != '"' && c != '[' && c != '{' && c != ',' && c != ']' && c != '}')
            continue;
        if (c != ']' && c != '}' && ++values > kMissionJsonMaxValues)
            return std::pair(i, "more than " + std::to_string(kMissionJsonMaxValues) +
                                    " values, far more than a mission holds");
        if (c == '"')
            inString = true;
        else if ((c == '[' || c == '{') && ++depth > kMissionJsonMaxDepth)
            return std::pair(i, "nested deeper than " + std::to_string(kMissionJsonMaxDepth) +
                                    " levels, far deeper than a mission needs");
        else if ((c == ']' || c == '}') && depth > 0)
            --depth;
    }
    return std::nullopt;
}

// Builds the value as the library's own parser does and keeps where a fault was found (a
// number that overflows is reported here too, with its place, not thrown).
class PlacedDomParser : public nlohmann::detail::json_sax_dom_parser<json> {
public:
    explicit PlacedDomParser(json& result)
        : nlohmann::detail::json_sax_dom_parser<json>(result, false) {}

    template <class Exception>
    bool parse_error(std::size_t position, const std::string& /*lastToken*/,
                     const Exception& exception) {
        failed = true;
        at = position;
        what = exception.what();
        return false;
    }

    bool failed = false;
    std::size_t at = 0;
    std::string what;
};

} // namespace

ParsedJson parseMissionJsonText(std::string_view text) {
    ParsedJson parsed;
    if (const auto problem = shapeProblem(text)) {
        parsed.problem = placeOf(text, problem->first) + ": " + problem->second;
        return parsed;
    }
    json value;
    PlacedDomParser sax(value);
    bool ok = false;
    try {
        ok = json::sax_parse(text.begin(), text.end(), &sax) && !sax.failed;
    } catch (const nlohmann::json::exception& e) {
        sax.failed = true;
        sax.what = e.what();
    }
    if (!ok || sax.failed || value.is_discarded()) {
        // The library counts from 1 at the character after the fault; the place is the fault.
        parsed.problem = placeOf(text, sax.at > 0 ? sax.at - 1 : 0) + ": " +
                         (sax.what.empty() ? std::string("not valid JSON") : sax.what);
        return parsed;
    }
    parsed.value = std::move(value);
    return parsed;
}

} // namespace zev::cli
