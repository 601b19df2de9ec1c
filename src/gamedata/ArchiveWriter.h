#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Writes a project archive in the layout that `ProjectArchive` reads (see ArchiveLayout.h): a
// header of this project's own, the section directory in the order sections were added, then
// each section's header, slot table and entries. Entries are numbered 1, 2, ... in the order
// they were added.
//
// Note for callers: the slot count written is the number of entries plus one, so the reader sees
// every entry; the editor's index builders leave the section's last entry out (they index
// entries 1 to n - 1), as the game's own archive expects. Add a closing entry after the ones
// that must be indexed.
//
//   ArchiveWriter writer;
//   auto& poly = writer.addSection("POLY");
//   poly.addEntry("TOWER1", "tower1.geo", bytes);
//   writer.writeTo(dir / "ZEV.PRJ");
namespace zev::gamedata {

class ArchiveWriter {
public:
    struct Entry {
        std::string shortName; // at most 8 characters are stored
        std::string longName;  // at most 12 characters are stored
        std::vector<std::uint8_t> data;
    };

    class Section {
    public:
        explicit Section(std::string tag) : tag_(std::move(tag)) {}
        // Adds an entry and returns its number (1-based). Longer names are cut to 8 and 12
        // characters.
        std::uint32_t addEntry(std::string_view shortName, std::string_view longName,
                               std::span<const std::uint8_t> data = {});
        std::uint32_t addEntry(std::string_view shortName, std::string_view longName,
                               std::string_view data);
        const std::string& tag() const { return tag_; }
        const std::vector<Entry>& entries() const { return entries_; }

    private:
        std::string tag_;
        std::vector<Entry> entries_;
    };

    // Adds a section with a tag of 1 to 4 characters (longer tags are cut to 4). The reference
    // stays valid while the writer lives.
    Section& addSection(std::string_view tag);
    const std::deque<Section>& sections() const { return sections_; }

    // The archive image; nothing when a section has more entries than a slot count can hold
    // (65,534) or the file would pass 4 GiB.
    std::optional<std::vector<std::uint8_t>> toBytes() const;
    // Writes the image to `path` (through a temporary file); false on failure.
    bool writeTo(const std::filesystem::path& path) const;

private:
    std::deque<Section> sections_;
};

} // namespace zev::gamedata
