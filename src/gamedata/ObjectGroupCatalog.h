#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Which object group a placed object came from. A placed object keeps the fields of the group
// record it was dropped from but not the group's name; the catalog finds the group again by the
// record's geometry name and menu text, looking through the groups in the order the palette's
// tabs show them.
namespace zev::gamedata {

class ObjectGroupCatalog {
public:
    ObjectGroupCatalog() = default;
    // The groups of "data/odb" under the program directory; groups that do not open are left out.
    static ObjectGroupCatalog load(const std::filesystem::path& programDirectory);

    // One group with the (geometry name, menu text) of each of its records.
    using Entry = std::pair<std::string, std::string>;
    void addGroup(std::string name, std::vector<Entry> entries);

    // The first group holding a record of this geometry and menu text; empty when none does.
    std::string groupOf(std::string_view objectName, std::string_view menuText) const;
    // The group's name as the catalog spells it when `name` names one (letter case aside).
    const std::string* findGroup(std::string_view name) const;
    bool empty() const { return groups_.empty(); }

private:
    struct Group {
        std::string name;
        std::vector<Entry> entries; // sorted
    };
    std::vector<Group> groups_;
};

} // namespace zev::gamedata
