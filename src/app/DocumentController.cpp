#include "DocumentController.h"

#include "mission/MissionFile.h"

namespace zev::app {

using namespace zev::mission;

DocumentController::DocumentController(MissionDocument& document,
                                       std::filesystem::path programDirectory,
                                       common::Reporter& reporter, DocumentUi& ui)
    : document_(document), programDirectory_(std::move(programDirectory)), reporter_(reporter),
      ui_(ui) {}

std::string DocumentController::titleFor(const std::string& fileName) {
    return std::string(kPlainTitle) + "  [" + fileName + "]";
}

bool DocumentController::settleUnsavedWork() {
    if (!document_.modified)
        return true;
    switch (ui_.askUnsavedWork()) {
    case UnsavedChoice::DumpIt:
        return true;
    case UnsavedChoice::Cancel:
        return false;
    case UnsavedChoice::SaveIt:
        break;
    }
    if (document_.untitled || fileName_.empty()) {
        const auto path = ui_.askSavePath();
        if (!path)
            return false;
        fileName_ = path->string();
    }
    // A failed save keeps the work: the command does not go on.
    return saveTo(fileName_);
}

bool DocumentController::saveTo(const std::filesystem::path& path) {
    return MissionFile::save(document_, path, ui_.scenePositions(), patch_, reporter_);
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
    document_ = MissionDocument{};
    storeSelection(document_, *selection);
    patch_ = selection->patch ? 1 : 0;
    resetToNewMission(document_, programDirectory_, patch_);
    fileName_.clear();
    hasDocument_ = true;
    ui_.documentReplaced();
    ui_.setTitle(kNewMissionTitle);
    ui_.setDocumentControlsEnabled(true);
    ui_.setBusy(false);
    return true;
}

bool DocumentController::open() {
    if (!settleUnsavedWork())
        return false;
    const auto path = ui_.askOpenPath();
    if (!path)
        return false;
    ui_.setBusy(true);
    // A failed open leaves the document, the scene, the title and the controls as they were.
    const bool opened = MissionFile::open(document_, patch_, *path, reporter_);
    if (opened) {
        fileName_ = path->string();
        hasDocument_ = true;
        ui_.documentReplaced();
        ui_.setTitle(titleFor(fileName_));
        ui_.setDocumentControlsEnabled(true);
    }
    ui_.setBusy(false);
    return opened;
}

bool DocumentController::save() {
    if (!hasDocument_)
        return false;
    if (document_.untitled || fileName_.empty())
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
