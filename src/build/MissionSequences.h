#pragma once

#include "AssemblerRun.h"
#include "GameLaunch.h"
#include "ProgramRunner.h"

#include "common/Reporter.h"
#include "mission/MissionHeader.h"

#include <functional>

// The Compile and Launch commands: the Build, the assembler run, installation of the package,
// the sky/ground update and, for Launch, the game start, one step after another.
namespace zev::build {

struct SequenceHooks {
    // Writes the current mission's sources; false when it failed (it has said why).
    std::function<bool(common::Reporter&)> build;
    // The workspace gives up its rendering device before the run and takes it back after.
    std::function<void()> releaseWorkspace;
    std::function<void()> restoreWorkspace;
    // The assembler window; it may call requestAbort() on the run it is shown.
    std::function<void(AssemblerRun&)> runStarted;
    AssemblerObserver* observer = nullptr;
};

enum class SequenceResult {
    Done,
    Ignored, // another Build, Compile or Launch is running
    Stopped, // a check or step failed and said why
};

// Installation, the sky/ground update of a 1.1-patch mission and, when `launch` is set, the
// game start, in this order; each failure stops the rest.
bool afterAssemblerRun(bool launch, const mission::MissionHeader& header,
                       const LaunchSettings& settings, const GameStartRequest& request,
                       ProgramRunner& runner, common::Reporter& reporter);

// Holds the busy flag that keeps the commands from overlapping.
class MissionSequences {
public:
    MissionSequences(ProgramRunner& runner, common::Reporter& reporter)
        : runner_(runner), reporter_(reporter) {}

    bool busy() const { return busy_; }
    // Lets another command (the Build button) take the same flag.
    void setBusy(bool busy) { busy_ = busy; }

    SequenceResult compile(const mission::MissionHeader& header, const LaunchSettings& settings,
                           const SequenceHooks& hooks);
    SequenceResult launch(const mission::MissionHeader& header, const LaunchSettings& settings,
                          const SequenceHooks& hooks);

private:
    bool projectNameUsable(const mission::MissionHeader& header);
    SequenceResult assembleAndFinish(bool launch, const mission::MissionHeader& header,
                                     const LaunchSettings& settings,
                                     const GameStartRequest& request, const SequenceHooks& hooks);

    ProgramRunner& runner_;
    common::Reporter& reporter_;
    bool busy_ = false;
};

} // namespace zev::build
