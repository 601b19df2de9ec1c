#pragma once

#include "MissionDocument.h"
#include "ScenePositions.h"

#include "common/Reporter.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zev::mission {

// The mission file (".mdb"): tagged sections in one fixed order, the records as they are.
namespace MissionFile {

// Takes positions from `positions`, stamps the header (version 3.0, creator, patch flag from
// `patchSetting`) and writes the file through a temporary file beside `path`, so a failed save
// leaves the old file as it was. The briefings go straight from memory into the file: no
// shared scratch file that another editor could overwrite. Clears the modified and untitled
// flags on success.
bool save(MissionDocument& document, const std::filesystem::path& path,
          const ScenePositions& positions, std::uint8_t patchSetting, common::Reporter& reporter);

// Checks the first tag, then reads the whole file into a new document; only when all of it is
// valid does it replace `document` and copy the header's patch flag into `patchSetting`. On
// failure the message is reported and `document` stays exactly as it was. Only regular files
// are read.
bool open(MissionDocument& document, std::uint8_t& patchSetting, const std::filesystem::path& path,
          common::Reporter& reporter);

// The first tag of a file, which tells a mission file before the rest is read.
bool hasMissionTag(std::span<const std::uint8_t> prefix);

// The file image of a document whose positions are already refreshed: objects in `order`
// (slot numbers) with the given briefing bytes.
std::vector<std::uint8_t> encode(const MissionDocument& document, const std::vector<int>& order);

enum class DecodeError {
    None,
    UnknownFileType, // first tag or creator text wrong, or no header
    UnknownEntry,    // a section tag out of place
    BadObjectCount,  // negative or above 500
    EndNotFound,     // the file ends early or the final tag is missing
};

struct Decoded {
    std::unique_ptr<MissionDocument> document;
    DecodeError error = DecodeError::None;
};

// Parses a file image; no file system access. Every read is checked against the image size.
Decoded decode(std::span<const std::uint8_t> image);

} // namespace MissionFile

} // namespace zev::mission
