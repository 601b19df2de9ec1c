#pragma once

#include "gamedata/ObjectGroupRecord.h"

#include <algorithm>

// A dropped object's record begins with the fields of the object group record it comes from,
// at offsets of its own (its integers are aligned to 4 bytes). The copy is byte for byte per
// field, so texts keep whatever followed their terminator and the reserved fields travel along:
// the three reserved integers land in the object's position and the reserved byte in its own
// reserved byte.
namespace zev::gamedata {

namespace detail {
template <class Target, class SourceField, class TargetField>
void copyField(const ObjectGroupRecord& from, SourceField sf, Target& to, TargetField tf) {
    const auto src = from.bytes().subspan(sf.offset, sf.width);
    const auto dst = to.bytes().subspan(tf.offset, tf.width);
    std::copy_n(src.begin(), std::min(src.size(), dst.size()), dst.begin());
}
} // namespace detail

// `Target` is any record with the object fields named as in ObjectGroupRecord, its reserved
// integers called `position` (the mission's object record).
template <class Target> void copyGroupRecordInto(const ObjectGroupRecord& from, Target& to) {
    using R = ObjectGroupRecord;
    using detail::copyField;
    copyField(from, R::creatorTag, to, Target::creatorTag);
    copyField(from, R::formatVersion, to, Target::formatVersion);
    copyField(from, R::menuText, to, Target::menuText);
    copyField(from, R::objectName, to, Target::objectName);
    copyField(from, R::mainType, to, Target::mainType);
    copyField(from, R::objectType, to, Target::objectType);
    copyField(from, R::objectParent, to, Target::objectParent);
    copyField(from, R::alternateName, to, Target::alternateName);
    copyField(from, R::alternateType, to, Target::alternateType);
    copyField(from, R::chunkName, to, Target::chunkName);
    copyField(from, R::reservedText, to, Target::reservedText);
    copyField(from, R::targetingInfo, to, Target::targetingInfo);
    copyField(from, R::hitsToDestroy, to, Target::hitsToDestroy);
    copyField(from, R::collisionOn, to, Target::collisionOn);
    copyField(from, R::canTarget, to, Target::canTarget);
    copyField(from, R::readyMadeGroup, to, Target::readyMadeGroup);
    for (int axis = 0; axis < 3; ++axis) {
        copyField(from, R::scale(axis), to, Target::scale(axis));
        copyField(from, R::reservedInt(axis), to, Target::position(axis));
        copyField(from, R::mainRotation(axis), to, Target::mainRotation(axis));
        copyField(from, R::chunkRotation(axis), to, Target::chunkRotation(axis));
        copyField(from, R::alternateRotation(axis), to, Target::alternateRotation(axis));
    }
    copyField(from, R::reservedByte, to, Target::reservedByte);
}

} // namespace zev::gamedata
