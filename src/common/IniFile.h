#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Read-only INI file with the semantics of the Windows profile functions: section and key
// names compare case-insensitively, values are trimmed (and lose one pair of enclosing quotes),
// a missing file, section or key gives the caller's default, and integer keys are read by their
// leading digits. The first occurrence of a section or key wins.
namespace zev::common {

class IniFile {
public:
    IniFile() = default;
    // An unreadable or missing file gives an empty profile: every lookup gives its default.
    static IniFile load(const std::filesystem::path& path);
    static IniFile parse(std::string_view text);

    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    std::int32_t getInt(std::string_view section, std::string_view key,
                        std::int32_t defaultValue) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    // Keys of a section in file order (first occurrences only).
    std::vector<std::string> keys(std::string_view section) const;
    // Section names in file order (first occurrences only).
    std::vector<std::string> sections() const;
    // A list kept as "ITEM COUNT" and the keys "ITEM 1" to "ITEM <count>": the non-empty values
    // in item order. Only keys the file holds are visited, so a huge count costs nothing.
    std::vector<std::string> itemList(std::string_view section) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* findSection(std::string_view name) const;
    const Entry* find(std::string_view section, std::string_view key) const;

    std::vector<Section> sections_;
};

bool equalsIgnoreCase(std::string_view a, std::string_view b);

} // namespace zev::common
