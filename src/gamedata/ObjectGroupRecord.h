#pragma once

#include "common/ByteRecord.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zev::gamedata {

using common::ByteField;
using common::Int32Field;
using common::TextField;

// One placeable object of an object group file: 365 bytes, fields packed without gaps,
// integers 32-bit signed little-endian.
class ObjectGroupRecord : public common::ByteRecord<365> {
public:
    static constexpr TextField creatorTag{0, 16};
    static constexpr TextField formatVersion{16, 16};
    static constexpr TextField menuText{32, 35};
    static constexpr TextField objectName{67, 25};
    static constexpr TextField mainType{92, 25};
    static constexpr TextField objectType{117, 25};
    static constexpr TextField objectParent{142, 25};
    static constexpr TextField alternateName{167, 25};
    static constexpr TextField alternateType{192, 25};
    static constexpr TextField chunkName{217, 25};
    static constexpr TextField reservedText{242, 25};
    static constexpr TextField targetingInfo{267, 30};
    static constexpr Int32Field hitsToDestroy{297};
    static constexpr ByteField collisionOn{301};
    static constexpr ByteField canTarget{302};
    static constexpr ByteField readyMadeGroup{303};
    // X, Y, Z triples. The reserved integers become a dropped object's position.
    static constexpr Int32Field scale(int axis) { return {304 + 4 * std::size_t(axis)}; }
    static constexpr Int32Field reservedInt(int axis) { return {316 + 4 * std::size_t(axis)}; }
    static constexpr Int32Field mainRotation(int axis) { return {328 + 4 * std::size_t(axis)}; }
    static constexpr Int32Field chunkRotation(int axis) { return {340 + 4 * std::size_t(axis)}; }
    static constexpr Int32Field alternateRotation(int axis) {
        return {352 + 4 * std::size_t(axis)};
    }
    static constexpr ByteField reservedByte{364};

    // What this program writes into every record it creates.
    static constexpr const char* kCreator = "zevedit";
    static constexpr const char* kVersion = "3.0";

    bool isReadyMadeGroup() const { return byte(readyMadeGroup) != 0; }
    // Sets the creator tag and version this program writes.
    void stamp() {
        setText(creatorTag, kCreator);
        setText(formatVersion, kVersion);
    }
};
static_assert(ObjectGroupRecord::targetingInfo.end() == ObjectGroupRecord::hitsToDestroy.offset);
static_assert(ObjectGroupRecord::alternateRotation(2).end() ==
              ObjectGroupRecord::reservedByte.offset);
static_assert(ObjectGroupRecord::reservedByte.end() == ObjectGroupRecord::size);

// The whole records of a group file image in order; a partial record at the end is left out.
std::vector<ObjectGroupRecord> recordsFromBytes(std::span<const std::uint8_t> file);

// The words offered for the main and alternate type.
inline constexpr const char* kCollisionTypes[] = {"orthorect", "cylinder", "ceiling", "orthorotate",
                                                  "null",      "ground",   "sphere",  "allpoly"};
inline constexpr const char* kObjectTypes[] = {
    "none",   "flame", "explosion", "scrounge", "chunklet",   "chunk",  "rotator",
    "hidden", "far",   "near",      "landmine", "expendable", "mirage", "terrain"};
inline constexpr const char* kObjectParents[] = {"none", "world", "fixed"};

} // namespace zev::gamedata
