#pragma once

#include "common/FileIo.h"
#include "common/Reporter.h"
#include "gamedata/ArchiveWriter.h"
#include "gamedata/ObjectGroupRecord.h"
#include "gamedata/ReadyMadeGroupFile.h"

#include <filesystem>
#include <string>
#include <vector>

// A complete demo setup made by this program alone, so the editor and the command-line tool
// run on a machine without the game:
//   DIR/game/ZEV.PRJ        archive with sections "POLY", "MEK", "BWD" (and a small "TXT")
//   DIR/game/RMG/*.bwd      ready-made groups of demo geometries
//   DIR/game/missions/      empty
//   DIR/home/zevedit.ini    program defaults and the palette and ground texture lists
//   DIR/home/data/odb/      object groups, one of ready-made group objects
//   DIR/home/*.IDX          the index files, built from the demo archive
namespace zev::gamedata::demo {

struct DemoReadyMadeGroup {
    std::string name;
    std::vector<ReadyMadeMemberRecord> members;
    std::vector<std::uint8_t> fileImage() const;
};

struct DemoObjectGroup {
    std::string name; // file name without ".odb"
    std::vector<ObjectGroupRecord> records;
};

// The demo archive. POLY entry k + 1 is demoGeometries()[k]; every section ends with a closing
// entry that the index builders leave out.
ArchiveWriter demoArchive();
std::uint32_t demoGeometryEntryNumber(const std::string& stem); // 0 when unknown

// Names in the archive's "MEK" and "BWD" sections (closing entries left out).
std::vector<std::string> demoConfigurations();
std::vector<std::string> demoChassis();         // chassis entries ("VORLANE", ...)
std::vector<std::string> demoOtherBwdEntries(); // "BWD" entries that are not chassis

std::vector<DemoReadyMadeGroup> demoReadyMadeGroups();
std::vector<DemoObjectGroup> demoObjectGroups();
std::string demoIniText(); // CR LF line ends

struct DemoDataPaths {
    std::filesystem::path gameDirectory;
    std::filesystem::path archive;
    std::filesystem::path programDirectory;
};
DemoDataPaths demoDataPaths(const std::filesystem::path& dir);

// Writes the object groups of demoObjectGroups() into `odbDir` (created when missing). The
// installed program carries them as its example groups.
bool writeDemoObjectGroups(const std::filesystem::path& odbDir, common::Reporter& reporter);
bool writeDemoObjectGroups(const std::filesystem::path& odbDir, common::NewFilesWriter& files,
                           common::Reporter& reporter);

// Writes everything below `dir` (created when missing) and builds the index files. A file that
// is already there (an earlier run's, maybe edited since: `zevedit.ini`, an object group) is
// kept and listed in `kept`; the index files are rebuilt from the archive. Failures are
// reported ("Could not write ..." with caption "Demo Data", stop icon) and return false.
bool writeDemoData(const std::filesystem::path& dir, common::Reporter& reporter,
                   std::vector<std::filesystem::path>* kept = nullptr);
// The same through the caller's writer, so files it adds follow the same rule.
bool writeDemoData(const std::filesystem::path& dir, common::NewFilesWriter& files,
                   common::Reporter& reporter);

} // namespace zev::gamedata::demo
