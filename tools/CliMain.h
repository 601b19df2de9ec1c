#pragma once

#include "CliCommand.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace zev::cli {

// Every command of the tool, in the order `--help` lists them.
std::vector<CliCommand> allCommands();

// An absolute, lexically normal path: "home/./x/.." from /work is "/work/home". Relative program
// directories and archives break every emulated run, which starts in the program directory and
// mounts the paths from there. An empty path stays empty (platform::absoluteNormalPath).
std::filesystem::path absolutePath(const std::filesystem::path& path);

// Runs the tool's command line (the words after the program name): the global options, then a
// command and its arguments. The program directory is chosen by platform::resolveProgramDirectory
// from --home, `environmentHome` (ZEVEDIT_HOME) and `executableDirectory`; it and every --archive
// reach the command absolute.
int runCommandLine(const std::vector<CliCommand>& commands, std::vector<std::string> args,
                   const std::string& environmentHome,
                   const std::filesystem::path& executableDirectory, std::ostream& out,
                   std::ostream& err);

} // namespace zev::cli
