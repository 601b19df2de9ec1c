#pragma once

#include "common/ByteRecord.h"

namespace zev::mission {

using common::ByteField;
using common::Float32Field;
using common::Int16Field;
using common::Int32Field;
using common::TextField;

// One placed object. The fields up to offset 368 are those of the object group record it was
// dropped from; the rest are its area file, role, inspection text and animation tasks.
class MissionObjectRecord : public common::ByteRecord<840> {
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
    static constexpr Int32Field hitsToDestroy{300};
    static constexpr ByteField collisionOn{304};
    static constexpr ByteField canTarget{305};
    static constexpr ByteField readyMadeGroup{306};
    // X, Y, Z triples of 32-bit integers.
    static constexpr Int32Field scale(int axis) { return {308 + 4 * std::size_t(axis)}; }
    static constexpr Int32Field position(int axis) { return {320 + 4 * std::size_t(axis)}; }
    static constexpr Int32Field mainRotation(int axis) { return {332 + 4 * std::size_t(axis)}; }
    static constexpr Int32Field chunkRotation(int axis) { return {344 + 4 * std::size_t(axis)}; }
    static constexpr Int32Field alternateRotation(int axis) {
        return {356 + 4 * std::size_t(axis)};
    }
    static constexpr ByteField reservedByte{368};
    static constexpr TextField areaFile{369, 5};
    static constexpr TextField gamethingRole{374, 100};
    static constexpr TextField inspectionInfo{474, 50};

    // Path points p = 0 to 7.
    static constexpr int pathPointCount = 8;
    static constexpr ByteField pathPointEnabled(int p) { return {524 + 24 * std::size_t(p)}; }
    static constexpr Int32Field pathPointPosition(int p, int axis) {
        return {524 + 24 * std::size_t(p) + 4 + 4 * std::size_t(axis)};
    }
    static constexpr Int16Field pathPointRotation(int p, int axis) {
        return {524 + 24 * std::size_t(p) + 16 + 2 * std::size_t(axis)};
    }
    static constexpr Int16Field pathPointTime(int p) { return {524 + 24 * std::size_t(p) + 22}; }

    static constexpr ByteField spinnerEnabled{716};
    static constexpr Int16Field spinnerPeriod{718};
    static constexpr Int16Field spinnerRotation(int axis) { return {720 + 2 * std::size_t(axis)}; }
    static constexpr Float32Field spinnerTime{728};

    static constexpr ByteField colorSpinEnabled{732};
    static constexpr Int16Field colorSpinPeriod{734};
    static constexpr int colorSpinColorCount = 16;
    static constexpr Int16Field colorSpinColor(int c) { return {736 + 2 * std::size_t(c)}; }

    static constexpr ByteField flyCircleEnabled{768};
    static constexpr Int16Field flyCirclePeriod{770};
    static constexpr Int32Field flyCircleRadius{772};
    static constexpr Int16Field flyCircleInterval{776};
    static constexpr ByteField flyCircleActive{778};

    static constexpr ByteField pathEnabled{780};
    static constexpr Int16Field pathPeriod{782};
    static constexpr TextField pathLooping{784, 15};
    static constexpr TextField pathRotation{799, 15};

    static constexpr ByteField ambientSoundEnabled{816};
    static constexpr Int32Field ambientSoundRadius{820};
    static constexpr TextField ambientSoundFile{824, 15};
    static constexpr ByteField ambientSoundActive{839};

    bool isReadyMadeGroup() const { return byte(readyMadeGroup) != 0; }
};
static_assert(MissionObjectRecord::inspectionInfo.end() == 524);
static_assert(MissionObjectRecord::pathPointTime(7).end() == 716);
static_assert(MissionObjectRecord::ambientSoundActive.end() == MissionObjectRecord::size);

} // namespace zev::mission
