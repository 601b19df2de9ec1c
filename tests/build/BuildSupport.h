#pragma once

#include "build/Build.h"

#include "mission/MissionDocument.h"
#include "mission/ScenePositions.h"

#include "common/Reporter.h"

#include "TempDir.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zev::build::test {

// A fresh team-play mission "ABCD" / "Test Mission" made without an INI file, with no objects.
std::unique_ptr<mission::MissionDocument> newMission(const std::string& project = "ABCD",
                                                     bool freeForAll = false);

// A standard object as a drop leaves it: geometry `name`, area "1", scale 1,1,1, all tasks off.
mission::MissionObjectRecord plainObject(const std::string& name);

// Frames given by the test, in the order given.
class FakeScene : public mission::ScenePositions {
public:
    std::vector<mission::FramePlacement> starts, navs, objects;
    std::vector<mission::FramePlacement> startPointFrames() const override { return starts; }
    std::vector<mission::FramePlacement> navPointFrames() const override { return navs; }
    std::vector<mission::FramePlacement> objectFrames() const override { return objects; }
};

// Lines joined with CR LF, each line given without its end: crlf({"a", "b"}) == "a\r\nb\r\n".
std::string crlf(const std::vector<std::string>& lines);
// A text as a text-mode file stores it.
std::string textMode(const std::string& text);

// A program directory with a mission built into it.
struct BuildRun {
    TempDir home;
    std::unique_ptr<mission::MissionDocument> document = newMission();
    FakeScene scene;
    common::RecordingReporter reporter;

    // Puts `record` into the next free slot and a frame for it at `position` into the scene.
    int addObject(const mission::MissionObjectRecord& record,
                  std::array<std::int32_t, 3> position = {0, 0, 0});
    bool build();
    bool command();
    std::filesystem::path file(const std::string& suffix) const;
    // The generated file of the project, or nothing when it does not exist.
    std::optional<std::string> read(const std::string& suffix) const;
    std::vector<std::string> messageTexts() const;
};

} // namespace zev::build::test
