#include "DocumentController.h"

#include "mission/MissionFile.h"

namespace zev::app {

using namespace zev::mission;

DocumentController::DocumentController(edit::MissionEditor& editor,
                                       std::filesystem::path programDirectory,
                                       common::Reporter& reporter, DocumentUi& ui)
    : editor_(editor), programDirectory_(std::move(programDirectory)), reporter_(reporter),
      ui_(ui) {}

std::string DocumentController::titleFor(const std::string& fileName) {
    return std::string(kPlainTitle) + "  [" + fileName + "]";
}

bool DocumentController::settleUnsavedWork() {
    if (!editor_.isModified())
        return true;
    switch (ui_.askUnsavedWork()) {
    case UnsavedChoice::DumpIt:
        return true;
    case UnsavedChoice::Cancel:
        return false;
    case UnsavedChoice::SaveIt:
        break;
    }
    if (editor_.document().untitled || fileName_.empty()) {
        const auto path = ui_.askSavePath();
        if (!path)
            return false;
        fileName_ = path->string();
    }
    // A failed save keeps the work: the command does not go on.
    return saveTo(fileName_);
}

bool DocumentController::saveTo(const std::filesystem::path& path) {
    // Save stamps the header and writes the workspace positions into the records: bookkeeping
    // of the file, not an edit, so it is no undo step. The mission type chosen in the 3dfx
    // options (or undone) is the patch setting from now on; stamping the old one would undo it.
    patch_ = editor_.document().header.byte(mission::MissionHeader::patch);
    if (!MissionFile::save(editor_.documentForChange(), path, editor_, patch_, reporter_))
        return false;
    editor_.markSaved();
    ui_.fileUsed(path);
    return true;
}

bool DocumentController::newMission() {
    if (!settleUnsavedWork())
        return false;
    const auto selection = ui_.askNewMission();
    if (!selection)
        return false;
    ui_.setBusy(true);
    // A new mission keeps nothing of the previous one: header fields no default names (the
    // world flags), the briefings and the objects all start empty.
    MissionDocument fresh;
    storeSelection(fresh, *selection);
    patch_ = selection->patch ? 1 : 0;
    resetToNewMission(fresh, programDirectory_, patch_);
    editor_.startMission(fresh);
    fileName_.clear();
    hasDocument_ = true;
    ui_.setTitle(kNewMissionTitle);
    ui_.setDocumentControlsEnabled(true);
    ui_.setBusy(false);
    return true;
}

bool DocumentController::open() {
    if (!settleUnsavedWork())
        return false;
    const auto path = ui_.askOpenPath();
    return path && load(*path);
}

bool DocumentController::openFile(const std::filesystem::path& path) {
    return settleUnsavedWork() && load(path);
}

bool DocumentController::load(const std::filesystem::path& path) {
    ui_.setBusy(true);
    // A failed open leaves the mission, the scene, the title and the controls as they were.
    MissionDocument read;
    std::uint8_t patch = patch_;
    const bool opened = MissionFile::open(read, patch, path, reporter_);
    if (opened) {
        patch_ = patch;
        editor_.openMission(read, ui_.showCheck(), reporter_);
        fileName_ = path.string();
        hasDocument_ = true;
        ui_.setTitle(titleFor(fileName_));
        ui_.setDocumentControlsEnabled(true);
        ui_.fileUsed(path);
    }
    ui_.setBusy(false);
    return opened;
}

bool DocumentController::restore(const std::filesystem::path& copy) {
    if (!settleUnsavedWork())
        return false;
    MissionDocument read;
    std::uint8_t patch = patch_;
    if (!MissionFile::open(read, patch, copy, reporter_))
        return false;
    patch_ = patch;
    editor_.openMission(read, ui_.showCheck(), reporter_);
    // Not the user's file: Save asks where it goes.
    editor_.markRecovered();
    fileName_.clear();
    hasDocument_ = true;
    ui_.setTitle(kRecoveredTitle);
    ui_.setDocumentControlsEnabled(true);
    return true;
}

bool DocumentController::save() {
    if (!hasDocument_)
        return false;
    if (editor_.document().untitled || fileName_.empty())
        return saveAs();
    return saveTo(fileName_);
}

bool DocumentController::saveAs() {
    if (!hasDocument_)
        return false;
    const auto path = ui_.askSavePath();
    if (!path)
        return false;
    fileName_ = path->string();
    ui_.setTitle(titleFor(fileName_));
    return saveTo(fileName_);
}

bool DocumentController::queryClose() {
    return settleUnsavedWork();
}

} // namespace zev::app
