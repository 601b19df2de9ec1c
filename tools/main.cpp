// zevedit-cli: headless commands over the editor's core for modders and scripts.

#include "CliMain.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path executableDirectory(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = fs::absolute(argv0, ec);
    return self.parent_path();
}

} // namespace

int main(int argc, char** argv) {
    const char* env = std::getenv("ZEVEDIT_HOME");
    return zev::cli::runCommandLine(zev::cli::allCommands(),
                                    std::vector<std::string>(argv + 1, argv + argc), env ? env : "",
                                    executableDirectory(argv[0]), std::cout, std::cerr);
}
