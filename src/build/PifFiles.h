#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Program information files (PIF) for the DOS programs the editor starts on Windows: the
// assembler's "kort.pif" and the game's PIF. Both are 2857 bytes in the PIF layout: the basic
// section (369 bytes) closed by the "MICROSOFT PIFEX" heading, then headed sections
// "WINDOWS 386 3.0" and "WINDOWS 286 3.0", and a last section of the editor's own that carries a
// description and fills the file to its size. Each heading is 22 bytes: a 16-byte name, the
// offset of the next heading (0xFFFF after the last), the offset and the length of its data.
namespace zev::build {

constexpr std::size_t kPifSize = 2857;
constexpr std::size_t kPifBasicSize = 0x171;
constexpr std::size_t kPifHeadingSize = 22;

using PifImage = std::array<std::uint8_t, kPifSize>;

enum class PifWindow { Background, FullScreen };

// A PIF for `program` (a DOS file name such as "KORT.EXE"), titled `title`.
PifImage programInformationFile(std::string_view title, std::string_view program, PifWindow window);

// The assembler's PIF, written as "kort.pif" beside KORT.EXE.
const PifImage& assemblerPif();
// The game's PIF for the executable `program` (e.g. "ZEV.EXE").
PifImage gamePif(std::string_view program);

// The checksum byte of the basic section: the low byte of the sum of its bytes 2 to 0x170.
std::uint8_t pifChecksum(const PifImage& image);

} // namespace zev::build
