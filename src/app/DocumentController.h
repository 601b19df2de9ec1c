#pragma once

#include "edit/MissionEditor.h"
#include "mission/NewMission.h"

#include "common/Reporter.h"

#include <filesystem>
#include <optional>
#include <string>

namespace zev::app {

// Answers of the unsaved-work prompt ("Save It", "Dump It", "Cancel").
enum class UnsavedChoice { SaveIt = 1, Cancel = 2, DumpIt = 5 };

// What the document commands need from the window: the dialogs, the title, the enabled state
// of the document controls, the busy cursor and the workspace's check of what it can show.
class DocumentUi {
public:
    virtual ~DocumentUi() = default;
    virtual UnsavedChoice askUnsavedWork() = 0;
    virtual std::optional<std::filesystem::path> askOpenPath() = 0;
    virtual std::optional<std::filesystem::path> askSavePath() = 0;
    // The New Mission Selection dialog; nothing when it is cancelled.
    virtual std::optional<mission::NewMissionSelection> askNewMission() = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual void setDocumentControlsEnabled(bool enabled) = 0;
    virtual void setBusy(bool busy) = 0;
    // For Open: whether the workspace can show an object (nothing without a workspace).
    virtual edit::MissionEditor::ShowCheck showCheck() = 0;
    // A mission file was opened or saved (the recent files list).
    virtual void fileUsed(const std::filesystem::path& path) { (void)path; }
};

// New, Open, Save, Save As and the close check of the main window, over the mission editor:
// New and Open are its load steps, Save writes its document with its positions and makes the
// saved state the clean one.
class DocumentController {
public:
    DocumentController(edit::MissionEditor& editor, std::filesystem::path programDirectory,
                       common::Reporter& reporter, DocumentUi& ui);

    static std::string titleFor(const std::string& fileName);
    static constexpr const char* kPlainTitle = "ZEVEDIT 3D";
    static constexpr const char* kNewMissionTitle = "ZEVEDIT 3D  [New Mission]";
    static constexpr const char* kRecoveredTitle = "ZEVEDIT 3D  [Recovered Mission]";

    bool newMission();
    bool open();
    // Open of a file already chosen (a recent file).
    bool openFile(const std::filesystem::path& path);
    // A recovery copy as an untitled, modified mission.
    bool restore(const std::filesystem::path& copy);
    bool save();
    bool saveAs();
    // The unsaved-work prompt before closing: false keeps the window open.
    bool queryClose();

    bool hasDocument() const { return hasDocument_; }
    const std::string& fileName() const { return fileName_; }
    std::uint8_t patchSetting() const { return patch_; }
    void setPatchSetting(std::uint8_t patch) { patch_ = patch; }

private:
    // The unsaved-work prompt: true when the command may go on.
    bool settleUnsavedWork();
    bool saveTo(const std::filesystem::path& path);
    bool load(const std::filesystem::path& path);

    edit::MissionEditor& editor_;
    std::filesystem::path programDirectory_;
    common::Reporter& reporter_;
    DocumentUi& ui_;
    std::string fileName_;
    bool hasDocument_ = false;
    std::uint8_t patch_ = 0;
};

} // namespace zev::app
