#pragma once

#include "gamedata/ArchiveWriter.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zev::gamedata::test {

// A small archive with the three sections the editor reads:
//   POLY: tower1.geo (TOWER1), abc1.xyz (ABC1), abc12.geo (ABC12), wall.geo (WALL), end
//   MEK:  VRL00STD, KST01HVY, MNT, END
//   BWD:  VORLANE, HALBERD, VORLXTRA, SOUNDFX, MANTIS, END
ArchiveWriter knownArchive();

std::vector<std::uint8_t> bytesOf(const std::string& text);
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Little-endian helpers over a byte image, for checking and damaging layouts in tests.
std::uint32_t u32At(const std::vector<std::uint8_t>& image, std::size_t offset);
void setU32(std::vector<std::uint8_t>& image, std::size_t offset, std::uint32_t value);
void setU16(std::vector<std::uint8_t>& image, std::size_t offset, std::uint16_t value);
std::string textAt(const std::vector<std::uint8_t>& image, std::size_t offset, std::size_t width);

} // namespace zev::gamedata::test
