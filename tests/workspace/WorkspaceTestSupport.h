#pragma once

#include "TempDir.h"

#include "common/Reporter.h"
#include "engine/Frame.h"
#include "gamedata/DemoData.h"
#include "mission/MissionDocument.h"
#include "mission/MissionObjectRecord.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace workspacetest {

using zev::engine::Vector3;

inline void ExpectNear(const Vector3& actual, const Vector3& expected, double tolerance = 1e-6) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << "x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << "y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << "z";
}

// The demo game data and program directory in a temporary directory, with a settings store
// of its own (an INI file there).
class DemoSetup {
public:
    DemoSetup() {
        zev::common::RecordingReporter reporter;
        ok = zev::gamedata::demo::writeDemoData(dir.path() / "demo", reporter);
        paths = zev::gamedata::demo::demoDataPaths(dir.path() / "demo");
        settings = std::make_unique<zev::platform::SettingsStore>(
            QString::fromStdString((dir.path() / "settings.ini").string()));
    }

    TempDir dir;
    bool ok = false;
    zev::gamedata::demo::DemoDataPaths paths;
    std::unique_ptr<zev::platform::SettingsStore> settings;
};

// A mission object record as a drop makes it: the object's name, a position in game units,
// scale 1 and a rotation about Y.
inline zev::mission::MissionObjectRecord ObjectRecord(const std::string& name, int x, int y, int z,
                                                      bool readyMadeGroup = false,
                                                      int rotationY = 0) {
    using R = zev::mission::MissionObjectRecord;
    R record;
    record.setText(R::objectName, name);
    record.setText(R::menuText, name);
    record.setByte(R::readyMadeGroup, readyMadeGroup ? 1 : 0);
    for (int axis = 0; axis < 3; ++axis)
        record.setInt32(R::scale(axis), 1);
    record.setInt32(R::position(0), x);
    record.setInt32(R::position(1), y);
    record.setInt32(R::position(2), z);
    record.setInt32(R::mainRotation(1), rotationY);
    return record;
}

// A fresh mission with the demo program directory's defaults.
std::unique_ptr<zev::mission::MissionDocument> NewMission(const DemoSetup& demo);

// One GUI application for the whole run. Without a display Qt's offscreen platform is used; it
// offers no OpenGL, so the rendering tests are skipped there unless OpenGL is required.
void EnsureGuiApplication();

// The children of a frame that carry `tag`.
int CountTagged(const zev::engine::Frame& parent, int tag);

} // namespace workspacetest
