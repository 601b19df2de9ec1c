#include "AssemblerRun.h"

#include "mission/ProjectName.h"

#include "GameLaunch.h"
#include "PifFiles.h"
#include "SkyGround.h"
#include "StarFiles.h"

#include "common/FileIo.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <set>
#include <system_error>

namespace zev::build {

namespace fs = std::filesystem;
using common::MessageIcon;
using mission::MissionHeader;

namespace {

constexpr const char* kSwapFile = "__.tmp";
constexpr const char* kAssemblerLog = "korterr.txt";

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// A file of the program directory; the DOS side may have written its name in upper case.
fs::path existingFile(const fs::path& directory, const std::string& name) {
    return common::resolveCaseInsensitive(directory, name);
}

bool fileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

std::vector<std::string> assemblerSources(const std::string& p) {
    std::vector<std::string> sources;
    for (int area = 1; area <= 8; ++area)
        sources.push_back(p + "are" + std::to_string(area) + ".wld");
    sources.push_back(p + "pal1.wld");
    for (int star = 0; star <= 7; ++star)
        sources.push_back(p + "nav" + std::to_string(star) + ".wld");
    for (int player = 0; player <= 7; ++player)
        sources.push_back(p + "st" + std::to_string(player) + "1.wld");
    sources.push_back(p + "wld1.wld");
    sources.push_back(p + "plt1.wld");
    sources.push_back(p + "scn1.wld");
    sources.push_back(p + ".wld");
    return sources;
}

std::vector<TextMember> textMembers(const std::string& p) {
    return {{p + "name.txt", "name.txt"}, {p + "brf0.txt", "bfr0.txt"},
            {p + "brf1.txt", "brf1.txt"}, {p + "brf2.txt", "brf2.txt"},
            {p + "lim0.txt", "lim0.txt"}, {p + "lim1.txt", "lim1.txt"},
            {p + "lim2.txt", "lim2.txt"}};
}

std::vector<std::string> cleanUpList(const std::string& p) {
    std::vector<std::string> names;
    for (int area = 1; area <= 8; ++area)
        names.push_back(p + "are" + std::to_string(area) + ".bwd");
    for (int player = 0; player <= 7; ++player)
        names.push_back(p + "st" + std::to_string(player) + "1.bwd");
    for (int star = 0; star <= 7; ++star)
        names.push_back(p + "nav" + std::to_string(star) + ".bwd");
    for (const char* part : {"scn1", "plt1", "pal1", "wld1", "map1"})
        names.push_back(p + part + ".bwd");
    names.push_back(p + ".bwd");
    names.push_back("kort.pif");
    for (int n = 0; n < kStarFileCount; ++n)
        names.push_back(starFileName(n));
    names.push_back("skygnd.par");
    return names;
}

std::string assembledName(const std::string& source) {
    const std::size_t dot = source.rfind(".wld");
    return dot == std::string::npos ? source + ".bwd" : source.substr(0, dot) + ".bwd";
}

void removeFilesAnyCase(const fs::path& directory, const std::vector<std::string>& names) {
    std::set<std::string> wanted;
    for (const auto& n : names)
        wanted.insert(lowered(n));
    std::vector<fs::path> doomed;
    std::error_code ec;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec))
        if (wanted.count(lowered(it->path().filename().string())))
            doomed.push_back(it->path());
    for (const auto& path : doomed)
        fs::remove(path, ec);
}

std::optional<std::string> readAssemblerLog(const fs::path& programDirectory) {
    const auto bytes = common::readWholeFile(existingFile(programDirectory, kAssemblerLog));
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

AssemblerRun::AssemblerRun(AssemblerJob job, ProgramRunner& runner, common::Reporter& reporter,
                           AssemblerObserver* observer)
    : job_(std::move(job)), project_(job_.header.text(MissionHeader::projectName)), runner_(runner),
      reporter_(reporter), observer_(observer) {}

fs::path AssemblerRun::packagePath() const {
    return job_.programDirectory / (project_ + ".zvm");
}

void AssemblerRun::setCurrentFile(const std::string& name) {
    labels_.currentFile = name;
    if (observer_)
        observer_->labelsChanged(labels_);
}

void AssemblerRun::stepProgress() {
    progress_ = std::min(progress_ + kProgressStep, kProgressMaximum);
    if (observer_)
        observer_->progressChanged(progress_);
}

void AssemblerRun::showButtons(bool abort, bool ok, bool viewErrors) {
    buttons_ = {abort, ok, viewErrors};
    if (observer_)
        observer_->buttonsChanged(buttons_);
}

void AssemblerRun::updateTotalTime() {
    const auto elapsed = std::chrono::steady_clock::now() - started_;
    labels_.totalTime =
        std::to_string(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count());
    if (observer_)
        observer_->labelsChanged(labels_);
}

void AssemblerRun::cleanUp() {
    removeFilesAnyCase(job_.programDirectory, cleanUpList(project_));
}

AssemblerOutcome AssemblerRun::fail(const std::string& text, AssemblerOutcome outcome,
                                    const std::string& caption) {
    labels_.status = "Failure";
    if (observer_)
        observer_->labelsChanged(labels_);
    showButtons(false, true, outcome == AssemblerOutcome::AssemblyFailed);
    package_.discard();
    reporter_.report(text, caption, MessageIcon::Stop);
    cleanUp();
    return outcome;
}

bool AssemblerRun::failOnFile(const std::string& text, std::string_view action,
                              const fs::path& path, const std::error_code& reason) {
    fail(text, AssemblerOutcome::Failed);
    reporter_.detail(common::describeFileFailure(action, path, reason));
    return false;
}

AssemblerOutcome AssemblerRun::abort() {
    package_.discard();
    std::error_code ec;
    fs::remove(packagePath(), ec);
    cleanUp();
    labels_.status = "Failure";
    if (observer_)
        observer_->labelsChanged(labels_);
    showButtons(false, true, false);
    return AssemblerOutcome::Aborted;
}

bool AssemblerRun::checkAssembler() {
    const fs::path exe = existingFile(job_.programDirectory, "KORT.EXE");
    std::ifstream in(exe, std::ios::binary);
    if (!in || !fileExists(exe)) {
        fail("Error Locating KORT.EXE", AssemblerOutcome::Failed);
        return false;
    }
    char signature[11] = {};
    in.seekg(static_cast<std::streamoff>(kAssemblerSignatureOffset));
    if (!in || !in.read(signature, sizeof signature) ||
        std::memcmp(signature, kAssemblerSignature, sizeof signature) != 0) {
        fail("Unknown Version of KORT.EXE", AssemblerOutcome::Failed);
        return false;
    }
    in.close();
    std::error_code reason;
    if (!common::writeWholeFile(job_.programDirectory / "kort.pif", assemblerPif(), &reason))
        return failOnFile("Error Creating KORT.PIF", "cannot write",
                          job_.programDirectory / "kort.pif", reason);
    return true;
}

bool AssemblerRun::addToPackage(const std::string& memberName, const fs::path& file) {
    std::error_code reason;
    const auto data = common::readWholeFile(file, kPackageMaxMemberSize, &reason);
    if (!data)
        return failOnFile("File Open Error", "cannot read", file, reason);
    if (!package_.add(memberName, *data))
        return failOnFile("Error Writing .zvm File", "cannot write", packagePath(),
                          package_.reason());
    return true;
}

bool AssemblerRun::packTextFiles() {
    const fs::path sourceDirectory = job_.programDirectory / "source" / project_;
    for (const auto& member : textMembers(project_)) {
        setCurrentFile(member.label);
        if (!addToPackage(member.fileName, sourceDirectory / member.fileName))
            return false;
    }
    return true;
}

bool AssemblerRun::writeStarFiles() {
    setCurrentFile("starx.bwd");
    for (int n = 0; n < kStarFileCount; ++n) {
        const fs::path star = job_.programDirectory / starFileName(n);
        std::error_code reason;
        if (!common::writeWholeFile(star, emptyStarFile(), &reason))
            return failOnFile("Star File Creation Error!", "cannot write", star, reason);
    }
    return true;
}

AssemblerRun::StepResult AssemblerRun::assemble(const std::string& source) {
    const fs::path& home = job_.programDirectory;
    const std::string output = assembledName(source);
    setCurrentFile(source);

    const fs::path sourcePath = home / "source" / project_ / source;
    std::error_code reason;
    const auto text = common::readWholeFile(sourcePath, common::kNoSizeCap, &reason);
    if (!text) {
        failOnFile("File Open Error", "cannot read", sourcePath, reason);
        return StepResult::Failed;
    }
    // An output left over from an earlier run must not pass for this run's.
    removeFilesAnyCase(home, {output});
    const fs::path swap = home / kSwapFile;
    if (!common::writeWholeFile(swap, *text, &reason)) {
        std::error_code ec;
        fs::remove(swap, ec);
        failOnFile("Swap File Create Error", "cannot write", swap, reason);
        return StepResult::Failed;
    }

    ProgramStart start;
    start.kind = ProgramKind::Dos;
    const fs::path gameDirectory = gameDirectoryOf(job_.archivePath);
    start.commandLine = assemblerCommandLine(runner_.view(start.kind, home, gameDirectory), output);
    start.programDirectory = home;
    start.gameDirectory = gameDirectory;
    start.workingDirectory = home;
    start.hidden = true;
    const bool started = runner_.run(start);
    removeFilesAnyCase(home, {kSwapFile});
    if (!started) {
        fail("Error Loading KORT.EXE", AssemblerOutcome::Failed);
        return StepResult::Failed;
    }

    const fs::path produced = existingFile(home, output);
    if (!fileExists(produced)) {
        fail((home / output).string(), AssemblerOutcome::AssemblyFailed,
             "Error while Assembling File...");
        return StepResult::AssemblyFailed;
    }
    removeFilesAnyCase(home, {kAssemblerLog});
    if (!addToPackage(output, produced))
        return StepResult::Failed;
    return StepResult::Done;
}

bool AssemblerRun::packSkyGround() {
    const fs::path path = job_.programDirectory / "skygnd.par";
    std::error_code reason;
    if (!common::writeWholeFile(path, skyGroundParameters(job_.header), &reason))
        return failOnFile("Error Creating SKYGND.PAR", "cannot write", path, reason);
    return addToPackage("skygnd.par", path);
}

AssemblerOutcome AssemblerRun::run() {
    started_ = std::chrono::steady_clock::now();
    // An Abort pressed while the run was being set up (its window already shows) still holds:
    // a run is made for one use, so nothing is reset here.
    progress_ = 0;
    labels_.project = job_.header.text(MissionHeader::missionName) + "  (" + project_ + ".zvm)";
    labels_.currentFile = "KORT.EXE";
    labels_.totalTime = "0";
    labels_.status = "Success";
    if (observer_)
        observer_->labelsChanged(labels_);
    showButtons(true, false, false);
    stepProgress();

    // The name reaches the assembler's command line (through the command interpreter on
    // Windows): never unchecked.
    if (const char* problem = mission::projectNameProblem(project_))
        return fail(problem, AssemblerOutcome::Failed, "Project Error..");
    if (!checkAssembler())
        return AssemblerOutcome::Failed;

    setCurrentFile(project_ + ".zvm");
    if (!package_.create(packagePath())) {
        failOnFile("Unable to Open .zvm File", "cannot create", packagePath(), package_.reason());
        return AssemblerOutcome::Failed;
    }

    if (!packTextFiles() || !writeStarFiles())
        return AssemblerOutcome::Failed;

    for (const auto& source : assemblerSources(project_)) {
        switch (assemble(source)) {
        case StepResult::Failed:
            return AssemblerOutcome::Failed;
        case StepResult::AssemblyFailed:
            return AssemblerOutcome::AssemblyFailed;
        case StepResult::Done:
            break;
        }
        stepProgress();
        updateTotalTime();
        if (observer_)
            observer_->betweenFiles();
        if (abortRequested_)
            return abort();
    }

    if (!packSkyGround())
        return AssemblerOutcome::Failed;
    if (!package_.close()) {
        failOnFile("Error Writing .zvm File", "cannot write", packagePath(), package_.reason());
        return AssemblerOutcome::Failed;
    }

    cleanUp();
    labels_.status = "Success";
    if (observer_)
        observer_->labelsChanged(labels_);
    showButtons(false, true, false);
    return AssemblerOutcome::Succeeded;
}

} // namespace zev::build
