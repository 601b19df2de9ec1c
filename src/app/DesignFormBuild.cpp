// The main window's Build, Compile and Launch commands, the error log and their settings.

#include "DesignForm.h"

#include "AssemblerForm.h"
#include "LaunchMekForm.h"
#include "ProgramRunnersForm.h"

#include "build/Build.h"
#include "build/MissionSequences.h"
#include "platform/QtProgramRunner.h"

namespace zev::app {

namespace {

constexpr const char* S = platform::SettingsStore::kSetup;

// Clears the window's busy flag however a command ends.
class Busy {
public:
    explicit Busy(bool& flag) : flag_(flag) { flag_ = true; }
    ~Busy() { flag_ = false; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
};

// Passes the Build's messages on; the one that says it is done also names where the sources
// went.
class BuildReporter : public common::Reporter {
public:
    BuildReporter(common::Reporter& inner, std::filesystem::path folder)
        : inner_(inner), folder_(std::move(folder)) {}
    void report(const std::string& text, const std::string& caption,
                common::MessageIcon icon) override {
        if (text == "Text File Build Complete...")
            inner_.report(text + "\n\nThe sources are in " + folder_.string(), caption, icon);
        else
            inner_.report(text, caption, icon);
    }
    void detail(const std::string& text) override { inner_.detail(text); }

private:
    common::Reporter& inner_;
    std::filesystem::path folder_;
};

} // namespace

build::LaunchSettings TDesignForm::launchSettings() const {
    build::LaunchSettings settings;
    settings.programDirectory = context_.programDirectory;
    settings.archivePath = context_.archivePath().toStdString();
    settings.cdLocation = build::cdRootOf(context_.setup.cdRomLocation.toStdString());
    settings.cdLetter = context_.setup.cdDriveLetter.toStdString();
    settings.chassis = context_.setup.mekChassis.toStdString();
    settings.configuration = context_.setup.mekConfiguration.toStdString();
    settings.exeOverride = context_.setup.exeOverride.toStdString();
    settings.patchSetting = controller_->patchSetting() != 0;
    return settings;
}

void TDesignForm::BuildBtnClick() {
    if (busy_ || !controller_->hasDocument())
        return;
    const Busy busy(busy_);
    setBusy(true);
    BuildReporter reporter(reporter_,
                           context_.programDirectory / "source" /
                               editor_.document().header.text(mission::MissionHeader::projectName));
    build::buildCommand(editor_.documentForChange(), editor_, context_.programDirectory, reporter);
    setBusy(false);
}

void TDesignForm::runSequence(bool launch) {
    if (busy_ || !controller_->hasDocument() || !confirmDespiteErrors())
        return;
    const Busy busy(busy_);
    TAssemblerForm window(context_.programDirectory, this);
    build::SequenceHooks hooks;
    // The build writes the workspace positions into the start and nav point texts, as Save
    // does: bookkeeping of the generated files, no undo step.
    hooks.build = [this](common::Reporter& reporter) {
        return build::buildMission(editor_.documentForChange(), editor_, context_.programDirectory,
                                   reporter);
    };
    hooks.observer = &window;
    hooks.runStarted = [&window](build::AssemblerRun& run) { window.attach(run); };
    hooks.releaseWorkspace = [this, launch] { emit sequenceStarting(launch); };
    hooks.restoreWorkspace = [this, launch] { emit sequenceEnded(launch); };

    const platform::RunnerSettings runners = platform::readRunnerSettings(*context_.settings);
    platform::QtProgramRunner runner({runners.assembler.toStdString(), runners.game.toStdString()});
    build::MissionSequences sequences(runner, reporter_);
    const mission::MissionHeader header = editor_.document().header;
    if (launch)
        sequences.launch(header, launchSettings(), hooks);
    else
        sequences.compile(header, launchSettings(), hooks);
    window.finish();
}

void TDesignForm::CompileBtnClick() {
    runSequence(false);
}

void TDesignForm::LaunchBtnClick() {
    runSequence(true);
}

void TDesignForm::ErrorLogBtnClick() {
    showAssemblerLog(context_.programDirectory, this);
}

void TDesignForm::MissionLaunchMek1Click() {
    TLaunchMekForm form(context_.programDirectory, context_.setup.mekChassis,
                        context_.setup.mekConfiguration, reporter_, this);
    if (form.exec() != QDialog::Accepted)
        return;
    context_.settings->setText(S, "Mek Chassis", form.chassis());
    context_.settings->setText(S, "Mek Configuration", form.configuration());
    const platform::SetupValues stored = platform::readSetup(*context_.settings);
    context_.setup.mekChassis = stored.mekChassis;
    context_.setup.mekConfiguration = stored.mekConfiguration;
}

void TDesignForm::ProgramRunners1Click() {
    TProgramRunnersForm form(platform::readRunnerSettings(*context_.settings), this);
    if (form.exec() == QDialog::Accepted)
        platform::writeRunnerSettings(*context_.settings, form.runners());
}

} // namespace zev::app
