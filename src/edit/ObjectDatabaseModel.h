#pragma once

#include "ObjectRecordValues.h"

#include "common/Reporter.h"
#include "gamedata/ObjectGroupRecord.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The object database editor's state over the group files of a program directory: the groups,
// the chosen group's objects, the chosen record, the control values, browsing or editing, and
// the operations of its buttons. Nothing is written except by Save Data, Delete Object, Delete
// Group and New Object Group; every failure is reported and leaves the files as they were.
namespace zev::edit {

inline constexpr const char* kObjectDatabaseCaption = "ZEVEDIT 3D Object Database";
inline constexpr const char* kSaveErrorCaption = "Object Database...";
// A typed name that is already a group would otherwise empty that group.
inline constexpr const char* kGroupExistsError =
    "An Object Group of that name already exists! Choose another name.";

// Creates the group `name` unless a group of that name exists already (any case); the group
// layer refuses names that leave the group directory. True when created.
bool addObjectGroup(const std::filesystem::path& programDirectory, std::string_view name,
                    common::Reporter& reporter);

enum class SaveMode { Rewrite = 0, Append = 1 };

// What the editor's lists and buttons allow in the current state.
struct DatabaseControls {
    bool groupList = false, objectList = false;
    bool newObject = false, saveData = false, abortChanges = false;
    bool deleteObject = false, deleteGroup = false, newGroup = false;
    friend bool operator==(const DatabaseControls&, const DatabaseControls&) = default;
};

class ObjectDatabaseModel {
public:
    ObjectDatabaseModel(std::filesystem::path programDirectory, common::Reporter& reporter);

    const std::vector<std::string>& groups() const { return groups_; }
    int selectedGroup() const { return group_; }
    const std::vector<std::string>& objects() const { return objects_; }
    int selectedRecord() const { return record_; }
    const ObjectRecordValues& values() const { return values_; }
    const gamedata::ObjectGroupRecord& editBuffer() const { return buffer_; }
    bool editing() const { return editing_; }
    SaveMode saveMode() const { return saveMode_; }
    DatabaseControls controls() const;
    // False while "RMG Object" is checked: the ready-made rule locks the record's details.
    bool recordDetailsEnabled() const { return detailsEnabled(values_); }
    // Grows with every change to a group file, so the main window knows to reload its tabs.
    int changes() const { return changes_; }

    // Set while the view fills its controls from values(): their change notices are no edits.
    void setLoading(bool loading) { loading_ = loading; }
    bool loading() const { return loading_; }

    // Lists the groups again; nothing chosen after.
    void listGroups();
    // Each operation does nothing and returns false when its control is disabled.
    bool chooseGroup(int index);
    bool chooseRecord(int index);
    // A record control changed to `values`; ignored while loading. Enters editing; with no record
    // chosen the edit starts a new object.
    bool edit(const ObjectRecordValues& values);
    bool newObject();
    bool saveData();
    bool abortChanges();
    bool deleteObject();
    bool deleteGroup();
    // "New Object Group" after the name dialog's OK; the new group is chosen.
    bool newGroup(std::string_view name);

private:
    std::filesystem::path groupFile() const;
    bool listObjects();
    void clearRecord();

    std::filesystem::path directory_;
    common::Reporter& reporter_;
    std::vector<std::string> groups_;
    int group_ = -1;
    std::vector<std::string> objects_;
    int record_ = -1;
    gamedata::ObjectGroupRecord buffer_;
    ObjectRecordValues values_;
    bool editing_ = false;
    bool loading_ = false;
    SaveMode saveMode_ = SaveMode::Rewrite;
    int changes_ = 0;
};

} // namespace zev::edit
