#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zev::gamedata {

// The 62 built-in chassis stems: lower-case names of at most 8 characters, one for each chassis
// type, the default launch chassis "vorlane" among them.
const std::vector<std::string>& builtInChassisStems();

// The built-in stems followed by those of "chassis.txt" in the program directory (one stem a
// line; blank lines and lines starting with '#' or ';' are skipped; stems are trimmed,
// lower-cased and cut to 8 characters; duplicates are dropped). A missing file adds nothing.
std::vector<std::string> loadChassisStems(const std::filesystem::path& programDirectory);

// The stem that makes a short name a chassis name: the first stem, in table order, whose first
// 4 characters equal the first 4 characters of the short name (ASCII letters compared without
// regard to case, since the archive stores upper-case names and the stems are lower-case).
// Empty when none matches.
std::string matchingChassisStem(std::string_view shortName, const std::vector<std::string>& stems);

} // namespace zev::gamedata
