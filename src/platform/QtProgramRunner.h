#pragma once

#include "build/ProgramRunner.h"

#include <functional>
#include <string>

// Starts the assembler and the game as processes and waits for them. Away from Windows each
// program kind runs through its emulator command template (see CommandTemplate.h); on Windows
// an empty template starts the command line directly.
namespace zev::platform {

struct RunnerTemplates {
    std::string dos;     // DOS programs (the assembler)
    std::string windows; // the game's Windows executable
};

// The templates with every empty one replaced by its default (on Windows they stay empty, which
// starts programs directly).
RunnerTemplates completeTemplates(RunnerTemplates templates);

class QtProgramRunner : public build::ProgramRunner {
public:
    explicit QtProgramRunner(RunnerTemplates templates);

    // Called again and again while a program runs, so a window can repaint. By default pending
    // events other than user input are processed when an application object exists.
    void setWhileWaiting(std::function<void()> whileWaiting) {
        whileWaiting_ = std::move(whileWaiting);
    }

    build::ProgramView view(build::ProgramKind kind, const std::filesystem::path& programDirectory,
                            const std::filesystem::path& gameDirectory) const override;
    bool run(const build::ProgramStart& start) override;

    const RunnerTemplates& templates() const { return templates_; }

private:
    const std::string& templateFor(build::ProgramKind kind) const;

    RunnerTemplates templates_;
    std::function<void()> whileWaiting_;
};

} // namespace zev::platform
