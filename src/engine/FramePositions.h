#pragma once

#include "engine/Frame.h"
#include "mission/ScenePositions.h"

namespace zev::engine {

// Save and Build read the workspace through this: the children of the start point, nav point
// and object container frames in child order, each with its application data, its name and
// its position relative to the scene root in game units (100 x the truncated coordinate).
// A missing container gives no frames.
class FramePositions : public mission::ScenePositions {
public:
    FramePositions(const Frame* startPoints, const Frame* navPoints, const Frame* objects)
        : startPoints_(startPoints), navPoints_(navPoints), objects_(objects) {}

    std::vector<mission::FramePlacement> startPointFrames() const override;
    std::vector<mission::FramePlacement> navPointFrames() const override;
    std::vector<mission::FramePlacement> objectFrames() const override;

    // One frame as Save and Build see it.
    static mission::FramePlacement PlacementOf(const Frame& frame);

private:
    const Frame* startPoints_;
    const Frame* navPoints_;
    const Frame* objects_;
};

} // namespace zev::engine
