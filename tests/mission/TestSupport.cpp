#include "TestSupport.h"

#include "mission/NewMission.h"

namespace zev::mission::support {

std::unique_ptr<MissionDocument> newMission(const std::string& project, bool freeForAll) {
    auto doc = std::make_unique<MissionDocument>();
    storeSelection(*doc, {project, "Test Mission", 4, freeForAll, false});
    resetToNewMission(*doc, "/nonexistent-program-directory", 0);
    return doc;
}

MissionObjectRecord sampleObject(const std::string& name, int x, int y, int z) {
    MissionObjectRecord r;
    r.setText(MissionObjectRecord::creatorTag, "ZEVEDIT 3D");
    r.setText(MissionObjectRecord::menuText, "Menu " + name);
    r.setText(MissionObjectRecord::objectName, name);
    r.setText(MissionObjectRecord::mainType, "orthorect");
    r.setInt32(MissionObjectRecord::hitsToDestroy, 3);
    for (int axis = 0; axis < 3; ++axis)
        r.setInt32(MissionObjectRecord::scale(axis), 1);
    r.setInt32(MissionObjectRecord::position(0), x);
    r.setInt32(MissionObjectRecord::position(1), y);
    r.setInt32(MissionObjectRecord::position(2), z);
    r.setText(MissionObjectRecord::areaFile, "1");
    r.setText(MissionObjectRecord::pathLooping, "oneshot");
    r.setText(MissionObjectRecord::pathRotation, "rotate");
    return r;
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

} // namespace zev::mission::support
