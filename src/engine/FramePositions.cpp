#include "engine/FramePositions.h"

#include "common/Numbers.h"

namespace zev::engine {

namespace {

std::vector<mission::FramePlacement> ChildPlacements(const Frame* container) {
    std::vector<mission::FramePlacement> out;
    if (!container)
        return out;
    out.reserve(container->GetChildren().size());
    for (const auto& child : container->GetChildren())
        out.push_back(FramePositions::PlacementOf(*child));
    return out;
}

} // namespace

mission::FramePlacement FramePositions::PlacementOf(const Frame& frame) {
    const Vector3 p = frame.GetPosition(frame.GetScene());
    return {frame.GetAppData(),
            frame.GetName(),
            {common::gameUnitsFromWorkspace(p.x), common::gameUnitsFromWorkspace(p.y),
             common::gameUnitsFromWorkspace(p.z)}};
}

std::vector<mission::FramePlacement> FramePositions::startPointFrames() const {
    return ChildPlacements(startPoints_);
}

std::vector<mission::FramePlacement> FramePositions::navPointFrames() const {
    return ChildPlacements(navPoints_);
}

std::vector<mission::FramePlacement> FramePositions::objectFrames() const {
    return ChildPlacements(objects_);
}

} // namespace zev::engine
