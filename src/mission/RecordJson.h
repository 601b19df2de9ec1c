#pragma once

#include "common/Latin1Text.h"
#include "mission/MissionObjectRecord.h"
#include "mission/RecordFields.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One record's fields as JSON and back, driven by the record's field description: the dump and
// load of a mission and the objects on the clipboard.
namespace zev::mission {

using json = nlohmann::ordered_json;

// JSON input refused: the path of the offending value and what is wrong with it.
class JsonRefusal : public std::runtime_error {
public:
    JsonRefusal(const std::string& path, const std::string& problem)
        : std::runtime_error((path.empty() ? std::string("(top)") : path) + ": " + problem) {}
};

std::string childPath(const std::string& path, std::string_view key);
std::string itemPath(const std::string& path, std::size_t index);

// Stored texts are 8-bit; JSON strings are UTF-8, so bytes above 127 travel as Latin-1
// (common/Latin1Text.h). Bytes as hex digits.
std::string hex(std::span<const std::uint8_t> bytes);

// Checked reads of input values; each refuses with `path`.
const json& requireObject(const json& value, const std::string& path);
const json& requireArray(const json& value, const std::string& path);
const json& requireMember(const json& object, const std::string& path, std::string_view key);
std::int64_t readInteger(const json& value, const std::string& path, std::int64_t min,
                         std::int64_t max);
std::string readLatin1(const json& value, const std::string& path);
std::vector<std::uint8_t> readHex(const json& value, const std::string& path, std::size_t size);
// Refuses any key of `object` not in `allowed`.
void refuseOtherKeys(const json& object, const std::string& path,
                     std::initializer_list<std::string_view> allowed);

// Adds the record's fields to `out` (an object that may already hold keys of its own). The
// full form adds the in-use style fields only it shows, every text whose bytes are not just
// its text as {"text", "bytes"} and the unnamed byte ranges under "unnamed"; the short form
// uses {"text", "bytes"} only for a text without a terminator, which could not be stored
// otherwise. A float that is not finite is {"bytes"} in both.
void putRecord(json& out, std::span<const std::uint8_t> record, const mission::RecordFields& fields,
               bool full);

// Fills `record` (zero-filled by the caller) from `in`, the form `putRecord` writes. Keys of
// the caller's own are named in `ownKeys`; any other key, a missing field, a wrong type, a
// number out of range or a text too long for its field is refused.
void takeRecord(const json& in, const std::string& path, std::span<std::uint8_t> record,
                const mission::RecordFields& fields, bool full,
                std::initializer_list<std::string_view> ownKeys);

// One object as a mission's dump lists it: its slot, then its record's fields.
json objectToJson(const MissionObjectRecord& record, int slot, bool full);
// An object of that form. "slot" may be there (0 to 499) and is not used: where an object goes
// is up to the caller. Refused as `takeRecord` refuses.
MissionObjectRecord objectFromJson(const json& in, const std::string& path, bool full);

} // namespace zev::mission
