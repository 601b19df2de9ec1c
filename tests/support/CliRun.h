#pragma once

#include "CliCommand.h"
#include "CliMain.h"

#include "common/Reporter.h"
#include "mission/MissionFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

// Runs a command of the command-line tool in-process and keeps what it printed.
struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

inline CommandRun runCli(const std::filesystem::path& home,
                         const std::vector<zev::cli::CliCommand>& commands, const std::string& name,
                         std::vector<std::string> args) {
    std::ostringstream out, err;
    zev::cli::StreamReporter reporter(err);
    zev::cli::CliContext context{std::move(args), home, reporter, out, err};
    for (const auto& command : commands)
        if (command.name == name)
            return {command.run(context, command), out.str(), err.str()};
    return {-1, "", "no such command"};
}

// The same over several groups of commands, e.g. {missionCommands, buildCommands}.
inline CommandRun runCli(const std::filesystem::path& home,
                         std::initializer_list<std::vector<zev::cli::CliCommand> (*)()> groups,
                         const std::string& name, std::vector<std::string> args) {
    std::vector<zev::cli::CliCommand> commands;
    for (auto group : groups)
        for (auto& c : group())
            commands.push_back(std::move(c));
    return runCli(home, commands, name, std::move(args));
}

// A whole command line as zevedit-cli gets it after its name, `environmentHome` standing for
// ZEVEDIT_HOME and `executableDirectory` for the program's own directory.
inline CommandRun runCommandLine(const std::vector<zev::cli::CliCommand>& commands,
                                 std::vector<std::string> args,
                                 const std::string& environmentHome = {},
                                 const std::filesystem::path& executableDirectory = {}) {
    std::ostringstream out, err;
    const int status = zev::cli::runCommandLine(commands, std::move(args), environmentHome,
                                                executableDirectory, out, err);
    return {status, out.str(), err.str()};
}

// A mission file a command wrote, as the editor would open it.
inline zev::mission::MissionDocument openMissionFile(const std::filesystem::path& path) {
    zev::mission::MissionDocument document;
    std::uint8_t patch = 0;
    zev::common::SilentReporter silent;
    EXPECT_TRUE(zev::mission::MissionFile::open(document, patch, path, silent));
    return document;
}
