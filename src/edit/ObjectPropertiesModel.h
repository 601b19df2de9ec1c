#pragma once

#include "TaskSettingsModel.h"

#include "mission/MissionObjectRecord.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

// The object property dialog's working copy of one placed object: what each control shows, which
// controls a ready-made group leaves editable, and the record that OK composes from the controls.
namespace zev::edit {

// The choices of the "Object Type" and "Object Parent" boxes (both also take free text).
inline constexpr const char* kPropertyObjectTypes[] = {"none",  "terrain", "landmine",
                                                       "glass", "smoke",   "fire"};
inline constexpr const char* kPropertyObjectParents[] = {"world", "fixed"};
// The "Gamething" boxes' words, in the order the role text lists them.
inline constexpr const char* kRoleWords[] = {"defend", "destroy", "recon"};
inline constexpr int kAreaFileMin = 1;
inline constexpr int kAreaFileMax = 8;

// The controls of the property dialog, as texts and states. Triples are X, Y, Z.
struct ObjectPropertyValues {
    std::array<std::string, 3> scale, position, mainRotation, chunkRotation, alternateRotation;
    std::string hitsToDestroy;
    bool collisionOn = false;
    bool canTarget = false;
    std::array<bool, 3> roles{}; // "Defend", "Destroy", "Recon"
    int mainType = -1;           // index into the collision type words; -1: none selected
    int alternateType = -1;
    std::string objectType;
    std::string objectParent;
    std::string alternateName;
    std::string targetingInfo;
    std::string inspectionInfo;
    int areaFile = kAreaFileMin;
    friend bool operator==(const ObjectPropertyValues&, const ObjectPropertyValues&) = default;
};

class ObjectPropertiesModel {
public:
    explicit ObjectPropertiesModel(const mission::MissionObjectRecord& record);

    const mission::MissionObjectRecord& original() const { return record_; }
    // What the controls show when the dialog opens. A ready-made group's details stay unfilled.
    const ObjectPropertyValues& shown() const { return shown_; }
    // False for a ready-made group: its collision, targeting, type, parent, name, role, chunk
    // and alternate controls and the area file are locked; scale, position and main rotation
    // stay editable.
    bool detailsEnabled() const { return !record_.isReadyMadeGroup(); }
    // "Object Property [menu geometry alternate]".
    std::string caption() const;

    TaskSettingsModel& tasks() { return tasks_; }
    const TaskSettingsModel& tasks() const { return tasks_; }
    std::vector<std::string> summary() const;

    // The record OK writes: every field from its control, the task settings from the working
    // copy, everything else as it was.
    mission::MissionObjectRecord compose(const ObjectPropertyValues& values) const;

private:
    mission::MissionObjectRecord record_;
    ObjectPropertyValues shown_;
    TaskSettingsModel tasks_;
};

// The radio entry for a collision type text: the last of the eight words (in radio order) that
// the text contains; -1 when it holds none.
int collisionTypeIndex(std::string_view text);

// The gamething role text of the ticked boxes: "." for none, else their words joined by ";".
std::string roleText(const std::array<bool, 3>& roles);

// The sound names the "Sound File" box offers: "1", then the entries of the project archive's
// sound section when it has one, else the first and last names of the game's sound inventory.
// The archive is opened and closed here; a missing or damaged archive gives the short list.
std::vector<std::string> ambientSoundChoices(const std::filesystem::path& configuredArchivePath);
// The archive sections looked in for sounds, in this order.
inline constexpr const char* kSoundSectionTags[] = {"WAV", "SND", "SFX"};

} // namespace zev::edit
