#pragma once

#include <string>

namespace zev::edit {

class MissionEditor;

// One undoable change of the mission. `redo` makes the change, `undo` takes it back; both work
// on the editor's model only through its apply functions, so every view hears of it. A command
// may absorb a later one of the same kind (a key held down, a drag), so that it stays one step.
class EditCommand {
public:
    virtual ~EditCommand() = default;
    // What the step is called in the Edit menu: "Move Object" gives "Undo Move Object".
    virtual std::string name() const = 0;
    virtual void redo(MissionEditor& editor) = 0;
    virtual void undo(MissionEditor& editor) = 0;
    // Takes over `later` (already done) so that undoing this undoes both; false leaves both.
    virtual bool mergeWith(const EditCommand& later) {
        (void)later;
        return false;
    }
};

} // namespace zev::edit
