#pragma once

#include "MissionPackage.h"
#include "ProgramRunner.h"

#include "common/Reporter.h"
#include "mission/MissionHeader.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The assembler run: every generated source of the project goes through the mission assembler
// KORT.EXE (a DOS program in the program directory), and the seven text files, the assembled
// files and the sky/ground parameters are collected into the mission package "<P>.zvm" in the
// program directory. The assembler window is a view over this class.
namespace zev::build {

struct AssemblerLabels {
    std::string project; // "<mission name>  (<P>.zvm)"
    std::string currentFile;
    std::string status;    // "Success" or "Failure"
    std::string totalTime; // whole seconds since the start
};

struct AssemblerButtons {
    bool abort = true;
    bool ok = false;
    bool viewErrors = false;
};

// What the assembler window shows while the run goes on.
class AssemblerObserver {
public:
    virtual ~AssemblerObserver() = default;
    virtual void labelsChanged(const AssemblerLabels&) {}
    virtual void progressChanged(int /*value*/) {}
    virtual void buttonsChanged(const AssemblerButtons&) {}
    // Between two files: the window lets its pending events run (this is when Abort is seen).
    virtual void betweenFiles() {}
};

enum class AssemblerOutcome {
    Succeeded,
    Failed,         // a step failed; its message was reported
    AssemblyFailed, // the assembler left no output; "korterr.txt" is kept for View Errors
    Aborted,        // stopped after the current file; the package was deleted
};

struct AssemblerJob {
    std::filesystem::path programDirectory;
    std::filesystem::path archivePath;
    mission::MissionHeader header;
};

// The sources in the order they are assembled ("<P>are1.wld" ... "<P>.wld").
std::vector<std::string> assemblerSources(const std::string& project);
// The text files packed as they are, with the labels the window shows for them.
struct TextMember {
    std::string fileName;
    std::string label;
};
std::vector<TextMember> textMembers(const std::string& project);
// The working files the run removes from the program directory when it ends.
std::vector<std::string> cleanUpList(const std::string& project);
// An assembled output's name: the source's with ".bwd" for ".wld".
std::string assembledName(const std::string& source);

// Offset and text that identify a known KORT.EXE.
constexpr std::size_t kAssemblerSignatureOffset = 161620;
constexpr const char* kAssemblerSignature = "Talvorendix";

class AssemblerRun {
public:
    static constexpr int kProgressMaximum = 120;
    static constexpr int kProgressStep = 3;

    AssemblerRun(AssemblerJob job, ProgramRunner& runner, common::Reporter& reporter,
                 AssemblerObserver* observer = nullptr);

    // Runs every step up to the closed package.
    AssemblerOutcome run();
    // The Abort button: the run stops after the file being assembled.
    void requestAbort() { abortRequested_ = true; }
    bool abortRequested() const { return abortRequested_; }

    const AssemblerLabels& labels() const { return labels_; }
    int progress() const { return progress_; }
    const AssemblerButtons& buttons() const { return buttons_; }
    std::filesystem::path packagePath() const;

private:
    bool checkAssembler();
    bool packTextFiles();
    bool writeStarFiles();
    enum class StepResult { Done, Failed, AssemblyFailed };
    StepResult assemble(const std::string& source);
    bool packSkyGround();
    bool addToPackage(const std::string& memberName, const std::filesystem::path& file);
    AssemblerOutcome fail(const std::string& text, AssemblerOutcome outcome,
                          const std::string& caption = "Assembler Error...");
    // A failure of a file step: the fixed message, then which file and why.
    bool failOnFile(const std::string& text, std::string_view action,
                    const std::filesystem::path& path, const std::error_code& reason);
    AssemblerOutcome abort();
    void cleanUp();
    void setCurrentFile(const std::string& name);
    void stepProgress();
    void showButtons(bool abort, bool ok, bool viewErrors);
    void updateTotalTime();

    AssemblerJob job_;
    std::string project_;
    ProgramRunner& runner_;
    common::Reporter& reporter_;
    AssemblerObserver* observer_;
    PackageWriter package_;
    AssemblerLabels labels_;
    AssemblerButtons buttons_;
    int progress_ = 0;
    bool abortRequested_ = false;
    std::chrono::steady_clock::time_point started_;
};

// Removes the named files from `directory`, matching names in any case and ignoring failures.
void removeFilesAnyCase(const std::filesystem::path& directory,
                        const std::vector<std::string>& names);

// The assembler's log "korterr.txt" of the program directory, for View Errors; nothing when
// there is none.
std::optional<std::string> readAssemblerLog(const std::filesystem::path& programDirectory);

} // namespace zev::build
