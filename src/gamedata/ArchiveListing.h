#pragma once

#include "ProjectArchive.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zev::gamedata {

// The diagnostic listing of a section: writes `listingPath` (normally "info.txt" in the current
// directory) with one line per entry number 0 to n - 1, formatted
// "%4d.  %08lX  %-8s  %-12s  %6ld" (number, data offset, short name, long name, data size) and
// ended by CR LF; number 0 gives the cleared record. Returns n. When the section is missing,
// `diagnostic` becomes "Can't find index for TAG in ZEV.PRJ\n" and the result is 0; an entry that
// cannot be read (a damaged archive) or a file that cannot be written also give 0.
std::uint32_t ListSection(ProjectArchive& archive, std::string_view tag,
                          const std::filesystem::path& listingPath, std::string& diagnostic);

// One line of the listing, without its line end.
std::string listingLine(std::uint32_t number, const ArchiveEntry& entry);

} // namespace zev::gamedata
