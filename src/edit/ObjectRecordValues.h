#pragma once

#include "gamedata/ObjectGroupRecord.h"

#include <array>
#include <cstddef>
#include <string>

// The record controls both object database editors show: one object group record as texts,
// check states and radio entries, and the way back from them to a record.
namespace zev::edit {

// Characters each text control takes (its field's width less the terminator).
inline constexpr std::size_t kObjectNameChars = 24;
inline constexpr std::size_t kMenuTextChars = 34;
inline constexpr std::size_t kAlternateNameChars = 24;
inline constexpr std::size_t kChunkChars = 24;
inline constexpr std::size_t kObjectTypeChars = 24;
inline constexpr std::size_t kObjectParentChars = 24;
inline constexpr std::size_t kTargetingInfoChars = 29;

// Triples are X, Y, Z. Types are indexes into gamedata::kCollisionTypes, -1 for no entry.
struct ObjectRecordValues {
    std::string objectName, menuText, alternateName, chunk;
    std::string objectType, objectParent, targetingInfo;
    std::string hitsToDestroy;
    bool collisionOn = false;
    bool canTarget = false;
    std::array<std::string, 3> scale, mainRotation, alternateRotation, chunkRotation;
    int mainType = -1;
    int alternateType = -1;
    bool readyMade = false; // "RMG Object"; the quick-add dialog has no such box
    friend bool operator==(const ObjectRecordValues&, const ObjectRecordValues&) = default;
};

// The radio entry whose word equals `text` exactly; -1 when none does.
int exactCollisionTypeIndex(const std::string& text);

// The controls filled from a record: numbers as decimal text, check boxes from their bytes.
ObjectRecordValues valuesFromRecord(const gamedata::ObjectGroupRecord& record);

// `base` with every controlled field taken from `values` (numbers by the leading-digits rule,
// texts cut to their fields) and stamped as this program's. A type with no entry selected keeps
// the word `base` holds. Fields without a control stay as `base` has them.
gamedata::ObjectGroupRecord composeRecord(gamedata::ObjectGroupRecord base,
                                          const ObjectRecordValues& values);

// The ready-made rule: with "RMG Object" checked, only "Object", "Menu text", the main rotation
// and the box itself stay editable.
inline bool detailsEnabled(const ObjectRecordValues& values) {
    return !values.readyMade;
}

} // namespace zev::edit
