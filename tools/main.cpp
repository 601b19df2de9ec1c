// zevedit-cli: headless commands over the editor's core for modders and scripts.

#include "CliMain.h"

#include "platform/ProgramDirectory.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    const char* env = std::getenv("ZEVEDIT_HOME");
    return zev::cli::runCommandLine(
        zev::cli::allCommands(), std::vector<std::string>(argv + 1, argv + argc), env ? env : "",
        zev::platform::executableDirectory(argv[0]), std::cout, std::cerr);
}
