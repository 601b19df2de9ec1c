#pragma once

#include "mission/ScenePositions.h"

namespace zev::build {

// The scene a build sees without a workspace: the frames the workspace would make from the
// records and never move. Objects stand at their record positions x 0.01, start points and nav
// points at their position texts' integer values x 0.01, each read back as 100 x the truncated
// workspace coordinate, as the workspace reports a frame.
class HeadlessScene : public mission::ScenePositions {
public:
    explicit HeadlessScene(const mission::MissionDocument& document) : records_(document) {}
    std::vector<mission::FramePlacement> startPointFrames() const override;
    std::vector<mission::FramePlacement> navPointFrames() const override;
    std::vector<mission::FramePlacement> objectFrames() const override;

private:
    mission::RecordPositions records_;
};

} // namespace zev::build
