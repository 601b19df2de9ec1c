#pragma once

#include "MissionDocument.h"
#include "ScenePositions.h"

#include "common/Reporter.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zev::mission {

// The mission file (".mdb"): tagged sections in one fixed order, the records as they are.
namespace MissionFile {

// The largest mission file Open reads: a mission is some 290 KB and its briefings a few
// kilobytes each, so this is far above any the editor writes, and a huge file (a good mission
// with gigabytes behind it) is refused before it is read.
constexpr std::uintmax_t kMaxFileSize = 32u << 20;

// Takes positions from `positions`, stamps the header (version 3.0, creator, patch flag from
// `patchSetting`) and writes the file through a temporary file beside `path`, so a failed save
// leaves the old file as it was. The briefings go straight from memory into the file: no
// shared scratch file that another editor could overwrite. Clears the modified and untitled
// flags on success.
bool save(MissionDocument& document, const std::filesystem::path& path,
          const ScenePositions& positions, std::uint8_t patchSetting, common::Reporter& reporter);

// The first tag of a file, which tells a mission file before the rest is read.
bool hasMissionTag(std::span<const std::uint8_t> prefix);

// Whether Open takes `tag` (four bytes) as the tag with these three letters: they stand in
// sequence before any NUL.
bool tagAccepted(std::span<const std::uint8_t> tag, std::string_view letters);

using Tag = std::array<std::uint8_t, 4>;

// What frames the records in a file: the section tags as the file holds them (Open takes
// variants of each, Save writes the standard ones) and any bytes after the final tag. Writing
// a decoded document with its framing gives the file back byte for byte.
struct Framing {
    Tag mission;
    std::array<Tag, kPlayerCount> startPoints;
    std::array<Tag, kStarCount> stars;
    std::array<Tag, kObjectiveTableCount> objectives;
    Tag weather;
    Tag palette;
    std::array<Tag, kBriefingCount> briefings;
    Tag end;
    std::vector<std::uint8_t> afterEnd;

    // The tags Save writes, nothing after the end.
    static Framing standard();
    friend bool operator==(const Framing&, const Framing&) = default;
};

// The file image of a document whose positions are already refreshed: objects in `order`
// (slot numbers) with the given briefing bytes.
std::vector<std::uint8_t> encode(const MissionDocument& document, const std::vector<int>& order,
                                 const Framing& framing = Framing::standard());

// Writes the document exactly as it stands, objects in slot order, with `framing`: no header
// stamp and no positions refreshed. Through a temporary file as `save`; reports as `save`.
bool saveAsStored(const MissionDocument& document, const Framing& framing,
                  const std::filesystem::path& path, common::Reporter& reporter);

enum class DecodeError {
    None,
    UnknownFileType, // first tag or creator text wrong, or no header
    UnknownEntry,    // a section tag out of place
    BadObjectCount,  // negative or above 500
    EndNotFound,     // the file ends early or the final tag is missing
};

struct Decoded {
    std::unique_ptr<MissionDocument> document;
    Framing framing = Framing::standard();
    DecodeError error = DecodeError::None;
};

// Parses a file image; no file system access. Every read is checked against the image size.
Decoded decode(std::span<const std::uint8_t> image);

// Checks the first tag, then reads the whole file into a new document; only when all of it is
// valid does it replace `document` and copy the header's patch flag into `patchSetting` (and
// the file's framing into `framing`, when given). On failure the message is reported and
// `document` stays exactly as it was. Only regular files of at most `kMaxFileSize` are read.
bool open(MissionDocument& document, std::uint8_t& patchSetting, const std::filesystem::path& path,
          common::Reporter& reporter, Framing* framing = nullptr);

} // namespace MissionFile

} // namespace zev::mission
