// Commands that assemble, install and launch missions, and that write and read mission packages.

#include "CliCommand.h"

#include "build/AssemblerRun.h"
#include "build/Build.h"
#include "build/GameLaunch.h"
#include "build/HeadlessScene.h"
#include "build/MissionPackage.h"
#include "build/MissionSequences.h"
#include "common/FileIo.h"
#include "common/Latin1Text.h"
#include "mission/MissionFile.h"
#include "platform/QtProgramRunner.h"

#include <cctype>
#include <memory>
#include <ostream>
#include <set>

namespace zev::cli {

namespace fs = std::filesystem;

namespace {

// Progress lines of the assembler run on standard error.
class ProgressPrinter : public build::AssemblerObserver {
public:
    explicit ProgressPrinter(std::ostream& err) : err_(err) {}
    void labelsChanged(const build::AssemblerLabels& labels) override {
        if (labels.currentFile != currentFile_) {
            currentFile_ = labels.currentFile;
            err_ << '[' << progress_ << '/' << build::AssemblerRun::kProgressMaximum << "] "
                 << currentFile_ << '\n';
        }
        last_ = labels;
    }
    void progressChanged(int value) override { progress_ = value; }
    void buttonsChanged(const build::AssemblerButtons& buttons) override {
        if (!buttons.abort)
            err_ << "Status: " << last_.status << " (" << last_.totalTime << " s)\n";
    }

private:
    std::ostream& err_;
    std::string currentFile_;
    build::AssemblerLabels last_;
    int progress_ = 0;
};

struct OpenedMission {
    std::unique_ptr<mission::MissionDocument> document;
    std::uint8_t patch = 0;
};

bool openMission(CliContext& c, const std::string& path, OpenedMission& opened) {
    opened.document = std::make_unique<mission::MissionDocument>();
    return mission::MissionFile::open(*opened.document, opened.patch, path, c.reporter);
}

build::SequenceHooks buildHooks(CliContext& c, mission::MissionDocument& document,
                                build::AssemblerObserver& observer) {
    build::SequenceHooks hooks;
    hooks.build = [&c, &document](common::Reporter& reporter) {
        const build::HeadlessScene scene(document);
        return build::buildMission(document, scene, c.programDirectory, reporter);
    };
    hooks.observer = &observer;
    return hooks;
}

int sequenceExit(build::SequenceResult result) {
    return result == build::SequenceResult::Done ? kExitOk : kExitFailed;
}

int runCompile(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"archive", "runner"}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 1)
        return usageError(c, self, "one mission file expected");
    if (!args.has("archive"))
        return usageError(c, self, "--archive is required");
    OpenedMission opened;
    if (!openMission(c, args.positionals()[0], opened))
        return kExitFailed;

    build::LaunchSettings settings;
    settings.programDirectory = c.programDirectory;
    settings.archivePath = args.value("archive");
    settings.patchSetting = opened.patch != 0;
    platform::QtProgramRunner runner({args.value("runner"), {}});
    ProgressPrinter progress(c.err);
    build::MissionSequences sequences(runner, c.reporter);
    return sequenceExit(sequences.compile(opened.document->header, settings,
                                          buildHooks(c, *opened.document, progress)));
}

int runLaunch(CliContext& c, const CliCommand& self) {
    ArgParser args(
        c.args, {"archive", "cd", "chassis", "config", "runner", "game-runner", "cd-letter", "exe"},
        {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 1)
        return usageError(c, self, "one mission file expected");
    if (!args.has("archive") || !args.has("cd"))
        return usageError(c, self, "--archive and --cd are required");
    const std::string letter = args.value("cd-letter", "E");
    if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0])))
        return usageError(c, self, "--cd-letter takes one drive letter");
    OpenedMission opened;
    if (!openMission(c, args.positionals()[0], opened))
        return kExitFailed;

    build::LaunchSettings settings;
    settings.programDirectory = c.programDirectory;
    settings.archivePath = args.value("archive");
    settings.cdLocation = build::cdRootOf(args.value("cd"));
    settings.cdLetter = letter;
    settings.chassis = args.value("chassis", "VORLANE");
    settings.configuration = args.value("config", "VRL00STD");
    settings.exeOverride = args.value("exe");
    settings.patchSetting = opened.patch != 0;
    platform::QtProgramRunner runner({args.value("runner"), args.value("game-runner")});
    ProgressPrinter progress(c.err);
    build::MissionSequences sequences(runner, c.reporter);
    return sequenceExit(sequences.launch(opened.document->header, settings,
                                         buildHooks(c, *opened.document, progress)));
}

// True when `a` and `b` are one file (also through a link); false when either is missing.
bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec) && !ec;
}

int runPackage(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    const auto& p = args.positionals();
    if (p.size() < 2)
        return usageError(c, self, "a package and at least one file expected");
    for (std::size_t i = 1; i < p.size(); ++i) {
        const std::string name = fs::path(p[i]).filename().string();
        if (!build::fitsPackageName(name) || !build::isSafeMemberName(name)) {
            c.err << "zevedit-cli package: '" << common::printableText(name)
                  << "' cannot name a member\n";
            return kExitFailed;
        }
        // The package would replace one of its own members.
        if (sameFile(p[0], p[i])) {
            c.err << "zevedit-cli package: " << p[0] << " is also one of the files to pack; "
                  << "choose another package name\n";
            return kExitFailed;
        }
    }
    build::PackageWriter writer;
    if (!writer.create(p[0])) {
        c.err << "zevedit-cli package: "
              << common::describeFileFailure("cannot write", p[0], writer.reason()) << '\n';
        return kExitFailed;
    }
    std::vector<std::pair<std::string, std::uintmax_t>> written;
    for (std::size_t i = 1; i < p.size(); ++i) {
        const std::string name = fs::path(p[i]).filename().string();
        if (!writer.addFile(name, p[i])) {
            const bool readFault = static_cast<bool>(writer.fileReason());
            c.err << "zevedit-cli package: "
                  << (readFault
                          ? common::describeFileFailure("cannot read", p[i], writer.fileReason())
                          : common::describeFileFailure("cannot write", p[0], writer.reason()))
                  << '\n';
            writer.discard();
            return kExitFailed;
        }
        std::error_code ec;
        written.emplace_back(name, fs::file_size(p[i], ec));
    }
    if (!writer.close()) {
        c.err << "zevedit-cli package: "
              << common::describeFileFailure("cannot write", p[0], writer.reason()) << '\n';
        return kExitFailed;
    }
    for (const auto& [name, size] : written)
        c.out << name << ' ' << size << '\n';
    return kExitOk;
}

int runUnpack(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    const auto& p = args.positionals();
    if (p.size() != 2)
        return usageError(c, self, "a package and a directory expected");
    // Member by member: a package is never held whole, whatever its size.
    build::PackageFileReader package;
    if (!package.open(p[0])) {
        c.err << "zevedit-cli unpack: "
              << common::describeFileFailure("cannot read", p[0], package.reason()) << '\n';
        return kExitFailed;
    }
    const fs::path directory = p[1];
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (ec) {
        c.err << "zevedit-cli unpack: "
              << common::describeFileFailure("cannot create", directory, ec) << '\n';
        return kExitFailed;
    }
    int status = kExitOk;
    std::set<std::string> written;
    while (const auto member = package.next()) {
        const std::string shown = common::printableText(member->name);
        if (!build::isSafeMemberName(member->name)) {
            c.err << "zevedit-cli unpack: member '" << shown
                  << "' is not a plain file name; skipped\n";
            status = kExitFailed;
            package.skipData();
            continue;
        }
        if (!written.insert(member->name).second)
            c.err << "zevedit-cli unpack: member '" << shown << "' appears again; replaced\n";
        // Through a temporary file: a full disk leaves an existing file as it was.
        common::AtomicFileWriter out;
        const fs::path target = directory / member->name;
        if (!out.open(target) || !package.copyData(out) || !out.commit()) {
            if (package.error() != build::PackageError::None)
                break;
            c.err << "zevedit-cli unpack: "
                  << common::describeFileFailure("cannot write", target, out.reason()) << '\n';
            return kExitFailed;
        }
        c.out << shown << ' ' << member->size << '\n';
    }
    if (package.error() != build::PackageError::None) {
        c.err << "zevedit-cli unpack: " << build::describePackageError(package.error())
              << " (at byte " << package.errorOffset() << ")\n";
        return kExitFailed;
    }
    if (written.empty() && status == kExitOk) {
        c.err << "zevedit-cli unpack: " << p[0] << " holds no member: not a mission package\n";
        return kExitFailed;
    }
    return status;
}

} // namespace

std::vector<CliCommand> launchCommands() {
    return {
        {"compile", "MISSION.mdb --archive PATH [--runner TEMPLATE]",
         "Builds the mission's sources, runs the mission assembler KORT.EXE of the program\n"
         "directory over them into the package <project>.zvm, installs it in the missions\n"
         "directory of the game (the directory of the archive PATH) and, for a 1.1-patch\n"
         "mission, updates the game's skygnd.par. Progress lines go to standard error.\n"
         "--runner is the command template that runs DOS programs (default: DOSBox).",
         runCompile},
        {"launch",
         "MISSION.mdb --archive PATH --cd DIR [--chassis NAME] [--config NAME] "
         "[--runner TEMPLATE] [--game-runner TEMPLATE] [--cd-letter L] [--exe NAME]",
         "Everything compile does, after checking that the game disc is at DIR (it holds\n"
         "talvo/zev.exe) and finding the chassis (default VORLANE) in CHS.IDX and the\n"
         "configuration (default VRL00STD) in MEK.IDX; then writes the star files and the PIF\n"
         "into the game directory and starts the game, waiting until it ends. --game-runner is\n"
         "the template that runs the game (default: Wine); --cd-letter the drive the game is\n"
         "told to find its disc on (default E); --exe a game executable to start instead.",
         runLaunch},
        {"package", "OUT.zvm FILE...",
         "Writes a mission package of the files, in the order given, each under its file name.",
         runPackage},
        {"unpack", "PACKAGE DIR",
         "Writes every member of a mission package into DIR (made when missing) and lists the\n"
         "members with their sizes. Members whose names are not plain file names are skipped.",
         runUnpack},
    };
}

} // namespace zev::cli
