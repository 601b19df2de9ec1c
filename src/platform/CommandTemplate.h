#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Emulator command templates: the command that runs a DOS program or the game's Windows
// executable away from Windows, e.g.
//   dosbox -noautoexec -c "mount c \"{progdir}\"" -c "mount d \"{gamedir}\"" -c "c:"
//          -c "{cmd}" -c "exit"
// The template is split into words at blanks; double quotes group a word (and are dropped), and
// \" inside a template stands for a plain double quote. Each word then has its placeholders
// replaced: {progdir} the program directory, {gamedir} the game directory, {cd} the CD
// location, {cmd} the command line. A bare unquoted {cmd} word stands for the command line's own
// words (split at blanks, double quotes grouping), so "wine {cmd}" starts the program the
// command line names with its arguments; within a quoted word {cmd} is the whole line as text.
namespace zev::platform {

struct TemplateWord {
    std::string text;
    bool quoted = false;
};

// The words of a template; nothing when a double quote is left open.
std::optional<std::vector<TemplateWord>> splitTemplate(std::string_view commandTemplate);

// The words of a command line: blanks separate, double quotes group and are dropped.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

struct TemplateValues {
    std::string progdir;
    std::string gamedir;
    std::string cd;
    std::string cmd;
};

std::vector<std::string> expandTemplate(const std::vector<TemplateWord>& words,
                                        const TemplateValues& values);

// A template that names {progdir} or {gamedir} mounts those directories as the program's
// drives C: and D:; any other template runs the program on the host's own file system.
bool templateMountsDirectories(std::string_view commandTemplate);

// A host path as a program running under Wine sees it through its drive Z:.
std::string wineDrivePath(const std::filesystem::path& path);

// The default templates: DOSBox for DOS programs, Wine for the game's Windows executable.
extern const char* const kDefaultDosTemplate;
extern const char* const kDefaultWindowsTemplate;

} // namespace zev::platform
