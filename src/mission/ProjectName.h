#pragma once

#include <cstddef>
#include <string_view>

namespace zev::mission {

// A project name prefixes every generated file, names the project's source directory and the
// mission package, and travels on the assembler's and the game's command lines.
constexpr std::size_t kProjectNameMaxLength = 4;

constexpr const char* kNoProjectName = "No Project Name Specified!";
constexpr const char* kProjectNameTooLong = "Project Name May Have At Most 4 Characters!";
constexpr const char* kProjectNameEscapes =
    "Project Name May Not Contain Path Separators or \"..\"!";
constexpr const char* kProjectNameUnsafe =
    "Project Name May Not Contain Blanks, Control Characters or Any of * ? \" < > | & ^ % #";

// Why `name` cannot be a project name, or null when it can: not empty, at most 4 characters,
// no path separator, drive colon, ".." or "." alone (it must stay inside its directories), and
// nothing a file name, a command line or the game's "skygnd.par" (where "#" starts a comment)
// cannot carry as it stands.
const char* projectNameProblem(std::string_view name);

} // namespace zev::mission
