#include "CliMain.h"

#include "platform/ProgramDirectory.h"
#include "version/Version.h"

#include <ostream>
#include <system_error>

namespace zev::cli {

namespace fs = std::filesystem;

namespace {

void printOverview(std::ostream& out, const std::vector<CliCommand>& commands) {
    out << "usage: zevedit-cli [--home DIR] COMMAND [ARGS...]\n"
           "       zevedit-cli --version\n\n"
           "Headless commands of ZEVEDIT 3D. --home names the program directory (default:\n"
           "$ZEVEDIT_HOME, else this program's directory when it holds zevedit.ini, else for an\n"
           "installed program the per-user directory). 'zevedit-cli COMMAND --help' tells more.\n\n"
           "commands:\n";
    for (const auto& c : commands)
        out << "  " << c.name << ' ' << c.synopsis << '\n';
}

} // namespace

std::vector<CliCommand> allCommands() {
    std::vector<CliCommand> commands;
    for (auto group : {
             missionCommands,
             archiveCommands,
             gameDataCommands,
             buildCommands,
             launchCommands,
             renderCommands,
             editCommands,
             tableCommands,
             paletteCommands,
             checkCommands,
         })
        for (auto& c : group())
            commands.push_back(std::move(c));
    return commands;
}

fs::path absolutePath(const fs::path& path) {
    return platform::absoluteNormalPath(path);
}

int runCommandLine(const std::vector<CliCommand>& commands, std::vector<std::string> args,
                   const std::string& environmentHome, const fs::path& executableDirectory,
                   std::ostream& out, std::ostream& err) {
    platform::ProgramDirectoryInputs inputs;
    inputs.environmentHome = environmentHome;
    inputs.executableDirectory = executableDirectory;
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        if (args[i] == "--home" && i + 1 < args.size()) {
            inputs.commandLineHome = args[++i];
        } else if (args[i] == "--version") {
            out << "zevedit-cli " << kVersion << '\n';
            return kExitOk;
        } else if (args[i] == "--help") {
            printOverview(out, commands);
            return kExitOk;
        } else {
            err << "zevedit-cli: unknown option " << args[i] << '\n';
            printOverview(err, commands);
            return kExitUsage;
        }
    }
    if (i >= args.size()) {
        printOverview(err, commands);
        return kExitUsage;
    }
    const std::string name = args[i];
    for (const auto& command : commands) {
        if (command.name != name)
            continue;
        std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                      args.end());
        if (rest.size() == 1 && (rest[0] == "--help" || rest[0] == "-h")) {
            out << "usage: zevedit-cli " << command.name << ' ' << command.synopsis << "\n\n"
                << command.help << '\n';
            return kExitOk;
        }
        for (std::size_t a = 0; a + 1 < rest.size(); ++a)
            if (rest[a] == "--archive") {
                rest[a + 1] = absolutePath(rest[a + 1]).string();
                ++a;
            }
        // Resolved (and a per-user directory seeded) only for a command that runs.
        StreamReporter reporter(err);
        const platform::ProgramDirectory home = platform::resolveProgramDirectory(inputs, reporter);
        if (!home.ready)
            return kExitFailed;
        CliContext context{std::move(rest),       home.directory, reporter, out, err,
                           home.defaultsDirectory};
        return command.run(context, command);
    }
    err << "zevedit-cli: unknown command '" << name << "'\n";
    printOverview(err, commands);
    return kExitUsage;
}

} // namespace zev::cli
