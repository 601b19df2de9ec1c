#include "ObjectGroupCatalog.h"

#include "ObjectGroups.h"

#include <algorithm>
#include <cctype>

namespace zev::gamedata {

ObjectGroupCatalog ObjectGroupCatalog::load(const std::filesystem::path& programDirectory) {
    ObjectGroupCatalog catalog;
    for (const std::string& fileName : listObjectGroupFiles(programDirectory)) {
        const auto records = readObjectGroup(objectGroupFilePath(programDirectory, fileName));
        if (!records)
            continue;
        std::vector<Entry> entries;
        entries.reserve(records->size());
        for (const ObjectGroupRecord& r : *records)
            entries.emplace_back(r.text(ObjectGroupRecord::objectName),
                                 r.text(ObjectGroupRecord::menuText));
        catalog.addGroup(groupNameFromFileName(fileName), std::move(entries));
    }
    return catalog;
}

void ObjectGroupCatalog::addGroup(std::string name, std::vector<Entry> entries) {
    std::sort(entries.begin(), entries.end());
    groups_.push_back({std::move(name), std::move(entries)});
}

std::string ObjectGroupCatalog::groupOf(std::string_view objectName,
                                        std::string_view menuText) const {
    const Entry key{std::string(objectName), std::string(menuText)};
    for (const Group& g : groups_)
        if (std::binary_search(g.entries.begin(), g.entries.end(), key))
            return g.name;
    return {};
}

const std::string* ObjectGroupCatalog::findGroup(std::string_view name) const {
    const auto same = [name](const std::string& g) {
        return g.size() == name.size() &&
               std::equal(g.begin(), g.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) ==
                          std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const Group& g : groups_)
        if (same(g.name))
            return &g.name;
    return nullptr;
}

} // namespace zev::gamedata
