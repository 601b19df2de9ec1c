#pragma once

#include "mission/NavPointRecord.h"

#include <array>
#include <string>

// The nav point setting dialog's controls for one slot: what they show of the record and the
// record that OK writes from them.
namespace zev::edit {

// The "App Actions" boxes' words, in the order the action list is written.
inline constexpr int kNavActionCount = 15;
inline constexpr const char* kNavActionWords[kNavActionCount] = {
    "Begin",  "Recon",      "Destroy", "Defend",  "Goto",       "Wait",    "Sleep", "Shutdown",
    "Return", "Objsucceed", "Objfail", "Objshow", "Msnsucceed", "Msnfail", "Leave"};

// The characters the edits take; the other texts are cut only by their fields.
inline constexpr int kNavPositionChars = 15;
inline constexpr int kNavHeadingChars = 3;
inline constexpr int kNavTextChars = 33;

struct NavPointValues {
    bool inUse = false; // "Use Nav in Mission"
    std::string x, y, z;
    std::string heading;
    bool enabled = false; // "Enable Nav Point"
    std::string groupId;
    std::string radius;
    std::array<bool, kNavActionCount> actions{}; // in the order of kNavActionWords
    std::string text;                            // "Nav Point Text"
    friend bool operator==(const NavPointValues&, const NavPointValues&) = default;
};

// The controls as a slot fills them. The action list is read whatever its letter case: a box is
// ticked when the list contains its word anywhere.
NavPointValues fill(const mission::NavPointRecord& record);
// "Erase All": every text empty, every box unticked.
NavPointValues erased();
// The action list of the ticked boxes: their words joined by ";", empty for none.
std::string actionListText(const std::array<bool, kNavActionCount>& actions);
// `record` with every field written from the controls; texts too long for a field are cut.
mission::NavPointRecord compose(const NavPointValues& values,
                                const mission::NavPointRecord& record);

} // namespace zev::edit
