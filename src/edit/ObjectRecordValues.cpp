#include "ObjectRecordValues.h"

#include "TripleTexts.h"

#include "common/Numbers.h"

#include <iterator>

namespace zev::edit {

using gamedata::ObjectGroupRecord;
using R = ObjectGroupRecord;

namespace {

constexpr int kTypeCount = int(std::size(gamedata::kCollisionTypes));

void storeType(R& record, common::TextField field, int index) {
    if (index >= 0 && index < kTypeCount)
        record.setText(field, gamedata::kCollisionTypes[index]);
}

} // namespace

int exactCollisionTypeIndex(const std::string& text) {
    for (int i = 0; i < kTypeCount; ++i)
        if (text == gamedata::kCollisionTypes[i])
            return i;
    return -1;
}

ObjectRecordValues valuesFromRecord(const R& record) {
    ObjectRecordValues v;
    v.objectName = record.text(R::objectName);
    v.menuText = record.text(R::menuText);
    v.alternateName = record.text(R::alternateName);
    v.chunk = record.text(R::chunkName);
    v.objectType = record.text(R::objectType);
    v.objectParent = record.text(R::objectParent);
    v.targetingInfo = record.text(R::targetingInfo);
    v.hitsToDestroy = common::decimal(record.int32(R::hitsToDestroy));
    v.collisionOn = record.byte(R::collisionOn) != 0;
    v.canTarget = record.byte(R::canTarget) != 0;
    showTriple(v.scale, record, &R::scale);
    showTriple(v.mainRotation, record, &R::mainRotation);
    showTriple(v.alternateRotation, record, &R::alternateRotation);
    showTriple(v.chunkRotation, record, &R::chunkRotation);
    v.mainType = exactCollisionTypeIndex(record.text(R::mainType));
    v.alternateType = exactCollisionTypeIndex(record.text(R::alternateType));
    v.readyMade = record.isReadyMadeGroup();
    return v;
}

R composeRecord(R base, const ObjectRecordValues& v) {
    base.stamp();
    base.setText(R::objectName, v.objectName);
    base.setText(R::menuText, v.menuText);
    base.setText(R::alternateName, v.alternateName);
    base.setText(R::chunkName, v.chunk);
    base.setText(R::objectType, v.objectType);
    base.setText(R::objectParent, v.objectParent);
    base.setText(R::targetingInfo, v.targetingInfo);
    base.setInt32(R::hitsToDestroy, common::leadingInt(v.hitsToDestroy));
    base.setByte(R::collisionOn, v.collisionOn ? 1 : 0);
    base.setByte(R::canTarget, v.canTarget ? 1 : 0);
    base.setByte(R::readyMadeGroup, v.readyMade ? 1 : 0);
    storeTriple(base, v.scale, &R::scale);
    storeTriple(base, v.mainRotation, &R::mainRotation);
    storeTriple(base, v.alternateRotation, &R::alternateRotation);
    storeTriple(base, v.chunkRotation, &R::chunkRotation);
    // Saving an unrelated change must not wipe a word the radio entries do not offer.
    storeType(base, R::mainType, v.mainType);
    storeType(base, R::alternateType, v.alternateType);
    return base;
}

} // namespace zev::edit
