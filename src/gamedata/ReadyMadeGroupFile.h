#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Ready-made group files (".bwd" in the directory "RMG" beside the project archive): a 52-byte
// header that starts with "BWD" and a NUL byte, then chunks of a 4-byte tag and a 4-byte signed
// size (of the whole chunk). A chunk tagged "OBJ" is one member: its 8-byte header followed by a
// 52-byte member record. Other chunks are skipped by their size.
namespace zev::gamedata {

inline constexpr const char* kGroupFileOpenError = "Could not Open BWD File!";
inline constexpr const char* kNotAReadyMadeGroupError = "Is Not a Ready Made Group (BWD file)!";

namespace rmg {
constexpr std::size_t kHeaderSize = 52;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kMemberRecordSize = 52;
} // namespace rmg

struct ReadyMadeMemberRecord {
    std::array<std::int16_t, 3> scale{};    // used as factors
    std::array<std::int32_t, 3> rotation{}; // whole degrees about X, Y, Z (Z stored in 16 bits)
    std::array<std::int16_t, 3> position{}; // game units relative to the group
    std::int32_t entryNumber = 0;           // geometry entry number, as in WTB.IDX

    friend bool operator==(const ReadyMadeMemberRecord&, const ReadyMadeMemberRecord&) = default;
};

// Reads the member records of a group file in file order. Fails with kNotAReadyMadeGroupError
// when the header is missing or wrong. The chunk walk ends at the end of the file, at a short
// chunk header or member record, and at a chunk whose size is below its own header (a damaged
// file that would otherwise be walked backwards without end).
bool parseReadyMadeGroup(std::span<const std::uint8_t> file,
                         std::vector<ReadyMadeMemberRecord>& members, std::string& lastError);

// A group file holding `members`, each as an "OBJ" chunk. `extraChunks` are written before the
// members as they are (whole chunks, header included).
std::vector<std::uint8_t>
encodeReadyMadeGroup(const std::vector<ReadyMadeMemberRecord>& members,
                     const std::vector<std::vector<std::uint8_t>>& extraChunks = {});

// One chunk with the given tag (up to 4 characters) and body.
std::vector<std::uint8_t> makeChunk(const std::string& tag, std::span<const std::uint8_t> body);

} // namespace zev::gamedata
