#include "CliMain.h"

#include <ostream>
#include <system_error>

namespace zev::cli {

namespace fs = std::filesystem;

namespace {

void printOverview(std::ostream& out, const std::vector<CliCommand>& commands) {
    out << "usage: zevedit-cli [--home DIR] COMMAND [ARGS...]\n\n"
           "Headless commands of ZEVEDIT 3D. --home names the program directory (default: the\n"
           "directory of this program, or $ZEVEDIT_HOME). 'zevedit-cli COMMAND --help' tells "
           "more.\n\n"
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
    if (path.empty())
        return path;
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec)
        return path;
    absolute = absolute.lexically_normal();
    // "home/" names the directory itself: drop the empty last element.
    if (!absolute.has_filename() && absolute.has_relative_path())
        absolute = absolute.parent_path();
    return absolute;
}

int runCommandLine(const std::vector<CliCommand>& commands, std::vector<std::string> args,
                   const std::string& environmentHome, const fs::path& executableDirectory,
                   std::ostream& out, std::ostream& err) {
    fs::path home = environmentHome;
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        if (args[i] == "--home" && i + 1 < args.size()) {
            home = args[++i];
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
    home = absolutePath(home.empty() ? executableDirectory : home);

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
        StreamReporter reporter(err);
        CliContext context{std::move(rest), home, reporter, out, err};
        return command.run(context, command);
    }
    err << "zevedit-cli: unknown command '" << name << "'\n";
    printOverview(err, commands);
    return kExitUsage;
}

} // namespace zev::cli
