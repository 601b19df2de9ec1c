#pragma once

#include "EditCommand.h"
#include "MissionEditor.h"

#include "engine/Math.h"
#include "mission/MissionObjectRecord.h"
#include "mission/StartPointRecord.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Commands on the whole selection: every gesture on many things is one step.
namespace zev::edit {

// Where a thing stands and, when a step turns it, its record as turned (an object's rotation, a
// start point's heading).
struct ThingPlacement {
    Selection thing;
    engine::Vector3 position;
    std::optional<mission::MissionObjectRecord> object;
    std::optional<mission::StartPointRecord> startPoint;
};

// Things moved or turned together. A later step of the same name over the same things merges
// into it, so a drag or a held key stays one step however many things it carries.
class PlaceThingsCommand : public EditCommand {
public:
    PlaceThingsCommand(std::string name, std::vector<ThingPlacement> before,
                       std::vector<ThingPlacement> after)
        : name_(std::move(name)), before_(std::move(before)), after_(std::move(after)) {}
    std::string name() const override { return name_; }
    void redo(MissionEditor& editor) override { apply(editor, after_); }
    void undo(MissionEditor& editor) override { apply(editor, before_); }
    bool mergeWith(const EditCommand& later) override;

private:
    static void apply(MissionEditor& editor, const std::vector<ThingPlacement>& placements);

    std::string name_;
    std::vector<ThingPlacement> before_, after_;
};

// A thing and where it stood when a gesture began.
struct ThingOrigin {
    Selection thing;
    engine::Vector3 position;
};
// The selected things where they stand now.
std::vector<ThingOrigin> selectionOrigins(const MissionEditor& editor);
// The middle of the box around the things' positions.
engine::Vector3 centreOf(const std::vector<ThingOrigin>& things);

// What the steps on the selection are called: "Object" for one object, "Start Point", "Nav
// Point", "Objects" for several objects, "Selection" for a mix.
std::string selectionNoun(const MissionEditor& editor);

// Each thing placed at its origin plus `offset` ("Move <noun>"); null when nothing would move.
std::unique_ptr<EditCommand> moveThingsCommand(const MissionEditor& editor,
                                               const std::vector<ThingOrigin>& things,
                                               const engine::Vector3& offset);
// The selection moved by `step` from where it stands.
std::unique_ptr<EditCommand> moveSelectionCommand(const MissionEditor& editor,
                                                  const engine::Vector3& step);

// Turns each thing by `degrees` about `axis` (0 X, 1 Y, 2 Z): an object's rotation, a start
// point's heading (about Y only). About Y several things also swing about `centre` to their
// origins turned by `totalDegrees`, so the layout turns as one. Null when nothing turns.
std::unique_ptr<EditCommand> turnThingsCommand(const MissionEditor& editor,
                                               const std::vector<ThingOrigin>& things,
                                               const engine::Vector3& centre, int axis, int degrees,
                                               int totalDegrees);

// Deletes every selected object as one step (`name`, or "Delete Object", "Delete Objects");
// start points and nav points stay. The number of objects deleted.
int deleteSelectedObjects(MissionEditor& editor, const std::string& name = {});

// The status bar's word on the selection and the hidden objects: "3 objects selected",
// "1 object selected", "4 things selected" (markers among them), "2 hidden"; empty for none.
std::string selectionStatusText(const MissionEditor& editor);

// --- the Edit menu's selection commands (none is an undo step)
// The objects that are not hidden, in save order.
std::vector<int> shownObjects(const MissionEditor& editor);
void selectAll(MissionEditor& editor);
void selectNone(MissionEditor& editor);
// The shown objects that are not selected; markers leave the selection.
void invertSelection(MissionEditor& editor);
// Adds every shown object of the same geometry (or the same ready-made group) as a selected one.
void selectSimilar(MissionEditor& editor);
void hideSelected(MissionEditor& editor);
// Hides every shown object that is not selected; nothing when no object is selected.
void isolateSelected(MissionEditor& editor);

} // namespace zev::edit
