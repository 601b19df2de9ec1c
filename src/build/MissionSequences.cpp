#include "MissionSequences.h"

#include "mission/ProjectName.h"

#include "Build.h"
#include "SkyGround.h"

#include "gamedata/IndexFiles.h"

namespace zev::build {

using common::MessageIcon;
using mission::MissionHeader;

namespace {

// Clears the busy flag however the command ends.
class BusyGuard {
public:
    explicit BusyGuard(MissionSequences& s) : s_(s) { s_.setBusy(true); }
    ~BusyGuard() { s_.setBusy(false); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    MissionSequences& s_;
};

// Gives the workspace its device back however the run ends.
class WorkspaceGuard {
public:
    explicit WorkspaceGuard(const SequenceHooks& hooks) : hooks_(hooks) {
        if (hooks_.releaseWorkspace)
            hooks_.releaseWorkspace();
    }
    ~WorkspaceGuard() {
        if (hooks_.restoreWorkspace)
            hooks_.restoreWorkspace();
    }
    WorkspaceGuard(const WorkspaceGuard&) = delete;
    WorkspaceGuard& operator=(const WorkspaceGuard&) = delete;

private:
    const SequenceHooks& hooks_;
};

} // namespace

bool afterAssemblerRun(bool launch, const MissionHeader& header, const LaunchSettings& settings,
                       const GameStartRequest& request, ProgramRunner& runner,
                       common::Reporter& reporter) {
    const auto gameDirectory = gameDirectoryOf(settings.archivePath);
    const std::string project = header.text(MissionHeader::projectName);
    if (!installPackage(settings.programDirectory, gameDirectory, project, reporter))
        return false;
    if (isPatchMission(header) &&
        !updateSkyGroundFile(gameDirectory, project, skyGroundLine(header, project))) {
        reporter.report("Error Accessing SKYGND.PAR File!", "Assembler Error...",
                        MessageIcon::Stop);
        return false;
    }
    if (launch)
        return startGame(settings, request, runner, reporter);
    return true;
}

bool MissionSequences::projectNameUsable(const MissionHeader& header) {
    // A name that would lead out of the program's own directories or break the assembler's
    // command line is no usable name either.
    if (const char* problem =
            mission::projectNameProblem(header.text(MissionHeader::projectName))) {
        reporter_.report(problem, "Project Error..", MessageIcon::Stop);
        return false;
    }
    return true;
}

SequenceResult MissionSequences::assembleAndFinish(bool launch, const MissionHeader& header,
                                                   const LaunchSettings& settings,
                                                   const GameStartRequest& request,
                                                   const SequenceHooks& hooks) {
    WorkspaceGuard workspace(hooks);
    if (hooks.build && !hooks.build(reporter_))
        return SequenceResult::Stopped;
    AssemblerRun run({settings.programDirectory, settings.archivePath, header}, runner_, reporter_,
                     hooks.observer);
    if (hooks.runStarted)
        hooks.runStarted(run);
    if (run.run() != AssemblerOutcome::Succeeded)
        return SequenceResult::Stopped;
    if (!afterAssemblerRun(launch, header, settings, request, runner_, reporter_))
        return SequenceResult::Stopped;
    return SequenceResult::Done;
}

SequenceResult MissionSequences::compile(const MissionHeader& header,
                                         const LaunchSettings& settings,
                                         const SequenceHooks& hooks) {
    if (busy_)
        return SequenceResult::Ignored;
    BusyGuard busy(*this);
    if (!projectNameUsable(header))
        return SequenceResult::Stopped;
    GameStartRequest none;
    none.project = header.text(MissionHeader::projectName);
    return assembleAndFinish(false, header, settings, none, hooks);
}

SequenceResult MissionSequences::launch(const MissionHeader& header, const LaunchSettings& settings,
                                        const SequenceHooks& hooks) {
    if (busy_)
        return SequenceResult::Ignored;
    BusyGuard busy(*this);
    if (!projectNameUsable(header))
        return SequenceResult::Stopped;
    if (!cdHoldsGame(settings.cdLocation)) {
        reporter_.report("Unable To Mount Talvorendix2 CD-ROM", "CD-ROM Error..",
                         MessageIcon::Stop);
        return SequenceResult::Stopped;
    }
    const auto chassis =
        gamedata::findLaunchChassis(settings.programDirectory, settings.chassis, reporter_);
    if (!chassis)
        return SequenceResult::Stopped;
    const auto configuration = gamedata::findLaunchConfiguration(settings.programDirectory,
                                                                 settings.configuration, reporter_);
    if (!configuration)
        return SequenceResult::Stopped;

    GameStartRequest request;
    request.project = header.text(MissionHeader::projectName);
    request.chassis = chassis->name;
    request.chassisNumber = static_cast<std::uint16_t>(chassis->number);
    request.configuration = configuration->name;
    request.configurationNumber = static_cast<std::uint16_t>(configuration->number);
    return assembleAndFinish(true, header, settings, request, hooks);
}

} // namespace zev::build
