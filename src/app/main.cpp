// ZEVEDIT 3D: program entry.

#include "DesignForm.h"
#include "GuiReporter.h"
#include "SplashForm.h"
#include "WorkspaceHost.h"
#include "platform/ProgramDirectory.h"
#include "version/Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>

#include <cstdio>
#include <cstring>

using namespace zev;

int main(int argc, char** argv) {
    // Answered before Qt starts, so it works without a display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("zevedit %s\n", kVersion);
            return 0;
        }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEVEDIT 3D"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("ZEVEDIT 3D mission editor"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption homeOption(
        QStringLiteral("home"), QStringLiteral("Program directory (zevedit.ini, data/odb)."),
        QStringLiteral("DIR"));
    const QCommandLineOption archiveOption(QStringLiteral("archive"),
                                           QStringLiteral("Project archive path for this run."),
                                           QStringLiteral("PATH"));
    const QCommandLineOption settingsOption(
        QStringLiteral("settings"),
        QStringLiteral("Keep the settings in this INI file instead of the user's store."),
        QStringLiteral("FILE"));
    parser.addOption(homeOption);
    parser.addOption(archiveOption);
    parser.addOption(settingsOption);
    parser.addPositionalArgument(QStringLiteral("MISSION.mdb"),
                                 QStringLiteral("A mission to open once the editor has started."),
                                 QStringLiteral("[MISSION.mdb]"));
    parser.process(application);
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "zevedit: one mission file at most\n");
        return 2;
    }

    app::EditorContext context;
    platform::ProgramDirectoryInputs homeInputs;
    homeInputs.commandLineHome = parser.value(homeOption).toStdString();
    homeInputs.environmentHome = qEnvironmentVariable("ZEVEDIT_HOME").toStdString();
    homeInputs.executableDirectory = QApplication::applicationDirPath().toStdString();
    // A failed seeding has been shown; the editor still starts and reports what then fails.
    app::GuiReporter homeReporter;
    context.programDirectory =
        platform::resolveProgramDirectory(homeInputs, homeReporter).directory;
    context.archiveOverride = parser.value(archiveOption).isEmpty()
                                  ? QString()
                                  : QDir(parser.value(archiveOption)).absolutePath();
    // Taken from the current directory now: the editor and its programs run elsewhere later.
    if (!parser.positionalArguments().isEmpty())
        context.startMission = QDir().absoluteFilePath(parser.positionalArguments().front());

    if (workspace::probeGraphicsVersion() < workspace::kRequiredGraphicsVersion) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Error"),
                        QString::fromLatin1(workspace::kGraphicsTooOldMessage)
                            .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        box.exec();
        return 1;
    }

    std::unique_ptr<platform::SettingsStore> settings =
        parser.isSet(settingsOption)
            ? std::make_unique<platform::SettingsStore>(parser.value(settingsOption))
            : platform::SettingsStore::openUserStore();
    context.settings = settings.get();

    app::TSplashForm splash(context, [](app::TDesignForm& form,
                                        const platform::RenderChoice& choice,
                                        const app::TSplashForm& start) {
        return app::setUpWorkspace(form, choice, start.drivers(), start.modes());
    });
    splash.show();
    // Closing the start-up form ends the program.
    QObject::connect(&splash, &QDialog::finished, &application, &QApplication::quit);
    return application.exec();
}
