#pragma once

#include "mission/MissionHeader.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The sky and ground parameters of the game's 1.1 patch: the 145-byte "skygnd.par" member of
// the mission package and the mission's line in the game's own text file "skygnd.par".
namespace zev::build {

// The mission type of the 3dfx mission options, from the header's patch and 3dfx flags.
enum class MissionType { DosStandard, Patch8Bit, Patch3dfx };
MissionType missionType(const mission::MissionHeader& header);
bool isPatchMission(const mission::MissionHeader& header);

constexpr std::size_t kSkyGroundMemberSize = 1 + 4 * mission::MissionHeader::dfxOptionCount;

// One byte, 1 for a "1.1 3dfx Patch" mission and 0 otherwise, then the 36 option values as the
// header stores them (little-endian 32-bit words).
std::array<std::uint8_t, kSkyGroundMemberSize>
skyGroundParameters(const mission::MissionHeader& header);

// The mission's line: the full form for a "1.1 3dfx Patch" mission, the short form (the first
// eight values) otherwise. Numbers are written the same in every locale.
std::string skyGroundLine(const mission::MissionHeader& header, std::string_view project);

// Whether a line of the file is the line of `project`: it holds no "#", and the value of its
// first "mission=" key (the key in any case, at the start or after a blank or tab; the value up
// to the next blank, tab or the line's end) is the project name in any case.
bool isSkyGroundLineOf(std::string_view line, std::string_view project);

// The file's text with the mission's line put in: the last line of the project is overwritten
// (the new line padded with blanks to its length, its line end kept), else the line is appended
// after "# Added by ZEVEDIT 3D". New line ends follow the file's own (CR LF when it has none).
std::string updatedSkyGroundText(std::string_view text, std::string_view project,
                                 std::string_view line);

// Updates "skygnd.par" in the game directory (found in any case, created when missing). The
// file is rewritten through a temporary file, so a failure leaves it as it was. A project name
// the commands refuse (projectNameProblem) is refused here too, the file left alone.
bool updateSkyGroundFile(const std::filesystem::path& gameDirectory, std::string_view project,
                         std::string_view line);

} // namespace zev::build
