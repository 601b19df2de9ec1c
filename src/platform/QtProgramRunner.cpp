#include "QtProgramRunner.h"

#include "CommandTemplate.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zev::platform {

namespace fs = std::filesystem;
using build::ProgramKind;

namespace {

#ifdef _WIN32
constexpr bool kNativeByDefault = true;

std::string shortPath(const fs::path& path) {
    const std::wstring wide = path.wstring();
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetShortPathNameW(wide.c_str(), buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return path.string();
    return fs::path(std::wstring(buffer, n)).string();
}
#else
constexpr bool kNativeByDefault = false;
#endif

std::string withTrailingBackslash(std::string text) {
    if (text.empty() || text.back() != '\\')
        text += '\\';
    return text;
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}
QString qt(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// Waits for the process, letting the caller repaint in between; false when it never started.
bool waitFor(QProcess& process, const std::function<void()>& whileWaiting) {
    if (!process.waitForStarted(-1))
        return false;
    while (!process.waitForFinished(40)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (whileWaiting)
            whileWaiting();
    }
    return true;
}

} // namespace

RunnerTemplates completeTemplates(RunnerTemplates t) {
    if (!kNativeByDefault) {
        if (t.dos.empty())
            t.dos = kDefaultDosTemplate;
        if (t.windows.empty())
            t.windows = kDefaultWindowsTemplate;
    }
    return t;
}

QtProgramRunner::QtProgramRunner(RunnerTemplates templates)
    : templates_(completeTemplates(std::move(templates))) {
    whileWaiting_ = [] {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

const std::string& QtProgramRunner::templateFor(ProgramKind kind) const {
    return kind == ProgramKind::Dos ? templates_.dos : templates_.windows;
}

build::ProgramView QtProgramRunner::view(ProgramKind kind, const fs::path& programDirectory,
                                         const fs::path& gameDirectory) const {
    const std::string& t = templateFor(kind);
#ifdef _WIN32
    if (t.empty())
        return {shortPath(programDirectory), withTrailingBackslash(gameDirectory.string())};
#endif
    if (templateMountsDirectories(t))
        return {"C:", "D:\\"};
    return {wineDrivePath(programDirectory), withTrailingBackslash(wineDrivePath(gameDirectory))};
}

bool QtProgramRunner::run(const build::ProgramStart& start) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!start.workingDirectory.empty())
        process.setWorkingDirectory(qt(start.workingDirectory));

    const std::string& t = templateFor(start.kind);
#ifdef _WIN32
    if (t.empty()) {
        // The command interpreter carries out the redirection of the assembler's log.
        process.setProgram(QStringLiteral("cmd.exe"));
        process.setNativeArguments(QStringLiteral("/c ") + qt(start.commandLine));
        process.start();
        return waitFor(process, whileWaiting_);
    }
#endif
    const auto words = splitTemplate(t);
    if (!words || words->empty())
        return false;
    TemplateValues values;
    values.progdir = start.programDirectory.string();
    values.gamedir = start.gameDirectory.string();
    values.cd = start.cdLocation.string();
    values.cmd = start.commandLine;
    const std::vector<std::string> command = expandTemplate(*words, values);
    if (command.empty() || command.front().empty())
        return false;

    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i)
        arguments << qt(command[i]);
    if (start.hidden) {
        // Emulators drawing through SDL then open no window.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!environment.contains(QStringLiteral("SDL_VIDEODRIVER")))
            environment.insert(QStringLiteral("SDL_VIDEODRIVER"), QStringLiteral("dummy"));
        if (!environment.contains(QStringLiteral("SDL_AUDIODRIVER")))
            environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        process.setProcessEnvironment(environment);
    }
    process.start(qt(command.front()), arguments);
    return waitFor(process, whileWaiting_);
}

} // namespace zev::platform
