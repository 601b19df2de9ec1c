#pragma once

#include "TempDir.h"

#include "app/DesignForm.h"
#include "app/EditorContext.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace apptest {

// A temporary program directory and a settings store of its own (an INI file beside it).
class EditorSandbox {
public:
    EditorSandbox();

    std::filesystem::path home() const { return dir.path() / "home"; }
    std::filesystem::path settingsFile() const { return dir.path() / "settings.ini"; }
    std::filesystem::path file(const std::string& name) const { return dir.path() / name; }
    zev::app::EditorContext context();

    TempDir dir;
    std::unique_ptr<zev::platform::SettingsStore> settings;
};

// The main window with its dialogs answered from scripts. An unscripted question fails the
// test and is answered "Cancel". Message boxes are counted and not shown unless showBoxes is
// set (then a test answers them, see answerNextModal).
class ScriptedDesignForm : public zev::app::TDesignForm {
public:
    explicit ScriptedDesignForm(zev::app::EditorContext context);

    zev::app::UnsavedChoice askUnsavedWork() override;
    std::optional<std::filesystem::path> askOpenPath() override;
    std::optional<std::filesystem::path> askSavePath() override;
    std::optional<zev::mission::NewMissionSelection> askNewMission() override;
    // "Compile anyway?" is answered `compileAnyway` (yes unless a test says otherwise).
    bool askCompileAnyway(int errors) override;

    std::deque<zev::app::UnsavedChoice> unsavedAnswers;
    std::deque<std::optional<std::filesystem::path>> openAnswers;
    std::deque<std::optional<std::filesystem::path>> saveAnswers;
    std::deque<std::optional<zev::mission::NewMissionSelection>> newAnswers;
    int unsavedAsked = 0, openAsked = 0, saveAsked = 0, newAsked = 0;
    bool compileAnyway = true;
    int compileAnywayAsked = 0;
    // Use the window's own New Mission Selection dialog instead of the script.
    bool realSelectionDialog = false;

    int messageBoxes = 0;
    bool showBoxes = false;
};

zev::mission::NewMissionSelection Selection(const std::string& project = "ABCD",
                                            const std::string& mission = "Test Mission",
                                            int players = 4, bool freeForAll = true);

// Calls `answer` with the next modal widget once it is shown (polling the event loop). Gives
// up after `timeoutMs` and fails the test then.
void answerNextModal(std::function<void(QWidget*)> answer, int timeoutMs = 5000);

// Answers the modal windows of a command one after another: each step looks at the window
// that is modal now and says whether it has done its part. A step that never comes fails the
// test after 20 seconds (or `timeoutMs`) and the open dialog is closed, so the command ends. A step
// that opens another modal window must do so queued (after it has returned).
class ModalScript {
public:
    using Step = std::function<bool(QWidget*)>;
    explicit ModalScript(std::vector<Step> steps, int timeoutMs = 20000);
    bool finished() const { return next_ == steps_.size(); }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    bool gaveUp_ = false;
    int timeoutMs_;
    QElapsedTimer clock_;
    QTimer timer_;
};

// Makes the application object of a test program that needs a display, once.
void ensureGuiApplication();

// Processes pending events, including those posted with a zero timer.
void settle();

std::string readFileText(const std::filesystem::path& path);

} // namespace apptest
