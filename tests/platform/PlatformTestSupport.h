#pragma once

#include "TempDir.h"

#include "build/AssemblerRun.h"
#include "mission/MissionHeader.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A program directory with sources for project "ABCD", a game directory with an archive file,
// and a KORT.EXE carrying the signature, ready for an assembler run.
struct RunFixture {
    RunFixture();

    std::filesystem::path home() const { return dir.path() / "home"; }
    std::filesystem::path game() const { return dir.path() / "game"; }
    std::filesystem::path archive() const { return game() / "ZEV.PRJ"; }
    std::filesystem::path callLog() const { return dir.path() / "calls.log"; }

    // The runner template that starts the test assembler, failing on `failOn` when given.
    std::string assemblerTemplate(const std::string& failOn = {}) const;
    zev::build::AssemblerJob job() const;

    // The text of every source and text file of the project, as written.
    std::string sourceText(const std::string& name) const;

    TempDir dir;
    zev::mission::MissionHeader header;
};

void writeFile(const std::filesystem::path& path, const std::string& text);
std::string readFile(const std::filesystem::path& path);
// A KORT.EXE image of `size` bytes with `signature` at the signature offset.
std::vector<std::uint8_t> assemblerImage(std::size_t size, const std::string& signature);
// Names of the regular files of a directory, sorted.
std::vector<std::string> fileNames(const std::filesystem::path& directory);
// Whether `directory` holds a file named `name` in any case.
bool holdsAnyCase(const std::filesystem::path& directory, const std::string& name);
