#pragma once

#include "ProgramRunner.h"

#include "common/Reporter.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Everything after a good assembler run: installing the package in the game's "missions"
// directory, the star files and PIF of the game, and the game's command line and start.
namespace zev::build {

// The settings the compile and launch sequences work with.
struct LaunchSettings {
    std::filesystem::path programDirectory;
    // The configured project archive; the game directory is its directory.
    std::filesystem::path archivePath;
    // Where the game disc is mounted (or copied); it holds "talvo/zev.exe".
    std::filesystem::path cdLocation;
    // The DOS drive letter the game is told to find its disc on ("-cd=").
    std::string cdLetter = "E";
    std::string chassis = "VORLANE";
    std::string configuration = "VRL00STD";
    // A game executable to start instead of the default; used from 4 characters on.
    std::string exeOverride;
    // The program-wide "use mission for 1.1 patch" setting.
    bool patchSetting = false;
};

// The game directory: the directory of the project archive (an archive path naming a
// directory is taken as the directory itself).
std::filesystem::path gameDirectoryOf(const std::filesystem::path& archivePath);

// The directory a "CD ROM Location" setting names: a bare drive letter ("E" or "E:") stands for
// that drive's root, anything else is the directory where the disc is mounted or copied.
std::filesystem::path cdRootOf(const std::string& cdLocation);

// The CD check: the location holds "talvo/zev.exe", names compared in any case.
bool cdHoldsGame(const std::filesystem::path& cdLocation);

// "kort.exe /p=<game directory> __.tmp <output> > <program directory>\korterr.txt".
std::string assemblerCommandLine(const ProgramView& view, std::string_view output);

// The executable override's name without directory and extension; empty when the override is
// shorter than 4 characters (then the default executable is started).
std::string overrideStem(std::string_view exeOverride);

// The game's command line: "<game directory>\<exe> -S <P>scn1 -T=MISSIONS\<P>.zvm -cd=<D>",
// the executable being the override, "talvowin.exe" for the 1.1 patch, or "zev.exe". A program
// path holding blanks is put in double quotes.
std::string gameCommandLine(const ProgramView& view, std::string_view project,
                            std::string_view exeOverride, bool patchSetting,
                            std::string_view cdLetter);

// Copies "<P>.zvm" from the program directory into "missions" of the game directory, replacing
// any old one (in any case) atomically. Messages "File Transfer Error(zvm)" and
// "Swap File Transfer Error" (caption "Assembler Error...").
bool installPackage(const std::filesystem::path& programDirectory,
                    const std::filesystem::path& gameDirectory, std::string_view project,
                    common::Reporter& reporter);

struct GameStartRequest {
    std::string project;
    std::string chassis;
    std::uint16_t chassisNumber = 0;
    std::string configuration;
    std::uint16_t configurationNumber = 0;
};

// Writes the nine star files (the first being the player's), the game's PIF, and starts the
// game in the game directory, waiting until it ends. Messages "Error Writing Star Files",
// "PIF File Creation Error!", "Error Locating ZEV.EXE!" (caption "Launch Error..", information
// icon).
bool startGame(const LaunchSettings& settings, const GameStartRequest& request,
               ProgramRunner& runner, common::Reporter& reporter);

} // namespace zev::build
