#pragma once

#include "gamedata/Mesh.h"
#include "gamedata/Placement.h"
#include "gamedata/ReadyMadeGroupFile.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zev::gamedata {

// A member whose geometry entry number is this one is never shown.
inline constexpr std::int32_t kSkippedMemberEntry = 8697;
// Tag and name of the workspace frame of a group member.
inline constexpr std::int32_t kGroupMemberTag = 3000;
inline constexpr const char* kGroupMemberName = "RMG FRAME";

inline constexpr const char* kIndexOpenError = "Could Not open WTB.IDX";
inline constexpr const char* kArchiveOpenError = "Could Not open ZEV.PRJ";

// What a group needs of the game data: the geometry index by entry number and the archive.
class GroupGeometrySource {
public:
    enum class Lookup { Found, Missing, IndexUnavailable };
    virtual ~GroupGeometrySource() = default;
    // The data offset of the geometry with this entry number.
    virtual Lookup findEntry(std::int32_t entryNumber, std::uint32_t& dataOffset) = 0;
    // The geometry bytes at a data offset (as many as the geometry may need, or up to the end of
    // the archive); false when the archive cannot be read.
    virtual bool geometryAt(std::uint32_t dataOffset, std::vector<std::uint8_t>& bytes) = 0;
};

struct ReadyMadeMember {
    ReadyMadeMemberRecord record;
    Mesh mesh;           // already scaled by the member's scale
    Placement placement; // relative to the group: position in workspace units and rotations
};

struct ReadyMadeGroup {
    std::vector<ReadyMadeMember> members;
};

// Builds the members of a group file. Members whose entry number is not in the index, and
// members of entry kSkippedMemberEntry, are skipped without error. When the index cannot be read
// the member loading stops with kIndexOpenError in `lastError`, yet the group succeeds with the
// members it has. An unreadable archive (kArchiveOpenError) or geometry fails the group; the
// members built before stay in `group`.
bool buildReadyMadeGroup(std::span<const std::uint8_t> file, GroupGeometrySource& source,
                         ReadyMadeGroup& group, std::string& lastError);

} // namespace zev::gamedata
