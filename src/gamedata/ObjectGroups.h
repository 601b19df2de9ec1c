#pragma once

#include "common/Reporter.h"
#include "gamedata/ObjectGroupRecord.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// Object group files: "data/odb/<group>.odb" under the program directory, each a flat run of
// 365-byte object records in the order they were added. The file name up to its first "." is
// the group's name. A size that is not a whole number of records ends in a partial record that
// no reader lists.
namespace zev::gamedata {

// Texts of the editors that work on these files (captions in the comments).
inline constexpr const char* kGroupListOpenError = "FileError..."; // "Could Not Open File!"
inline constexpr const char* kGroupListOpenCaption = "Could Not Open File!";
inline constexpr const char* kRecordOpenError = "Could not open File!"; // "File Error.."
inline constexpr const char* kRecordOpenCaption = "File Error..";
inline constexpr const char* kGroupWriteError = "Error Opening Data Group File(odb)!";
inline constexpr const char* kDropOpenError = "Could Not open Object Group File..."; // "Error..."
inline constexpr const char* kCreateGroupCaption = "Error Creating File!"; // text: the path
inline constexpr const char* kDeleteGroupError = "Error deleting ODB File..";
inline constexpr const char* kDeleteGroupCaption = "Object Database";
inline constexpr const char* kBadGroupNameError =
    "An Object Group name may not contain a path separator or \".\"!";
inline constexpr const char* kNewGroupCaption = "New Object Group Creation";

std::filesystem::path objectGroupDirectory(const std::filesystem::path& programDirectory);

// The group files' names with extension (".odb", compared without regard to case), sorted by
// name without regard to case, as the database editors list them.
std::vector<std::string> listObjectGroupFiles(const std::filesystem::path& programDirectory);
// The name up to the first ".".
std::string groupNameFromFileName(std::string_view fileName);
// The group names in the order of listObjectGroupFiles, as the main window's tabs show them.
std::vector<std::string> listObjectGroupNames(const std::filesystem::path& programDirectory);

// "<name>.odb" in the group directory (an existing file found without regard to case).
std::filesystem::path objectGroupPath(const std::filesystem::path& programDirectory,
                                      std::string_view groupName);
// A listed file name in the group directory.
std::filesystem::path objectGroupFilePath(const std::filesystem::path& programDirectory,
                                          std::string_view fileName);

// The menu texts of a group in record order, as the main window lists them: an empty name or a
// file that does not open gives an empty list, silently.
std::vector<std::string> listMenuTexts(const std::filesystem::path& programDirectory,
                                       std::string_view groupName);

// The most records a group file may hold (some 24 MB): far more than a designer keeps in one
// group, and a larger file is refused before it is read.
inline constexpr std::size_t kMaxObjectGroupRecords = 65536;

// Every whole record of a group file; nothing when it does not open or is larger than
// kMaxObjectGroupRecords records (`reason` says why).
std::optional<std::vector<ObjectGroupRecord>> readObjectGroup(const std::filesystem::path& file,
                                                              std::error_code* reason = nullptr);
// Whether any record carries the creator tag this editor writes: a file without one is no
// object group (a stray or damaged file) and its rows would list garbage.
bool hasEditorRecords(const std::vector<ObjectGroupRecord>& records);
// Record `index`; nothing when the file does not open or holds no whole record there.
std::optional<ObjectGroupRecord> readObjectRecord(const std::filesystem::path& file,
                                                  std::size_t index,
                                                  std::error_code* reason = nullptr);
// Overwrites record `index` in place; false when the file does not open or has no whole record
// there.
bool rewriteObjectRecord(const std::filesystem::path& file, std::size_t index,
                         const ObjectGroupRecord& record);
// Adds a record at the end (creating the file when missing). A partial record at the end is
// replaced, so the new record starts on a whole-record boundary.
bool appendObjectRecord(const std::filesystem::path& file, const ObjectGroupRecord& record);
// Rewrites the file without record `index` (the partial tail is dropped too). The new file
// replaces the old one only when completely written. False, leaving the file as it was, when it
// does not open or `index` is not one of its records.
bool deleteObjectRecord(const std::filesystem::path& file, std::size_t index);

// A name typed for a new group: no path separator and no "." (the group is its file's name up to
// the first "."), so "<name>.odb" stays in the group directory and lists as `name` again.
bool isAcceptableGroupName(std::string_view name);
// A group file as listed (any file of the group directory, also one an older version made such as
// "x..odb"): a plain file name, never a path. Create writes and Delete removes only such names.
bool isGroupFileName(std::string_view fileName);
// Creates "<name>.odb" empty (an existing file of that name is emptied). Refuses names with a
// path separator or "." (kBadGroupNameError, caption kNewGroupCaption, stop icon); a file that
// cannot be created shows its path with caption kCreateGroupCaption (information icon).
bool createObjectGroup(const std::filesystem::path& programDirectory, std::string_view name,
                       common::Reporter& reporter);
// Removes a listed group file; failure: kDeleteGroupError, caption kDeleteGroupCaption, stop.
bool deleteObjectGroup(const std::filesystem::path& programDirectory, std::string_view fileName,
                       common::Reporter& reporter);

} // namespace zev::gamedata
