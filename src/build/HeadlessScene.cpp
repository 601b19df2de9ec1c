#include "HeadlessScene.h"

#include "common/Numbers.h"

namespace zev::build {

using mission::FramePlacement;

namespace {

// Game units -> workspace frame -> game units, as a frame that was never moved reports them.
std::vector<FramePlacement> throughWorkspace(std::vector<FramePlacement> frames) {
    for (FramePlacement& f : frames)
        for (std::int32_t& v : f.position)
            v = common::gameUnitsFromWorkspace(static_cast<double>(v) * 0.01);
    return frames;
}

} // namespace

std::vector<FramePlacement> HeadlessScene::startPointFrames() const {
    return throughWorkspace(records_.startPointFrames());
}

std::vector<FramePlacement> HeadlessScene::navPointFrames() const {
    return throughWorkspace(records_.navPointFrames());
}

std::vector<FramePlacement> HeadlessScene::objectFrames() const {
    return throughWorkspace(records_.objectFrames());
}

} // namespace zev::build
