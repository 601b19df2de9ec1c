#include "MarkerCommands.h"

#include "MissionEditor.h"

namespace zev::edit {

void applyStartPointPosition(MissionEditor& editor, const int& player,
                             const engine::Vector3& position) {
    editor.applyStartPointPosition(player, position);
}

void applyStartPointRecord(MissionEditor& editor, const int& player,
                           const mission::StartPointRecord& record) {
    editor.applyStartPointRecord(player, record);
}

void applyNavPointPosition(MissionEditor& editor, const NavPointKey& nav,
                           const engine::Vector3& position) {
    editor.applyNavPointPosition(nav.first, nav.second, position);
}

} // namespace zev::edit
