#pragma once

#include "mission/MissionDocument.h"
#include "mission/ScenePositions.h"

#include <memory>
#include <string>

namespace zev::mission::support {

// A new free-for-all mission "ABCD" / "Test Mission" with no INI file.
std::unique_ptr<MissionDocument> newMission(const std::string& project = "ABCD",
                                            bool freeForAll = true);

// An object as a drop would leave it, named `name`, at the given game position.
MissionObjectRecord sampleObject(const std::string& name, int x, int y, int z);

// Frames given by the test, in the order given.
class FakePositions : public ScenePositions {
public:
    std::vector<FramePlacement> starts, navs, objects;
    std::vector<FramePlacement> startPointFrames() const override { return starts; }
    std::vector<FramePlacement> navPointFrames() const override { return navs; }
    std::vector<FramePlacement> objectFrames() const override { return objects; }
};

std::vector<std::uint8_t> bytesOf(const std::string& text);

} // namespace zev::mission::support
