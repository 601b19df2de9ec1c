#include "AppTestSupport.h"

#include "app/AssemblerForm.h"
#include "app/ErrorForm.h"
#include "app/LaunchMekForm.h"

#include "build/AssemblerRun.h"
#include "common/FileIo.h"
#include "gamedata/DemoData.h"
#include "platform/CommandTemplate.h"
#include "platform/EditorSettings.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <fstream>
#include <functional>

using namespace zev;
using apptest::ModalScript;
using apptest::ScriptedDesignForm;
using apptest::Selection;
namespace fs = std::filesystem;

namespace {

constexpr const char* S = platform::SettingsStore::kSetup;

template <typename T> T* child(QWidget* w, const char* name) {
    return w->findChild<T*>(QString::fromLatin1(name));
}

// The assembler window once its run has ended: what it shows, then OK.
ModalScript::Step endOfRun(std::map<std::string, QString>& seen) {
    return [&seen](QWidget* w) {
        auto* form = qobject_cast<app::TAssemblerForm*>(w);
        if (!form || form->running() || !child<QPushButton>(w, "OkBtn")->isVisible())
            return false;
        for (const char* name : {"ProjectLabel", "FileLabel", "StatusLabel", "TimeLabel"})
            seen[name] = child<QLabel>(w, name)->text();
        seen["progress"] = QString::number(child<QProgressBar>(w, "ProgressBar")->value());
        seen["viewErrors"] = child<QPushButton>(w, "ErrorBtn")->isVisible() ? "shown" : "hidden";
        child<QPushButton>(w, "OkBtn")->click();
        return true;
    };
}

ModalScript::Step messageBox(std::string& text, std::string& caption) {
    return [&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box)
            return false;
        text = box->text().toStdString();
        caption = box->windowTitle().toStdString();
        box->accept();
        return true;
    };
}

class BuildCommands : public ::testing::Test {
protected:
    void SetUp() override {
        common::SilentReporter quiet;
        ASSERT_TRUE(gamedata::demo::writeDemoData(sandbox.dir.path() / "demo", quiet));
        demo = gamedata::demo::demoDataPaths(sandbox.dir.path() / "demo");
        std::vector<std::uint8_t> kort(build::kAssemblerSignatureOffset + 200, 0x90);
        std::copy_n("Talvorendix", 11, kort.begin() + build::kAssemblerSignatureOffset);
        ASSERT_TRUE(common::writeWholeFile(demo.programDirectory / "KORT.EXE", kort));
        fs::create_directories(sandbox.dir.path() / "cd" / "TALVO");
        std::ofstream(sandbox.dir.path() / "cd" / "TALVO" / "ZEV.EXE") << "game";
        sandbox.settings->setText(S, "Prj Path", QString::fromStdString(demo.archive.string()));
        sandbox.settings->setText(S, "CD ROM Location",
                                  QString::fromStdString((sandbox.dir.path() / "cd").string()));
        useAssembler();
        sandbox.settings->setText(
            S, "Game Runner", QStringLiteral(R"(/bin/sh -c "printf '%s' '{cmd}' > launched.txt")"));
    }

    void useAssembler(const std::string& extra = {}) {
        sandbox.settings->setText(S, "Assembler Runner",
                                  QString::fromStdString("\"" ZEV_TEST_ASSEMBLER
                                                         "\" --progdir {progdir} --gamedir "
                                                         "{gamedir} " +
                                                         extra + " \"{cmd}\""));
    }

    void openWindow() {
        app::EditorContext context = sandbox.context();
        context.programDirectory = demo.programDirectory;
        context.setup = platform::readSetup(*sandbox.settings);
        form = std::make_unique<ScriptedDesignForm>(context);
        form->show();
    }

    void newMission() {
        form->newAnswers.push_back(Selection("ABCD", "Border Raid"));
        form->NewBtn->trigger();
    }

    fs::path installed() const { return demo.archive.parent_path() / "missions" / "ABCD.zvm"; }

    apptest::EditorSandbox sandbox;
    gamedata::demo::DemoDataPaths demo;
    std::unique_ptr<ScriptedDesignForm> form;
};

} // namespace

TEST_F(BuildCommands, CompileShowsTheRunToItsEndInstallsThePackageAndRefusesASecondRun) {
    useAssembler("--sleep-ms 30"); // time for the script to act while the run goes on
    openWindow();
    for (QAction* a : {form->BuildBtn, form->CompileBtn, form->LaunchBtn})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_TRUE(form->ErrorLogBtn->isEnabled());
    newMission();
    for (QAction* a : {form->BuildBtn, form->CompileBtn, form->LaunchBtn})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    // The message keeps its text and names the folder the sources went to.
    form->showBoxes = true;
    std::string built, builtCaption;
    {
        ModalScript boxes({messageBox(built, builtCaption)});
        form->BuildBtn->trigger();
    }
    form->showBoxes = false;
    EXPECT_EQ(form->messageBoxes, 1);
    EXPECT_EQ(built, "Text File Build Complete...\n\nThe sources are in " +
                         (demo.programDirectory / "source" / "ABCD").string());
    EXPECT_TRUE(fs::exists(demo.programDirectory / "source" / "ABCD" / "ABCDare1.wld"));
    form->messageBoxes = 0;

    std::map<std::string, QString> seen;
    int windowsDuringRun = 0;
    bool closedDuringRun = true;
    ModalScript script({[&](QWidget* w) {
                            auto* run = qobject_cast<app::TAssemblerForm*>(w);
                            if (!run || !run->running())
                                return false;
                            // A second command and closing the window are refused meanwhile.
                            form->CompileBtn->trigger();
                            form->BuildBtn->trigger();
                            windowsDuringRun =
                                int(form->findChildren<app::TAssemblerForm*>().size());
                            closedDuringRun = form->close();
                            return true;
                        },
                        endOfRun(seen)});
    form->CompileBtn->trigger();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(windowsDuringRun, 1);
    EXPECT_FALSE(closedDuringRun);
    EXPECT_EQ(seen["ProjectLabel"], "Border Raid  (ABCD.zvm)");
    EXPECT_EQ(seen["StatusLabel"], "Success");
    EXPECT_EQ(seen["progress"], "90") << "a step of 3 for the start and for each assembled file";
    EXPECT_EQ(seen["viewErrors"], "hidden");
    EXPECT_TRUE(fs::exists(installed()));
    EXPECT_FALSE(form->isBusy());
    EXPECT_EQ(form->messageBoxes, 0);
}

TEST_F(BuildCommands, AnAssemblingFailureOffersTheErrorsAndAbortStopsAfterTheCurrentFile) {
    useAssembler("--fail-on ABCDare3.bwd");
    openWindow();
    newMission();
    form->showBoxes = true;
    std::string text, caption;
    std::map<std::string, QString> seen;
    QString log;
    ModalScript failing({messageBox(text, caption),
                         [&](QWidget* w) {
                             auto* run = qobject_cast<app::TAssemblerForm*>(w);
                             if (!run || run->running())
                                 return false;
                             // Its log window is modal too: opened after this step has returned.
                             QMetaObject::invokeMethod(child<QPushButton>(w, "ErrorBtn"), "click",
                                                       Qt::QueuedConnection);
                             return true;
                         },
                         [&](QWidget* w) {
                             auto* errors = qobject_cast<app::TErrorForm*>(w);
                             if (!errors)
                                 return false;
                             log = errors->ErrorMemo->toPlainText();
                             errors->reject();
                             return true;
                         },
                         endOfRun(seen)});
    form->CompileBtn->trigger();
    ASSERT_TRUE(failing.finished());
    EXPECT_EQ(caption, "Error while Assembling File...");
    EXPECT_EQ(seen["StatusLabel"], "Failure");
    EXPECT_EQ(seen["viewErrors"], "shown");
    EXPECT_FALSE(log.isEmpty()) << "the assembler's log of the failed file";
    EXPECT_FALSE(fs::exists(installed()));

    // The main window's Error Log shows the same file.
    QString again;
    ModalScript viewer({[&](QWidget* w) {
        auto* errors = qobject_cast<app::TErrorForm*>(w);
        if (!errors)
            return false;
        again = errors->ErrorMemo->toPlainText();
        errors->reject();
        return true;
    }});
    form->ErrorLogBtn->trigger();
    EXPECT_EQ(again, log);

    // Abort early in the run: it ends after the file being assembled, the package is gone.
    useAssembler("--sleep-ms 60");
    ModalScript aborting({[&](QWidget* w) {
                              auto* run = qobject_cast<app::TAssemblerForm*>(w);
                              if (!run || !run->running())
                                  return false;
                              child<QPushButton>(w, "AbortBtn")->click();
                              return true;
                          },
                          endOfRun(seen)});
    form->CompileBtn->trigger();
    ASSERT_TRUE(aborting.finished());
    EXPECT_FALSE(fs::exists(demo.programDirectory / "ABCD.zvm"));
    EXPECT_FALSE(fs::exists(installed()));
    EXPECT_LT(seen["progress"].toInt(), 90) << "the run ended early";
}

TEST_F(BuildCommands, LaunchStartsTheGameWithTheChosenMekAndTheMekDialogStoresItsChoice) {
    openWindow();
    ModalScript choose({[&](QWidget* w) {
        auto* dialog = qobject_cast<app::TLaunchMekForm*>(w);
        if (!dialog)
            return false;
        auto* chassis = child<QListWidget>(w, "ChassisBox");
        auto* configs = child<QListWidget>(w, "ConfigBox");
        EXPECT_EQ(chassis->currentItem()->text(), "VORLANE") << "the current one selected";
        EXPECT_GE(configs->count(), 1);
        for (int i = 0; i + 1 < chassis->count(); ++i)
            EXPECT_LE(
                chassis->item(i)->text().compare(chassis->item(i + 1)->text(), Qt::CaseInsensitive),
                0);
        dialog->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
        return true;
    }});
    form->MissionLaunchMek1->trigger();
    ASSERT_TRUE(choose.finished());
    EXPECT_EQ(sandbox.settings->text(S, "Mek Chassis"), "VORLANE");
    EXPECT_EQ(sandbox.settings->text(S, "Mek Configuration"), "VRL00STD");

    newMission();
    QSignalSpy starting(form.get(), &app::TDesignForm::sequenceStarting);
    std::map<std::string, QString> seen;
    ModalScript script({endOfRun(seen)});
    form->LaunchBtn->trigger();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(starting.count(), 1);
    EXPECT_EQ(seen["StatusLabel"], "Success");
    EXPECT_TRUE(fs::exists(installed()));
    const std::string launched = apptest::readFileText(demo.archive.parent_path() / "launched.txt");
    EXPECT_NE(launched.find("-T=MISSIONS\\ABCD.zvm"), std::string::npos) << launched;
    EXPECT_EQ(form->messageBoxes, 0);
}

TEST_F(BuildCommands, TheProgramRunnersDialogStoresTemplatesAndDefaultEmptiesOne) {
    openWindow();
    ModalScript script({[&](QWidget* w) {
        auto* assembler = w->findChild<QLineEdit*>(QStringLiteral("AssemblerRunner"));
        auto* game = w->findChild<QLineEdit*>(QStringLiteral("GameRunner"));
        if (!assembler || !game)
            return false;
        EXPECT_NE(assembler->text(), QString()) << "the test assembler's template is shown";
        EXPECT_EQ(game->placeholderText(), QString::fromLatin1(platform::kDefaultWindowsTemplate));
        w->findChild<QPushButton*>(QStringLiteral("AssemblerRunnerDefault"))->click();
        game->setText(QStringLiteral("  mywine {cmd}  "));
        qobject_cast<QDialog*>(w)->accept();
        return true;
    }});
    form->ProgramRunners1->trigger();
    ASSERT_TRUE(script.finished());
    const platform::RunnerSettings stored = platform::readRunnerSettings(*sandbox.settings);
    EXPECT_EQ(stored.assembler, QString());
    EXPECT_EQ(stored.game, "mywine {cmd}");
}
