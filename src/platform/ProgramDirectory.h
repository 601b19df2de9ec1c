#pragma once

#include "common/Reporter.h"

#include <filesystem>
#include <string>

// Where the editor and the tool keep zevedit.ini, data/odb, the index files, sources and
// packages. Both programs ask here, so they always agree.
namespace zev::platform {

enum class ProgramDirectoryKind {
    CommandLine, // --home
    Environment, // ZEVEDIT_HOME
    Portable,    // the executable's directory holds zevedit.ini
    PerUser,     // installed: the user's data directory, seeded from the installed defaults
    Executable,  // neither: the executable's directory, as before there was an install
};

struct ProgramDirectoryInputs {
    std::filesystem::path commandLineHome;
    std::filesystem::path environmentHome;
    std::filesystem::path executableDirectory;
    // Empty: the platform's per-user data location (see perUserProgramDirectory).
    std::filesystem::path perUserDirectory;
};

struct ProgramDirectory {
    std::filesystem::path directory; // absolute, lexically normal
    ProgramDirectoryKind kind = ProgramDirectoryKind::Executable;
    // The installed defaults beside the executable, whatever the choice; empty when none.
    std::filesystem::path defaultsDirectory;
    bool ready = true; // false when seeding it failed (and was reported)
};

// The running program's directory (/proc/self/exe, else `argv0` made absolute), for a program
// without a Qt application object.
std::filesystem::path executableDirectory(const char* argv0);

// "<exe>/../share/zevedit" when it holds zevedit.ini, else empty.
std::filesystem::path installedDefaultsDirectory(const std::filesystem::path& executableDirectory);

// The platform's per-user application data directory, e.g. ~/.local/share/ZEVEDIT3D.
std::filesystem::path perUserProgramDirectory();

// Picks the directory in the order --home, ZEVEDIT_HOME, portable, installed, executable's
// directory. Touches nothing on disk.
ProgramDirectory chooseProgramDirectory(const ProgramDirectoryInputs& inputs);

// Creates `directory` and data/odb when missing and copies the defaults' zevedit.ini unless
// the user already has one. Reports a failure (caption "ZEVEDIT 3D") and returns false.
bool seedProgramDirectory(const std::filesystem::path& directory,
                          const std::filesystem::path& defaultsDirectory,
                          common::Reporter& reporter);

// chooseProgramDirectory, then seeding when the choice is the per-user directory.
ProgramDirectory resolveProgramDirectory(const ProgramDirectoryInputs& inputs,
                                         common::Reporter& reporter);

struct ExampleCopy {
    bool ok = false;
    int copied = 0;
    int kept = 0; // already there; the user's own edits win
};

// Copies the defaults' example object groups (examples/data/odb/*.odb) into the program
// directory's data/odb. Reports a missing example set or a failed copy.
ExampleCopy copyExampleGroups(const std::filesystem::path& directory,
                              const std::filesystem::path& defaultsDirectory,
                              common::Reporter& reporter);

const char* programDirectoryKindName(ProgramDirectoryKind kind);

// An absolute, lexically normal path without a trailing separator ("home/./x/.." from /work is
// "/work/home"). The emulated runs start elsewhere and mount paths from here, so a relative one
// would break them. An empty path stays empty.
std::filesystem::path absoluteNormalPath(const std::filesystem::path& path);

} // namespace zev::platform
