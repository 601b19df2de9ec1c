// Commands over the project archive and the index files: scan, list-section, fresh.

#include "CliCommand.h"

#include "gamedata/ArchiveListing.h"
#include "gamedata/GeoScan.h"
#include "gamedata/IndexFiles.h"
#include "gamedata/ProjectArchive.h"

#include <filesystem>
#include <ostream>

namespace zev::cli {

using namespace zev::gamedata;
namespace fs = std::filesystem;

namespace {

int runScan(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"archive"}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (!args.positionals().empty())
        return usageError(c, self, "no arguments besides --archive expected");
    if (!args.has("archive"))
        return usageError(c, self, "--archive is required");
    const GeoScanResult result =
        ScanGeoTable(args.value("archive"), c.programDirectory, c.reporter);
    if (!result.built)
        return kExitFailed;
    const auto chassis = readNameIndex(c.programDirectory, IndexKind::Chassis).size();
    c.out << "WTB.IDX  POLY  " << result.polyEntries << " entries\n"
          << "MEK.IDX  MEK   " << result.mekEntries << " entries\n"
          << "CHS.IDX  BWD   " << result.chassisEntries << " entries, " << chassis << " chassis\n"
          << (result.indexCurrent ? "current" : "stale") << '\n';
    return result.indexCurrent ? kExitOk : kExitFailed;
}

int runListSection(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"archive"}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 1)
        return usageError(c, self, "one section tag expected");
    if (!args.has("archive"))
        return usageError(c, self, "--archive is required");
    const std::string tag = args.positionals()[0];
    if (tag.empty() || tag.size() > 4)
        return usageError(c, self, "a section tag has 1 to 4 characters");
    ProjectArchive archive;
    if (!OpenArchiveOrReport(archive, CompleteArchivePath(args.value("archive")), c.reporter))
        return kExitFailed;
    std::string diagnostic;
    const std::uint32_t count = ListSection(archive, tag, "info.txt", diagnostic);
    if (count == 0) {
        c.err << (diagnostic.empty() ? "section " + tag + " has no entries\n" : diagnostic);
        return kExitFailed;
    }
    c.out << count << " entries of " << tag << " listed in info.txt\n";
    return kExitOk;
}

int runFresh(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"archive"}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (!args.positionals().empty())
        return usageError(c, self, "no arguments besides --archive expected");
    if (!args.has("archive"))
        return usageError(c, self, "--archive is required");
    const std::string reason = indexStaleReason(args.value("archive"), c.programDirectory);
    if (reason.empty()) {
        c.out << "current\n";
        return kExitOk;
    }
    c.out << "stale\n";
    c.err << reason << '\n';
    return kExitFailed;
}

} // namespace

std::vector<CliCommand> archiveCommands() {
    return {
        {"scan", "--archive PATH",
         "The GEO scan: builds WTB.IDX, MEK.IDX and CHS.IDX in the program directory from the\n"
         "project archive (PATH names the archive or the game directory holding ZEV.PRJ) and\n"
         "checks them. Exit 0 when the index files are current.",
         runScan},
        {"list-section", "--archive PATH TAG",
         "Writes the diagnostic listing of the archive section TAG (\"POLY\", \"MEK\", \"BWD\")\n"
         "to info.txt in the current directory: number, data offset, short name, long name and\n"
         "data size of every entry.",
         runListSection},
        {"fresh", "--archive PATH",
         "Checks whether the index files of the program directory were built from the archive\n"
         "as it is now. Prints \"current\" (exit 0) or \"stale\" with the reason (exit 1).",
         runFresh},
    };
}

} // namespace zev::cli
