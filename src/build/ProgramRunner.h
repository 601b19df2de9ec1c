#pragma once

#include <filesystem>
#include <string>

// Starting the outside programs the editor depends on (the mission assembler and the game) and
// waiting for them. The core builds the command lines; how a program is actually started (a
// process on Windows, an emulator such as DOSBox or Wine elsewhere) is the runner's business.
namespace zev::build {

// A DOS program (the assembler) or the game's Windows executable.
enum class ProgramKind { Dos, Windows };

// How a started program names the directories it is given, so command lines can be spelt the
// way the program sees them.
struct ProgramView {
    // The program directory without a trailing backslash, e.g. "C:" or "C:\PROGRA~1\ZEVEDIT".
    std::string programDirectory;
    // The game directory with its trailing backslash, e.g. "D:\" or "C:\GAMES\ZEV\".
    std::string gameDirectory;
};

struct ProgramStart {
    ProgramKind kind = ProgramKind::Dos;
    // The command line as the program's own system reads it, spelt with the runner's view.
    std::string commandLine;
    // The host directories behind the view; `cdLocation` may be empty.
    std::filesystem::path programDirectory;
    std::filesystem::path gameDirectory;
    std::filesystem::path cdLocation;
    // The directory made current for the program; empty leaves the runner's choice.
    std::filesystem::path workingDirectory;
    // Run without showing a window where the system allows it.
    bool hidden = false;
};

class ProgramRunner {
public:
    virtual ~ProgramRunner() = default;
    // The spelling of the directories for a program of `kind`.
    virtual ProgramView view(ProgramKind kind, const std::filesystem::path& programDirectory,
                             const std::filesystem::path& gameDirectory) const = 0;
    // Starts the program and waits until it ends, however long that takes. False when it could
    // not be started. The exit code is not judged here.
    virtual bool run(const ProgramStart& start) = 0;
};

} // namespace zev::build
