// ZEVEDIT 3D: program entry.

#include "DesignForm.h"
#include "SplashForm.h"
#include "WorkspaceHost.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>

using namespace zev;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEVEDIT 3D"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("ZEVEDIT 3D mission editor"));
    parser.addHelpOption();
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
    parser.process(application);

    app::EditorContext context;
    QString home = parser.value(homeOption);
    if (home.isEmpty())
        home = qEnvironmentVariable("ZEVEDIT_HOME");
    if (home.isEmpty())
        home = QApplication::applicationDirPath();
    context.programDirectory = QDir(home).absolutePath().toStdString();
    context.archiveOverride = parser.value(archiveOption).isEmpty()
                                  ? QString()
                                  : QDir(parser.value(archiveOption)).absolutePath();

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
