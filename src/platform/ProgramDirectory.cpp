#include "platform/ProgramDirectory.h"

#include "common/FileIo.h"

#include <QStandardPaths>

#include <system_error>

namespace zev::platform {

namespace fs = std::filesystem;

namespace {

const char* const kCaption = "ZEVEDIT 3D";
const char* const kIniName = "zevedit.ini";

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool createDirectories(const fs::path& dir, common::Reporter& reporter) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!ec)
        return true;
    reporter.report(common::describeFileFailure("Could not create", dir, ec), kCaption,
                    common::MessageIcon::Stop);
    return false;
}

// Read and written rather than copied: the installed file is read-only, the user's copy must
// not be.
bool copyContents(const fs::path& from, const fs::path& to, common::Reporter& reporter) {
    std::error_code reason;
    const auto bytes = common::readWholeFile(from, common::kNoSizeCap, &reason);
    if (!bytes) {
        reporter.report(common::describeFileFailure("Could not read", from, reason), kCaption,
                        common::MessageIcon::Stop);
        return false;
    }
    if (common::writeWholeFile(to, *bytes, &reason))
        return true;
    reporter.report(common::describeFileFailure("Could not write", to, reason), kCaption,
                    common::MessageIcon::Stop);
    return false;
}

} // namespace

fs::path absoluteNormalPath(const fs::path& path) {
    if (path.empty())
        return path;
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec)
        return path;
    absolute = absolute.lexically_normal();
    // "home/" names the directory itself: drop the empty last element.
    if (!absolute.has_filename() && absolute.has_relative_path())
        absolute = absolute.parent_path();
    return absolute;
}

fs::path executableDirectory(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = fs::absolute(argv0, ec);
    return self.parent_path();
}

fs::path installedDefaultsDirectory(const fs::path& executableDirectory) {
    if (executableDirectory.empty())
        return {};
    const fs::path dir = absoluteNormalPath(executableDirectory / ".." / "share" / "zevedit");
    return isFile(dir / kIniName) ? dir : fs::path();
}

fs::path perUserProgramDirectory() {
    // The generic location, not AppDataLocation: that one depends on the application name,
    // which the tool never sets and the editor spells with a blank.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    return fs::path(base.toStdString()) / "ZEVEDIT3D";
}

ProgramDirectory chooseProgramDirectory(const ProgramDirectoryInputs& in) {
    const fs::path exe = absoluteNormalPath(in.executableDirectory);
    fs::path defaults = installedDefaultsDirectory(exe);
    if (!in.commandLineHome.empty())
        return {absoluteNormalPath(in.commandLineHome), ProgramDirectoryKind::CommandLine,
                defaults};
    if (!in.environmentHome.empty())
        return {absoluteNormalPath(in.environmentHome), ProgramDirectoryKind::Environment,
                defaults};
    if (!exe.empty() && isFile(exe / kIniName))
        return {exe, ProgramDirectoryKind::Portable, defaults};
    if (!defaults.empty()) {
        const fs::path user =
            in.perUserDirectory.empty() ? perUserProgramDirectory() : in.perUserDirectory;
        if (!user.empty())
            return {absoluteNormalPath(user), ProgramDirectoryKind::PerUser, defaults};
    }
    return {exe, ProgramDirectoryKind::Executable, defaults};
}

bool seedProgramDirectory(const fs::path& directory, const fs::path& defaultsDirectory,
                          common::Reporter& reporter) {
    if (!createDirectories(directory / "data" / "odb", reporter))
        return false;
    const fs::path ini = directory / kIniName;
    if (isFile(ini) || defaultsDirectory.empty())
        return true;
    return copyContents(defaultsDirectory / kIniName, ini, reporter);
}

ProgramDirectory resolveProgramDirectory(const ProgramDirectoryInputs& inputs,
                                         common::Reporter& reporter) {
    ProgramDirectory chosen = chooseProgramDirectory(inputs);
    if (chosen.kind == ProgramDirectoryKind::PerUser)
        chosen.ready = seedProgramDirectory(chosen.directory, chosen.defaultsDirectory, reporter);
    return chosen;
}

ExampleCopy copyExampleGroups(const fs::path& directory, const fs::path& defaultsDirectory,
                              common::Reporter& reporter) {
    ExampleCopy result;
    const fs::path examples = defaultsDirectory / "examples" / "data" / "odb";
    std::error_code ec;
    if (defaultsDirectory.empty() || !fs::is_directory(examples, ec)) {
        reporter.report("No example object groups are installed with this program.", kCaption,
                        common::MessageIcon::Stop);
        return result;
    }
    const fs::path odb = directory / "data" / "odb";
    if (!createDirectories(odb, reporter))
        return result;
    for (const fs::directory_entry& entry : fs::directory_iterator(examples, ec)) {
        if (!entry.is_regular_file(ec) || entry.path().extension() != ".odb")
            continue;
        const fs::path target = odb / entry.path().filename();
        if (isFile(target)) {
            ++result.kept;
            continue;
        }
        if (!copyContents(entry.path(), target, reporter))
            return result;
        ++result.copied;
    }
    if (ec) {
        reporter.report(common::describeFileFailure("Could not read", examples, ec), kCaption,
                        common::MessageIcon::Stop);
        return result;
    }
    result.ok = true;
    return result;
}

const char* programDirectoryKindName(ProgramDirectoryKind kind) {
    switch (kind) {
    case ProgramDirectoryKind::CommandLine:
        return "--home";
    case ProgramDirectoryKind::Environment:
        return "ZEVEDIT_HOME";
    case ProgramDirectoryKind::Portable:
        return "portable";
    case ProgramDirectoryKind::PerUser:
        return "per-user";
    case ProgramDirectoryKind::Executable:
        return "executable's directory";
    }
    return "";
}

} // namespace zev::platform
