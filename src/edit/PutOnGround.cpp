#include "PutOnGround.h"

#include "MarkerCommands.h"
#include "ObjectCommands.h"

namespace zev::edit {

bool putSelectionOnGround(MissionEditor& editor) {
    const Selection sel = editor.selection();
    const auto grounded = [](engine::Vector3 p) {
        p.y = 0;
        return p;
    };
    std::unique_ptr<EditCommand> command;
    switch (sel.kind) {
    case Selection::Kind::Object:
        if (const auto p = editor.objectPosition(sel.id); p && p->y != 0)
            command = std::make_unique<MoveObjectCommand>(sel.id, *p, grounded(*p));
        break;
    case Selection::Kind::StartPoint:
        if (const auto p = editor.startPointPosition(sel.id); p.y != 0)
            command = std::make_unique<MoveStartPointCommand>(sel.id, p, grounded(p));
        break;
    case Selection::Kind::NavPoint:
        for (const NavPointMarker& m : editor.navPointMarkers())
            if (m.star == sel.star && m.index == sel.id && m.position.y != 0)
                command = std::make_unique<MoveNavPointCommand>(m.star, m.index, m.position,
                                                                grounded(m.position));
        break;
    case Selection::Kind::None:
        break;
    }
    if (!command)
        return false;
    editor.endMerging();
    editor.beginGesture("Put on Ground");
    editor.execute(std::move(command));
    editor.commitGesture();
    return true;
}

} // namespace zev::edit
