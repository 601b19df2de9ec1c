#pragma once

#include "EditHistory.h"
#include "EditorListener.h"

#include "common/Reporter.h"
#include "engine/Math.h"
#include "mission/MissionDocument.h"
#include "mission/ScenePositions.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zev::edit {

// One thing of the workspace: nothing, an object (its slot), a start point marker (its player 1
// to 8) or a nav point marker (star and number). The selection is an ordered set of these.
struct Selection {
    enum class Kind { None, Object, StartPoint, NavPoint };
    Kind kind = Kind::None;
    int id = 0;   // slot or player
    int star = 0; // nav points only
    static Selection none() { return {}; }
    static Selection object(int slot) { return {Kind::Object, slot, 0}; }
    static Selection startPoint(int player) { return {Kind::StartPoint, player, 0}; }
    static Selection navPoint(int star, int index) { return {Kind::NavPoint, index, star}; }
    friend bool operator==(const Selection&, const Selection&) = default;
};

// A nav point marker in the workspace, in the order the markers were made.
struct NavPointMarker {
    int star = 0;
    int index = 0;
    engine::Vector3 position;
};

// The mission being edited: the document, where every object, start point and nav point stands
// in the workspace (workspace units, a record's game units x 0.01), the order in which objects
// are saved (load order, drops appended), the selection and the undo history. Every change
// goes through a command; views hear of it through their listener. Save and Build read the
// positions from here.
class MissionEditor : public mission::ScenePositions {
public:
    MissionEditor();
    ~MissionEditor() override;
    MissionEditor(const MissionEditor&) = delete;
    MissionEditor& operator=(const MissionEditor&) = delete;

    const mission::MissionDocument& document() const { return *document_; }
    bool hasMission() const { return hasMission_; }

    // --- load steps: each clears the history and makes the mission clean
    // A mission just made by New.
    void startMission(const mission::MissionDocument& document);
    // A mission just read from a file. `cannotShow` tells for a slot why its object cannot be
    // shown (nothing when it can); such an object is freed and the reason reported (caption
    // "ZEVEDIT 3D"), and loading goes on.
    using ShowCheck =
        std::function<std::optional<std::string>(const mission::MissionDocument&, int)>;
    void openMission(const mission::MissionDocument& document, const ShowCheck& cannotShow,
                     common::Reporter& reporter);
    // After a successful Save: the current state is the clean one.
    void markSaved();
    // Gives up the mission (the editor is empty again).
    void closeMission();
    // After a load step: the mission is a recovered copy, untitled and modified until saved.
    void markRecovered();

    // Changed since New, Open or the last Save, by the history.
    bool isModified() const { return hasMission_ && !history_.isClean(); }

    // --- positions
    std::optional<engine::Vector3> objectPosition(int slot) const;
    const std::vector<int>& objectOrder() const { return order_; }
    engine::Vector3 startPointPosition(int player) const;
    const std::vector<NavPointMarker>& navPointMarkers() const { return navPoints_; }

    // Where a thing stands in the workspace; nothing for none or a thing not in the mission.
    std::optional<engine::Vector3> positionOf(const Selection& thing) const;
    // Whether a thing is in the mission (and, for an object, not hidden): what may be selected.
    bool selectable(const Selection& thing) const;

    // --- selection (not an undo step): an ordered set of things without repeats, the one
    // selected last at the end. One thing selected is what every single-thing command (the
    // editor dialogs, the status read-out) works on. Each change tells selectionChanged().
    const std::vector<Selection>& selectedThings() const { return selection_; }
    // The thing selected last; none when nothing is selected.
    Selection selection() const { return selection_.empty() ? Selection{} : selection_.back(); }
    // The slots of the selected objects, in the order they were selected.
    std::vector<int> selectedObjects() const;
    std::size_t selectionSize() const { return selection_.size(); }
    bool isSelected(const Selection& thing) const;
    // Just this thing (none: nothing).
    void select(const Selection& thing);
    // Exactly these things; what cannot be selected and repeats are left out.
    void setSelection(const std::vector<Selection>& things);
    void addToSelection(const std::vector<Selection>& things);
    void removeFromSelection(const std::vector<Selection>& things);
    void toggleSelected(const Selection& thing);

    // --- hidden objects: for this session only (not an undo step, never saved). A hidden object
    // is neither shown nor picked nor selected; Save, Build and the check still see it. Each
    // change tells hiddenChanged().
    bool isHidden(int slot) const;
    int hiddenCount() const { return hiddenCount_; }
    // Hides the objects in `slots` and takes them out of the selection.
    void hideObjects(const std::vector<int>& slots);
    void unhideAll();

    // --- history
    // Does the command and adds it as a step. With `nowMs`, repeats of a mergeable command
    // within a second merge into one step (a held key).
    void execute(std::unique_ptr<EditCommand> command,
                 std::optional<std::int64_t> nowMs = std::nullopt);
    bool undo();
    bool redo();
    bool canUndo() const { return history_.nextUndo() != nullptr; }
    bool canRedo() const { return history_.nextRedo() != nullptr; }
    // "Undo Move Object", or "Undo" when there is nothing to undo.
    std::string undoText() const;
    std::string redoText() const;
    // A gesture: commands executed until commit are one step; cancel takes them all back.
    void beginGesture(const std::string& name);
    void commitGesture();
    void cancelGesture();
    bool inGesture() const { return gesture_ != nullptr; }
    // The next step starts afresh (another key, a pause).
    void endMerging() { history_.closeMerging(); }

    void addListener(EditorListener* listener);
    void removeListener(EditorListener* listener);

    // --- what commands use to change the model; each tells the views
    mission::MissionDocument& documentForChange() { return *document_; }
    void applyAddObject(int slot, const mission::MissionObjectRecord& record,
                        const engine::Vector3& position, std::size_t orderIndex);
    void applyRemoveObject(int slot);
    void applyObjectPosition(int slot, const engine::Vector3& position);
    void applyObjectRecord(int slot, const mission::MissionObjectRecord& record);
    void applyStartPointPosition(int player, const engine::Vector3& position);
    void applyStartPointRecord(int player, const mission::StartPointRecord& record);
    void applyNavPointPosition(int star, int index, const engine::Vector3& position);
    void applyHeader(const mission::MissionHeader& header);
    void applyObjectives(const mission::ObjectiveBlock& tables);
    void applyWeather(const mission::WeatherRecord& weather);
    void applyPalette(const mission::PaletteRecord& palette);
    using Briefings = std::array<std::vector<std::uint8_t>, mission::kBriefingCount>;
    void applyBriefings(const Briefings& briefings);
    // The nav point records of every star with the markers that show them.
    struct NavPoints {
        std::array<mission::Star, mission::kStarCount> stars;
        std::vector<NavPointMarker> markers;
    };
    NavPoints navPoints() const { return {document_->stars, navPoints_}; }
    void applyNavPoints(const NavPoints& navPoints);
    // Where a slot stands in the save order, or the end.
    std::size_t orderIndexOf(int slot) const;

    // --- mission::ScenePositions
    std::vector<mission::FramePlacement> startPointFrames() const override;
    std::vector<mission::FramePlacement> navPointFrames() const override;
    std::vector<mission::FramePlacement> objectFrames() const override;

private:
    // A load step: the document, its positions, an empty history, nothing selected.
    void replaceMission(const mission::MissionDocument& document, bool hasMission);
    void loadPositions();
    void historyStepped();
    void selectionReplaced(std::vector<Selection> things);
    template <typename Call> void tell(Call call);

    std::unique_ptr<mission::MissionDocument> document_;
    bool hasMission_ = false;
    std::array<std::optional<engine::Vector3>, mission::ObjectTable::capacity> objectPositions_;
    std::vector<int> order_;
    std::array<engine::Vector3, mission::kPlayerCount> startPoints_{};
    std::vector<NavPointMarker> navPoints_;
    std::vector<Selection> selection_;
    std::array<bool, mission::ObjectTable::capacity> hidden_{};
    int hiddenCount_ = 0;
    EditHistory history_;
    std::unique_ptr<CompoundCommand> gesture_;
    std::vector<EditorListener*> listeners_;
};

// The markers of the nav points in use, where their records put them.
std::vector<NavPointMarker>
markersFromRecords(const std::array<mission::Star, mission::kStarCount>& stars);

// Workspace units of a record's game units, and back as Save writes them.
constexpr double kWorkspaceUnitsPerGameUnit = 0.01;

// Where a start point record puts its marker.
engine::Vector3 startPointPositionOf(const mission::StartPointRecord& record);

} // namespace zev::edit
