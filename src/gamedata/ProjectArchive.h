#pragma once

#include "common/Reporter.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading the game's project archive ("ZEV.PRJ"): sections by tag, entries by number, raw entry
// data. The editor never writes the archive. A caller opens it, does all its reads and closes it
// within one operation (the destructor closes too).
//
// Every position and count taken from the file is checked against the file size before it is
// used, and a read that cannot deliver all its bytes fails the operation: a damaged or
// truncated archive gives failures, never bytes from outside the file.
namespace zev::gamedata {

// The result of a section lookup: where the entry slots start and how many entries there are.
struct SectionIndex {
    std::uint32_t tablePosition = 0; // S + 30
    std::uint32_t entryCount = 0;    // n = slot count - 1
};

// One entry of a section; every field zero after a failed read.
struct ArchiveEntry {
    std::uint32_t number = 0;     // 1-based
    char shortName[9] = {};       // up to 8 characters, NUL-terminated
    char longName[13] = {};       // up to 12 characters, NUL-terminated
    std::uint32_t dataOffset = 0; // E + 62
    std::uint32_t dataSize = 0;   // L - 54

    std::string shortNameText() const { return shortName; }
    std::string longNameText() const { return longName; }
};

enum class EntryReadStatus {
    Ok,
    NotOpen,    // no archive is open
    OutOfRange, // number 0 or above the section's entry count
    Damaged,    // the slot, the entry or its data lies outside the file
};

class ProjectArchive {
public:
    ProjectArchive() = default;
    ~ProjectArchive();
    ProjectArchive(const ProjectArchive&) = delete;
    ProjectArchive& operator=(const ProjectArchive&) = delete;

    // Opens the file for binary reading (closing any archive open before); true on success.
    bool OpenArchive(const std::filesystem::path& path);
    // Makes an archive image in memory the current archive (for tests, fuzzing and tools that
    // already hold the bytes); it reads exactly as a file of these bytes would.
    void openImage(std::vector<std::uint8_t> image);
    void CloseArchive();
    bool isOpen() const { return file_ != nullptr || inMemory_; }
    std::uint64_t fileSize() const { return size_; }
    const std::filesystem::path& path() const { return path_; }

    // True when a section with exactly this tag (case-sensitive, at most 4 characters) exists
    // and its header and entry slots lie inside the file.
    bool FindSection(std::string_view tag, SectionIndex& section);

    // True when 1 <= number <= n and the entry lies inside the file; `entry` is cleared first.
    bool ReadEntry(const SectionIndex& section, ArchiveEntry& entry, std::uint32_t number);
    EntryReadStatus readEntryStatus(const SectionIndex& section, ArchiveEntry& entry,
                                    std::uint32_t number);

    // Reads min(wanted, available) bytes at the absolute offset into `buffer`; returns that
    // count, or 0 when the buffer is null, no archive is open or the bytes are not all in the
    // file.
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t wanted,
                       std::size_t available);
    // The same, continuing from the current position.
    std::size_t ReadNext(void* buffer, std::size_t wanted, std::size_t available);
    // Absolute positioning; false outside 0..file size or when no archive is open.
    bool SeekTo(std::uint64_t offset);
    std::uint64_t Tell() const { return position_; }

    // The `count` bytes at `offset`, or nothing when they are not all in the file. Nothing is
    // allocated before the range is checked.
    std::optional<std::vector<std::uint8_t>> readBytes(std::uint64_t offset, std::size_t count);
    // An entry's data (dataSize bytes at dataOffset).
    std::optional<std::vector<std::uint8_t>> readEntryData(const ArchiveEntry& entry);

private:
    bool readExact(std::uint64_t offset, void* buffer, std::size_t count);
    bool readFromFile(std::uint64_t offset, std::uint8_t* out, std::size_t count);
    bool loadFromFile(std::uint64_t offset, std::uint8_t* out, std::size_t count);

    // The last few blocks read from the file: the slot table and the entries are read in two
    // interleaved runs, each served from its own block instead of a seek and read per field.
    static constexpr std::size_t kBlockSize = 16384;
    static constexpr std::size_t kBlockCount = 4;
    struct Block {
        std::uint64_t start = UINT64_MAX;
        std::size_t length = 0;
        std::uint64_t lastUse = 0;
        std::vector<std::uint8_t> bytes;
    };
    Block blocks_[kBlockCount];
    std::uint64_t useClock_ = 0;

    std::FILE* file_ = nullptr;
    bool inMemory_ = false;
    std::vector<std::uint8_t> image_;
    std::filesystem::path path_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
};

// Opens `archive` at `path`; on failure reports "Could Not open ZEV.PRJ" (caption "Error...",
// stop icon), leaves the archive closed and returns false.
bool OpenArchiveOrReport(ProjectArchive& archive, const std::filesystem::path& path,
                         common::Reporter& reporter);

// The archive file named by the configured project path. The setting normally names the game
// directory: a path that does not contain ".prj" (case-sensitive) gets "zev.prj" appended, found
// case-insensitively in that directory (game data copied from a CD often has upper-case
// names). A path that names an existing file is taken as it is, whatever its case.
std::filesystem::path CompleteArchivePath(const std::filesystem::path& configured);

} // namespace zev::gamedata
