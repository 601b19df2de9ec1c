// Commands that build the mission's source texts.

#include "CliCommand.h"

#include "build/Build.h"
#include "build/HeadlessScene.h"

#include "mission/MissionFile.h"

#include <memory>

namespace zev::cli {

namespace {

int runBuild(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 1)
        return usageError(c, self, "one mission file expected");
    auto document = std::make_unique<mission::MissionDocument>();
    std::uint8_t patch = 0;
    if (!mission::MissionFile::open(*document, patch, args.positionals()[0], c.reporter))
        return kExitFailed;
    // The scene the editor would show for the opened mission, with nothing moved.
    const build::HeadlessScene scene(*document);
    // The editor's messages as they are; the exit status also counts the later files.
    bool everyFileWritten = false;
    const bool built =
        build::buildCommand(*document, scene, c.programDirectory, c.reporter, &everyFileWritten);
    return built && everyFileWritten ? kExitOk : kExitFailed;
}

} // namespace

std::vector<CliCommand> buildCommands() {
    return {
        {"build", "MISSION.mdb",
         "Writes the mission's source texts into source/<project> of the program directory,\n"
         "as the editor's Build does for a mission opened and not moved. The mission file is\n"
         "not changed.",
         runBuild},
    };
}

} // namespace zev::cli
