// zevedit-cli: headless commands over the editor's core for modders and scripts.

#include "CliCommand.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace fs = std::filesystem;
using namespace zev::cli;

namespace {

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
         })
        for (auto& c : group())
            commands.push_back(std::move(c));
    return commands;
}

fs::path executableDirectory(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = fs::absolute(argv0, ec);
    return self.parent_path();
}

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

int main(int argc, char** argv) {
    const std::vector<CliCommand> commands = allCommands();
    std::vector<std::string> args(argv + 1, argv + argc);

    fs::path home;
    if (const char* env = std::getenv("ZEVEDIT_HOME"); env && *env)
        home = env;
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        if (args[i] == "--home" && i + 1 < args.size()) {
            home = args[++i];
        } else if (args[i] == "--help") {
            printOverview(std::cout, commands);
            return kExitOk;
        } else {
            std::cerr << "zevedit-cli: unknown option " << args[i] << '\n';
            printOverview(std::cerr, commands);
            return kExitUsage;
        }
    }
    if (i >= args.size()) {
        printOverview(std::cerr, commands);
        return kExitUsage;
    }
    if (home.empty())
        home = executableDirectory(argv[0]);

    const std::string name = args[i];
    for (const auto& command : commands) {
        if (command.name != name)
            continue;
        std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                      args.end());
        if (rest.size() == 1 && (rest[0] == "--help" || rest[0] == "-h")) {
            std::cout << "usage: zevedit-cli " << command.name << ' ' << command.synopsis << "\n\n"
                      << command.help << '\n';
            return kExitOk;
        }
        StreamReporter reporter(std::cerr);
        CliContext context{std::move(rest), home, reporter, std::cout, std::cerr};
        return command.run(context, command);
    }
    std::cerr << "zevedit-cli: unknown command '" << name << "'\n";
    printOverview(std::cerr, commands);
    return kExitUsage;
}
