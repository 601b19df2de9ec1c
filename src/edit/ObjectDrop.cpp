#include "ObjectDrop.h"

#include "common/FileIo.h"

#include "ObjectCommands.h"

#include "gamedata/GroupRecordCopy.h"
#include "gamedata/IndexFiles.h"
#include "gamedata/ObjectGroups.h"

#include <cmath>

namespace zev::edit {

using mission::MissionObjectRecord;

mission::MissionObjectRecord droppedObjectRecord(const gamedata::ObjectGroupRecord& entry) {
    MissionObjectRecord record;
    gamedata::copyGroupRecordInto(entry, record);
    record.setText(MissionObjectRecord::areaFile, "1");
    record.setText(MissionObjectRecord::pathLooping, "oneshot");
    record.setText(MissionObjectRecord::pathRotation, "rotate");
    return record;
}

engine::Vector3 pointUnderMouse(const engine::Viewport& viewport, const engine::Frame& camera,
                                double mouseX, double mouseY) {
    const engine::Frame* scene = camera.GetScene();
    engine::Vector3 below = camera.GetPosition(scene);
    below.y = 0;
    engine::Vector4 screen = viewport.Transform(below);
    screen.x = mouseX * screen.w;
    screen.y = mouseY * screen.w;
    return viewport.InverseTransform(screen);
}

engine::Vector3 dropPosition(const engine::Vector3& ground) {
    return GridSnap{}.dropPosition(ground);
}

std::optional<int> ObjectDropper::drop(const PaletteChoice& choice, const engine::Vector3& ground) {
    if (!choice.chosen())
        return std::nullopt;
    const auto path = gamedata::objectGroupPath(programDirectory_, choice.group);
    std::error_code reason;
    const auto entry = gamedata::readObjectRecord(path, std::size_t(choice.entry), &reason);
    if (!entry) {
        reporter_.report(common::messageWithFile(gamedata::kDropOpenError, path, reason),
                         "Error...", common::MessageIcon::Stop);
        return std::nullopt;
    }
    if (!indexCurrent) {
        reporter_.report(gamedata::kIndexOutOfDateMessage, "ZEVEDIT 3D",
                         common::MessageIcon::Information);
        return std::nullopt;
    }
    if (showBusy)
        showBusy(true);
    const std::optional<int> slot = place(*entry, ground);
    if (showBusy)
        showBusy(false);
    return slot;
}

std::optional<int> ObjectDropper::place(const gamedata::ObjectGroupRecord& entry,
                                        const engine::Vector3& ground) {
    const std::optional<int> slot = editor_.document().objects.firstFreeSlot();
    if (!slot) {
        reporter_.report(mission::kObjectLimitMessage, "ZEVEDIT 3D", common::MessageIcon::Stop);
        return std::nullopt;
    }
    const MissionObjectRecord record = droppedObjectRecord(entry);
    if (prepareFrame)
        if (const auto error = prepareFrame(*slot, record)) {
            reporter_.report(*error, "ZEVEDIT 3D", common::MessageIcon::Stop);
            return std::nullopt;
        }
    editor_.endMerging();
    editor_.execute(std::make_unique<AddObjectCommand>(
        *slot, record, snap ? snap->dropPosition(ground) : dropPosition(ground)));
    if (!record.isReadyMadeGroup() && zoomOver)
        zoomOver(*slot);
    return slot;
}

} // namespace zev::edit
