#include "GameLaunch.h"

#include "PifFiles.h"
#include "StarFiles.h"

#include "common/FileIo.h"

#include <cctype>
#include <span>
#include <system_error>

namespace zev::build {

namespace fs = std::filesystem;
using common::MessageIcon;

namespace {

constexpr const char* kAssemblerError = "Assembler Error...";
constexpr const char* kLaunchError = "Launch Error..";

bool writeIntoGameDirectory(const fs::path& gameDirectory, const std::string& name,
                            std::span<const std::uint8_t> data, std::string& failure) {
    const fs::path path = common::resolveCaseInsensitive(gameDirectory, name);
    std::error_code reason;
    if (common::writeWholeFile(path, data, &reason))
        return true;
    failure = common::describeFileFailure("cannot write", path, reason);
    return false;
}

} // namespace

fs::path gameDirectoryOf(const fs::path& archivePath) {
    std::error_code ec;
    if (fs::is_directory(archivePath, ec))
        return archivePath;
    return archivePath.parent_path();
}

fs::path cdRootOf(const std::string& cdLocation) {
    const bool letter = !cdLocation.empty() && cdLocation.size() <= 2 &&
                        std::isalpha(static_cast<unsigned char>(cdLocation[0])) &&
                        (cdLocation.size() == 1 || cdLocation[1] == ':');
    if (letter)
        return fs::path(std::string(1, cdLocation[0]) + ":/");
    return fs::path(cdLocation);
}

bool cdHoldsGame(const fs::path& cdLocation) {
    if (cdLocation.empty())
        return false;
    std::error_code ec;
    const fs::path exe = common::resolveCaseInsensitive(cdLocation, fs::path("talvo") / "zev.exe");
    return fs::is_regular_file(exe, ec);
}

std::string assemblerCommandLine(const ProgramView& view, std::string_view output) {
    std::string line = "kort.exe /p=";
    line += view.gameDirectory;
    line += " __.tmp ";
    line += output;
    line += " > ";
    line += view.programDirectory;
    line += "\\korterr.txt";
    return line;
}

std::string overrideStem(std::string_view exeOverride) {
    if (exeOverride.size() < 4)
        return {};
    const std::size_t slash = exeOverride.find_last_of("/\\:");
    std::string_view name =
        slash == std::string_view::npos ? exeOverride : exeOverride.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(name);
}

std::string gameCommandLine(const ProgramView& view, std::string_view project,
                            std::string_view exeOverride, bool patchSetting,
                            std::string_view cdLetter) {
    std::string exe;
    if (const std::string stem = overrideStem(exeOverride); !stem.empty())
        exe = stem + ".exe";
    else
        exe = patchSetting ? "talvowin.exe" : "zev.exe";
    std::string program = view.gameDirectory;
    if (program.empty() || program.back() != '\\')
        program += '\\';
    program += exe;
    if (program.find(' ') != std::string::npos)
        program = '"' + program + '"';
    std::string line = program;
    line += " -S ";
    line += project;
    line += "scn1 -T=MISSIONS\\";
    line += project;
    line += ".zvm -cd=";
    line += cdLetter;
    return line;
}

bool installPackage(const fs::path& programDirectory, const fs::path& gameDirectory,
                    std::string_view project, common::Reporter& reporter) {
    const std::string name = std::string(project) + ".zvm";
    std::error_code reason;
    const auto package =
        common::readWholeFile(programDirectory / name, common::kNoSizeCap, &reason);
    if (!package) {
        reporter.report("File Transfer Error(zvm)", kAssemblerError, MessageIcon::Stop);
        reporter.detail(
            common::describeFileFailure("cannot read", programDirectory / name, reason));
        return false;
    }
    fs::path missions = common::resolveCaseInsensitive(gameDirectory, "missions");
    fs::create_directories(missions, reason);
    const fs::path target = common::resolveCaseInsensitive(missions, name);
    if (reason || !common::writeWholeFile(target, *package, &reason)) {
        reporter.report("Swap File Transfer Error", kAssemblerError, MessageIcon::Stop);
        reporter.detail(common::describeFileFailure("cannot write", target, reason));
        return false;
    }
    return true;
}

bool startGame(const LaunchSettings& settings, const GameStartRequest& request,
               ProgramRunner& runner, common::Reporter& reporter) {
    const fs::path gameDirectory = gameDirectoryOf(settings.archivePath);

    const auto player = playerStarFile(request.chassis, request.chassisNumber,
                                       request.configuration, request.configurationNumber);
    for (int n = 0; n < kStarFileCount; ++n) {
        const std::span<const std::uint8_t> data =
            n == 0 ? std::span<const std::uint8_t>(player) : std::span(emptyStarFile());
        std::string failure;
        if (!writeIntoGameDirectory(gameDirectory, starFileName(n), data, failure)) {
            reporter.report("Error Writing Star Files", kLaunchError, MessageIcon::Information);
            reporter.detail(failure);
            return false;
        }
    }

    const std::string stem = overrideStem(settings.exeOverride);
    std::string program;
    if (!stem.empty())
        program = stem + ".EXE";
    else
        program = settings.patchSetting ? "TALVOWIN.EXE" : "ZEV.EXE";
    const std::string pifName = (stem.empty() ? std::string("zev") : stem) + ".pif";
    std::string failure;
    if (!writeIntoGameDirectory(gameDirectory, pifName, gamePif(program), failure)) {
        reporter.report("PIF File Creation Error!", kLaunchError, MessageIcon::Information);
        reporter.detail(failure);
        return false;
    }

    ProgramStart start;
    start.kind = ProgramKind::Windows;
    const ProgramView view = runner.view(start.kind, settings.programDirectory, gameDirectory);
    start.commandLine = gameCommandLine(view, request.project, settings.exeOverride,
                                        settings.patchSetting, settings.cdLetter);
    start.programDirectory = settings.programDirectory;
    start.gameDirectory = gameDirectory;
    start.cdLocation = settings.cdLocation;
    start.workingDirectory = gameDirectory;
    start.hidden = false;
    if (!runner.run(start)) {
        reporter.report("Error Locating ZEV.EXE!", kLaunchError, MessageIcon::Information);
        return false;
    }
    return true;
}

} // namespace zev::build
