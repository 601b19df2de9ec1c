#pragma once

#include "ObjectRecordValues.h"

#include "common/Reporter.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The quick-add dialog's model: one new record for a geometry, appended to a chosen group.
namespace zev::edit {

inline constexpr const char* kQuickAddCaption = "ZEVEDIT 3D Object Database Quick Add";
inline constexpr const char* kQuickAddErrorCaption = "Object Database Quick Add";

class ObjectQuickAddModel {
public:
    // Lists the groups (the first one chosen) and prefills the controls for `geometryName`.
    ObjectQuickAddModel(std::filesystem::path programDirectory, std::string_view geometryName,
                        common::Reporter& reporter);

    const std::vector<std::string>& groups() const { return groups_; }
    int selectedGroup() const { return group_; }
    void chooseGroup(int index);
    // "Object" and "Menu text" the geometry name up to its first ".", scales "1", both types
    // "orthorect", type and parent "none".
    const ObjectRecordValues& prefill() const { return prefill_; }
    // The caption with the geometry name in brackets.
    std::string caption() const;
    // Grows with every record added and group created.
    int changes() const { return changes_; }

    // OK: appends the record the controls make, its reserved fields zero and not a ready-made
    // group object. False, with the message, when the group does not take it.
    bool add(const ObjectRecordValues& values);
    // "New Group": creates the group (see addObjectGroup), lists the groups and chooses it.
    bool newGroup(std::string_view name);

    // The record OK appends.
    static gamedata::ObjectGroupRecord recordFrom(const ObjectRecordValues& values);

private:
    void listGroups();

    std::filesystem::path directory_;
    common::Reporter& reporter_;
    std::string geometry_;
    std::vector<std::string> groups_;
    int group_ = -1;
    ObjectRecordValues prefill_;
    int changes_ = 0;
};

} // namespace zev::edit
