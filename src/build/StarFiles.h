#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The star files of the game's chunked binary format: the empty star file the assembler
// resolves the scene's star includes against, and the player's star file that tells the game
// which unit to start the player in.
namespace zev::build {

constexpr std::size_t kEmptyStarFileSize = 52;
constexpr std::size_t kPlayerStarFileSize = 152;
constexpr int kStarFileCount = 9;

// "en0Nstar.bwd" for N = 0 to 8.
std::string starFileName(int number);

// "BWD" file of 52 bytes with an empty "REV" 1.22 and "DTBL" chunk.
const std::array<std::uint8_t, kEmptyStarFileSize>& emptyStarFile();

// The player's star file: the launch configuration (MEK.IDX entry) and chassis (CHS.IDX entry)
// by number and name. Names are cut to 8 characters.
std::array<std::uint8_t, kPlayerStarFileSize> playerStarFile(std::string_view chassis,
                                                             std::uint16_t chassisNumber,
                                                             std::string_view configuration,
                                                             std::uint16_t configurationNumber);

} // namespace zev::build
