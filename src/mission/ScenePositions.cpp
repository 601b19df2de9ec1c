#include "ScenePositions.h"

#include "MissionDocument.h"

#include "common/Numbers.h"

namespace zev::mission {

using common::leadingInt;

namespace {

template <typename Record> std::array<std::int32_t, 3> textPosition(const Record& r) {
    return {leadingInt(r.text(Record::x)), leadingInt(r.text(Record::y)),
            leadingInt(r.text(Record::z))};
}

template <typename Record> void setTextPosition(Record& r, const std::array<std::int32_t, 3>& p) {
    r.setText(Record::x, common::decimal(p[0]));
    r.setText(Record::y, common::decimal(p[1]));
    r.setText(Record::z, common::decimal(p[2]));
}

} // namespace

std::vector<FramePlacement> RecordPositions::startPointFrames() const {
    std::vector<FramePlacement> out;
    for (int p = 1; p <= kPlayerCount; ++p)
        out.push_back({kStartPointTagBase + p - 1, "Player " + std::to_string(p) + " Start Point",
                       textPosition(document_.startPoint(p))});
    return out;
}

std::vector<FramePlacement> RecordPositions::navPointFrames() const {
    std::vector<FramePlacement> out;
    for (int s = 0; s < kStarCount; ++s)
        for (int n = 0; n < kNavPointsPerStar; ++n)
            if (document_.navPoint(s, n).isInUse())
                out.push_back({kNavPointTagBase + s, std::to_string(n),
                               textPosition(document_.navPoint(s, n))});
    return out;
}

std::vector<FramePlacement> RecordPositions::objectFrames() const {
    std::vector<FramePlacement> out;
    for (int slot : document_.objects.occupiedSlots()) {
        const MissionObjectRecord& r = *document_.objects.find(slot);
        out.push_back(
            {slot,
             r.text(MissionObjectRecord::objectName),
             {r.int32(MissionObjectRecord::position(0)), r.int32(MissionObjectRecord::position(1)),
              r.int32(MissionObjectRecord::position(2))}});
    }
    return out;
}

std::vector<int> refreshPositions(MissionDocument& document, const ScenePositions& positions) {
    for (const FramePlacement& f : positions.startPointFrames()) {
        const int index = f.tag - kStartPointTagBase;
        if (index >= 0 && index < kPlayerCount)
            setTextPosition(document.startPoints[index], f.position);
    }
    for (const FramePlacement& f : positions.navPointFrames()) {
        const int star = f.tag - kNavPointTagBase;
        // The frame name holds the nav point number; at most 24 characters of it are read.
        const int nav = leadingInt(std::string_view(f.name).substr(0, 24));
        if (star >= 0 && star < kStarCount && nav >= 0 && nav < kNavPointsPerStar)
            setTextPosition(document.navPoint(star, nav), f.position);
    }
    std::vector<int> order;
    for (const FramePlacement& f : positions.objectFrames()) {
        if (f.tag == kReadyMadeMemberTag)
            continue;
        MissionObjectRecord* r = document.objects.find(f.tag);
        if (!r)
            continue;
        for (int axis = 0; axis < 3; ++axis)
            r->setInt32(MissionObjectRecord::position(axis), f.position[axis]);
        order.push_back(f.tag);
    }
    return order;
}

} // namespace zev::mission
