#pragma once

#include "ProjectArchive.h"

#include "common/ByteRecord.h"
#include "common/FindData.h"
#include "common/Reporter.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The three index files the editor builds from the project archive into its program directory:
// "WTB.IDX" (every geometry of section "POLY" by long name, with the data offset), "MEK.IDX"
// (every unit configuration of section "MEK" by short name) and "CHS.IDX" (the entries of
// section "BWD" whose names are chassis names). Each starts with a 324-byte header: a 4-byte
// magic and the archive's find-data record as it was at build time; fixed-size records follow
// to the end of the file, in entry-number order, beginning with the empty record of entry 0.
namespace zev::gamedata {

enum class IndexKind { Poly, Mek, Chassis };

struct IndexFileInfo {
    const char* sectionTag; // "POLY", "MEK", "BWD"
    const char* fileName;   // "WTB.IDX", "MEK.IDX", "CHS.IDX"
    const char* magic;      // "IDX", "MEK", "CHS" (stored with one NUL byte)
    std::size_t recordSize; // 24, 16, 16
};
const IndexFileInfo& indexFileInfo(IndexKind kind);

constexpr std::size_t kIndexHeaderSize = 324;
constexpr std::size_t kIndexMagicSize = 4;

struct IndexHeader : common::ByteRecord<kIndexHeaderSize> {
    static constexpr common::TextField magic{0, kIndexMagicSize};
    static constexpr std::size_t findDataOffset = 4;
    common::FindDataRecord findData() const;
    void setFindData(const common::FindDataRecord& record);
};

// WTB.IDX record (24 bytes).
struct GeometryIndexRecord : common::ByteRecord<24> {
    static constexpr common::TextField longName{0, 16};
    static constexpr common::Int32Field dataOffset{16};
    static constexpr common::Int32Field number{20};
};

// MEK.IDX and CHS.IDX record (16 bytes).
struct NameIndexRecord : common::ByteRecord<16> {
    static constexpr common::TextField shortName{0, 12};
    static constexpr common::Int32Field number{12};
};

// Where an index file of the program directory is: an existing file of that name in any case,
// else the upper-case name.
std::filesystem::path indexFilePath(const std::filesystem::path& programDirectory, IndexKind kind);

// Index builders. Each needs the archive already open and writes its file into the program
// directory; returns the section's entry count n, or 0 when the section is missing, an entry
// cannot be read (damaged archive), the archive's find-data cannot be taken or the file cannot
// be written (the file is written through a temporary file, so a failed build leaves the file
// that was there). Entries 0 to n - 1 are indexed: entry 0 gives the empty record, entry n is
// left out. `archivePath` is the archive file whose find-data record goes into the header.
// When one fails, `failure` (when given) names the file in question and why.
struct IndexBuildFailure {
    std::filesystem::path path;
    std::string reason;
};
std::uint32_t BuildPolyIndex(ProjectArchive& archive, const std::filesystem::path& archivePath,
                             const std::filesystem::path& programDirectory,
                             IndexBuildFailure* failure = nullptr);
std::uint32_t BuildMekIndex(ProjectArchive& archive, const std::filesystem::path& archivePath,
                            const std::filesystem::path& programDirectory,
                            IndexBuildFailure* failure = nullptr);
// Uses the stems of loadChassisStems(programDirectory).
std::uint32_t BuildChassisIndex(ProjectArchive& archive, const std::filesystem::path& archivePath,
                                const std::filesystem::path& programDirectory,
                                IndexBuildFailure* failure = nullptr);

// The index file image itself, for a given header record (no file system access besides the
// archive reads); nothing when the section is missing or an entry cannot be read.
std::optional<std::vector<std::uint8_t>>
buildIndexImage(ProjectArchive& archive, IndexKind kind, const common::FindDataRecord& findData,
                const std::vector<std::string>& chassisStems, std::uint32_t& entryCount);

// The freshness check: completes the configured archive path (CompleteArchivePath), takes the
// archive's find-data record and requires WTB.IDX, MEK.IDX and CHS.IDX of the program directory
// to exist with the right magic and the archive's creation time, last-write time and size.
// Attributes, last-access time and names are not compared. True when all three pass (the
// index-current flag).
bool CheckIndexFiles(const std::filesystem::path& configuredArchivePath,
                     const std::filesystem::path& programDirectory);

// Why an index file is not current, for the command line and tests; empty when it is.
std::string indexStaleReason(const std::filesystem::path& configuredArchivePath,
                             const std::filesystem::path& programDirectory);

// The same check for one index file, from its first bytes (the header, or the whole file when
// it is shorter) and the archive's current find-data record; empty when the file is current.
std::string indexHeaderStaleReason(IndexKind kind, std::span<const std::uint8_t> fileStart,
                                   const common::FindDataRecord& archiveData);

// The notice of an object drop while the indexes are not current (caption "ZEVEDIT 3D",
// information icon).
extern const char* const kIndexOutOfDateMessage;

// ---- Geometry lookup (WTB.IDX) ----

// The first WTB.IDX record, in file order, whose name matches `objectName`: a record name of
// length m >= 4 matches when the object name starts with the record name less its last 4
// characters (its extension); a shorter record name matches only an identical object name.
// So "abc12" is found through "abc1.xyz", and the empty first record matches only "".
bool geometryNameMatches(std::string_view recordName, std::string_view objectName);

struct GeometryLocation {
    std::uint32_t dataOffset = 0;
    std::uint32_t number = 0;
    std::string recordName;
};

// WTB.IDX records held in memory for fast lookups; `find` keeps the first-match rule of
// geometryNameMatches with a few hash lookups per name instead of a pass over the file.
class GeometryIndex {
public:
    // Parses a WTB.IDX image: the header is skipped, a partial last record ignored. An image
    // shorter than the header has no records.
    static GeometryIndex fromImage(std::span<const std::uint8_t> image);
    std::optional<GeometryLocation> find(std::string_view objectName) const;
    std::size_t size() const { return records_.size(); }

private:
    struct Record {
        std::string name;
        std::uint32_t dataOffset;
        std::uint32_t number;
    };
    std::vector<Record> records_;
    // key -> first record index: prefix keys (name less its 4-character extension) and exact
    // keys (names shorter than 4 characters).
    std::unordered_map<std::string, std::size_t> prefixKeys_;
    std::unordered_map<std::string, std::size_t> exactKeys_;
    std::size_t longestPrefix_ = 0;
};

// The process-wide cache of WTB.IDX: reloaded whenever the file's size, modification time or
// identity changes, and dropped by the index builders. Single-threaded use, like the editor.
const GeometryIndex* cachedGeometryIndex(const std::filesystem::path& indexFile);
void forgetCachedGeometryIndexes();

// The WTB.IDX lookup: opens the project archive at `archivePath` into `archive` (failure: the
// last-error text becomes "Could Not open ZEV.PRJ"), reads WTB.IDX of the program directory
// ("Could Not open WTB.IDX"; the archive is closed again) and finds the object
// ("Object not Found in GEO Table"; the archive is closed again). On success the archive stays
// open for the geometry converter, which reads the data at the returned offset and closes it.
std::optional<GeometryLocation> FindGeometry(ProjectArchive& archive,
                                             const std::filesystem::path& archivePath,
                                             const std::filesystem::path& programDirectory,
                                             std::string_view objectName, std::string& lastError);

// ---- Launch lookups (MEK.IDX, CHS.IDX) ----

struct LaunchRecord {
    std::string name;
    std::uint32_t number = 0;
};

enum class LaunchLookup { Found, FileMissing, NotFound };

// The first record of MEK.IDX or CHS.IDX (kind Mek or Chassis) whose name equals `name`
// exactly (case-sensitive).
LaunchLookup FindLaunchRecord(const std::filesystem::path& programDirectory, IndexKind kind,
                              std::string_view name, LaunchRecord& record);

// The launch command's lookups with their messages: "Could Not open CHS.IDX" /
// "Could Not open MEK.IDX" (caption "Error...") and "Selected Launch Mek Chassis not Found" /
// "Selected Launch Mek Configuration not Found" (caption "Error"), stop icon.
std::optional<LaunchRecord> findLaunchChassis(const std::filesystem::path& programDirectory,
                                              std::string_view chassis, common::Reporter& reporter);
std::optional<LaunchRecord> findLaunchConfiguration(const std::filesystem::path& programDirectory,
                                                    std::string_view configuration,
                                                    common::Reporter& reporter);

// The launch selection dialog's lists: every record name longer than 4 characters, once,
// sorted. A missing file reports "Could Not open CHS.IDX" or "Could Not open MEK.IDX"
// (caption "Error...", stop icon) and leaves its list empty; CHS.IDX is read first.
struct LaunchSelectionLists {
    std::vector<std::string> chassis;        // from CHS.IDX
    std::vector<std::string> configurations; // from MEK.IDX
};
LaunchSelectionLists readLaunchSelectionLists(const std::filesystem::path& programDirectory,
                                              common::Reporter& reporter);

// The record names of an index file in file order (empty when the file is missing).
std::vector<LaunchRecord> readNameIndex(const std::filesystem::path& programDirectory,
                                        IndexKind kind);

// The records of a MEK.IDX or CHS.IDX image in file order: the header is skipped, a partial
// last record ignored. An image shorter than the header has no records.
std::vector<LaunchRecord> nameIndexRecords(std::span<const std::uint8_t> image);

// One list of the launch selection dialog: the names longer than 4 characters, once each,
// sorted ignoring case (names equal but for case in byte order).
std::vector<std::string> launchSelectionList(const std::vector<LaunchRecord>& records);

} // namespace zev::gamedata
