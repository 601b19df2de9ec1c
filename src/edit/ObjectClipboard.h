#pragma once

#include "MissionEditor.h"

#include "common/Reporter.h"
#include "engine/Math.h"
#include "mission/MissionObjectRecord.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Objects on the clipboard: their whole records as the JSON a mission's dump lists its objects
// in, so that they travel between editors, missions and text editors.
namespace zev::edit {

// The clipboard's own type: the dump's full form, every byte of each record.
inline constexpr const char* kObjectsMimeType = "application/x-zevedit-objects+json";
// Where a paste that is not placed at the pointer, and a duplicate, put the copies: one step of
// the ground grid along x and z.
inline constexpr double kPasteOffset = 10.0;

// The objects in `slots` as a JSON list of the dump's objects ({"slot", then the fields}), each
// record's position fields holding where it stands in the workspace. `full`: the dump's full
// form, otherwise the short one people read.
std::string objectsToText(const MissionEditor& editor, const std::vector<int>& slots, bool full);

// The records a clipboard text holds: a list of objects, or a JSON object whose "objects" is one
// (a whole mission's dump), in either form of the dump. The refusal says why there are none.
struct ObjectsFromText {
    std::vector<mission::MissionObjectRecord> records;
    std::string refusal;
};
ObjectsFromText objectsFromText(const std::string& text);

// What the message says when a text holds no objects to paste.
std::string pasteRefusalMessage(const std::string& refusal);

// Adds copies of objects as one step and selects them, as a drop adds one: every copy in a free
// slot, its frame built first; a refusal is reported and adds nothing at all.
class ObjectPaster {
public:
    ObjectPaster(MissionEditor& editor, common::Reporter& reporter)
        : editor_(editor), reporter_(reporter) {}

    // The view builds the frame of an object about to be added (as the drop's); the error text
    // when it cannot be shown.
    std::function<std::optional<std::string>(int slot, const mission::MissionObjectRecord&)>
        prepareFrame;

    // Pastes a clipboard text: centred on `at` (the ground under the pointer, whole units) with
    // the copies' layout kept, or one grid step beside where they were copied from. The slots
    // of the copies; empty when nothing was pasted.
    std::vector<int> paste(const std::string& text, const std::optional<engine::Vector3>& at);
    // Copies of the selected objects one grid step aside ("Duplicate").
    std::vector<int> duplicate();

private:
    std::vector<int> add(const std::vector<mission::MissionObjectRecord>& records,
                         const engine::Vector3& offset, const std::string& stepName);

    MissionEditor& editor_;
    common::Reporter& reporter_;
};

} // namespace zev::edit
