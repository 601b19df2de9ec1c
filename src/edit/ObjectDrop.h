#pragma once

#include "GridSnap.h"
#include "MissionEditor.h"

#include "common/Reporter.h"
#include "engine/Frame.h"
#include "engine/Viewport.h"
#include "mission/MissionObjectRecord.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zev::gamedata {
class ObjectGroupRecord;
}

namespace zev::edit {

// The palette's current object: a group (the tab) and an entry of its list.
struct PaletteChoice {
    std::string group;
    int entry = -1;
    std::string text; // the entry's menu text; empty when nothing is chosen

    bool chosen() const { return entry >= 0 && !text.empty(); }
};

// A dropped object's record: the group record's fields, area file "1", the path task's
// "oneshot" and "rotate", everything else zero.
mission::MissionObjectRecord droppedObjectRecord(const gamedata::ObjectGroupRecord& entry);

// The point under the mouse at the depth of the ground point below the camera: the camera's
// (x, 0, z) taken to the screen, its x and y replaced by the mouse's, and taken back.
engine::Vector3 pointUnderMouse(const engine::Viewport& viewport, const engine::Frame& camera,
                                double mouseX, double mouseY);

// Where a drop at `ground` puts the object: x and z truncated toward zero, y always 0.
engine::Vector3 dropPosition(const engine::Vector3& ground);

// Places the palette's current object: reads its group record, checks the index files, finds
// a free slot, lets the view build the object's frame and adds the object as one undo step.
// Every refusal is reported and leaves the mission as it was.
class ObjectDropper {
public:
    ObjectDropper(MissionEditor& editor, std::filesystem::path programDirectory,
                  common::Reporter& reporter)
        : editor_(editor), programDirectory_(std::move(programDirectory)), reporter_(reporter) {}

    // Whether the index files are current (refreshed at start, after a scan and after the
    // device is made again).
    bool indexCurrent = false;
    // The view builds the frame of the object about to be added in `slot`; the error text when
    // it cannot (its geometry is not found or cannot be converted).
    std::function<std::optional<std::string>(int slot, const mission::MissionObjectRecord&)>
        prepareFrame;
    // After a standard object's drop: auto-zoom moves the camera over it.
    std::function<void(int slot)> zoomOver;
    // The busy pointer while the object is read and built.
    std::function<void(bool busy)> showBusy;
    // Where drops land: on the grid while snapping is on.
    const GridSnap* snap = nullptr;

    // The slot of the new object, or nothing when no object was placed.
    std::optional<int> drop(const PaletteChoice& choice, const engine::Vector3& ground);

private:
    std::optional<int> place(const gamedata::ObjectGroupRecord& entry,
                             const engine::Vector3& ground);

    MissionEditor& editor_;
    std::filesystem::path programDirectory_;
    common::Reporter& reporter_;
};

} // namespace zev::edit
