#pragma once

#include "common/ByteRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The fields of each mission record described once: offset, width, kind and name. Readers,
// writers and the JSON dump and load walk these lists instead of copying field lists.
namespace zev::mission {

enum class FieldKind { Text, Byte, Int8, Int16, Int32, Float32 };

struct RecordField {
    // A path inside the record's JSON object: "scale[1]", "path_points[3].time".
    std::string name;
    std::size_t offset = 0;
    std::size_t width = 0;
    FieldKind kind = FieldKind::Byte;
    // Names for a byte's values 0, 1, ... ("and", "or"); other values stay numbers.
    std::vector<std::string> words;
    // Shown only where every byte is shown (the nav point in-use byte: the short form lists
    // only slots in use).
    bool fullOnly = false;
    std::size_t end() const { return offset + width; }
};

struct ByteRange {
    std::size_t offset = 0;
    std::size_t width = 0;
};

struct RecordFields {
    std::size_t size = 0;
    std::vector<RecordField> fields; // by offset, not overlapping
    std::vector<ByteRange> gaps;     // the bytes no field covers
};

const RecordFields& headerFields();
const RecordFields& startPointFields();
const RecordFields& navPointFields();
const RecordFields& objectiveTimeLimitFields();
const RecordFields& objectiveRowFields();
const RecordFields& weatherFields();
const RecordFields& paletteFields();
const RecordFields& missionObjectFields();

// Integer value of a Byte, Int8, Int16 or Int32 field of `record`.
std::int64_t integerAt(std::span<const std::uint8_t> record, const RecordField& f);
void setIntegerAt(std::span<std::uint8_t> record, const RecordField& f, std::int64_t value);
float floatAt(std::span<const std::uint8_t> record, const RecordField& f);
void setFloatAt(std::span<std::uint8_t> record, const RecordField& f, float value);

struct IntegerRange {
    std::int64_t min;
    std::int64_t max;
};
IntegerRange integerRange(FieldKind kind);

// True when the field's bytes are exactly its text and zero fill, as writing the text gives;
// false for a field with stale bytes behind its terminator or without a terminator.
bool textIsPlain(std::span<const std::uint8_t> record, const RecordField& f);
// The text would be stored whole (no terminator missing).
bool textIsTerminated(std::span<const std::uint8_t> record, const RecordField& f);

} // namespace zev::mission
