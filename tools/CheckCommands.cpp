// The mission check on the command line: one problem a line, exit 1 when any is an error.

#include "CliCommand.h"

#include "common/Latin1Text.h"

#include "build/MissionCheck.h"
#include "mission/MissionFile.h"

#include <memory>
#include <ostream>

namespace zev::cli {

namespace {

int runCheck(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"archive"}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 1)
        return usageError(c, self, "one mission file expected");

    auto document = std::make_unique<mission::MissionDocument>();
    std::uint8_t patch = 0;
    if (!mission::MissionFile::open(*document, patch, args.positionals()[0], c.reporter))
        return kExitFailed;
    build::CheckContext context;
    context.programDirectory = c.programDirectory;
    if (args.has("archive"))
        context.archivePath = args.value("archive");

    const auto problems = build::checkMission(*document, context);
    for (const build::MissionProblem& p : problems)
        // Places and texts quote names from the mission file: control characters escaped.
        c.out << build::severityWord(p.severity) << '\t' << common::printableText(p.placeText)
              << '\t' << common::printableText(p.text) << '\n';
    return build::hasErrors(problems) ? kExitFailed : kExitOk;
}

} // namespace

std::vector<CliCommand> checkCommands() {
    return {
        {"check", "MISSION.mdb [--archive PATH]",
         "Checks a mission without changing it, as Check Mission in the Utilitys menu does, and\n"
         "prints one problem a line: SEVERITY<TAB>PLACE<TAB>TEXT, SEVERITY being ERROR or\n"
         "WARNING. Geometries are looked up in WTB.IDX of the program directory; with --archive\n"
         "the index files' freshness and the ready-made group files beside the archive are\n"
         "checked too. Objectives, nav points, briefings and the object groups of data/odb are\n"
         "checked against each other. Exit 1 when any problem is an error (or the mission\n"
         "cannot be read).",
         runCheck},
    };
}

} // namespace zev::cli
