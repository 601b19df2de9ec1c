#pragma once

#include "EditorListener.h"
#include "MissionEditor.h"
#include "ObjectPropertyFields.h"

#include <functional>
#include <string>
#include <vector>

namespace zev::gamedata {
class ObjectGroupCatalog;
}

// The inspector: the fields the selected objects have in common, and a typed value set on all
// of them as one undo step. Its fields are the name (menu text), the object group (shown only)
// and the object property fields; position is where the workspace has the object (game units, as
// the status bar and Save give them).
namespace zev::edit {

struct InspectorValue {
    std::string text;     // the common value; empty where the objects differ
    bool differs = false; // the selected objects hold different values
    bool enabled = false; // false: nothing selected, shown only, or locked by a ready-made group
};

class InspectorModel : private EditorListener {
public:
    // Keys of the inspector's own fields; the others are those of objectPropertyFields().
    static constexpr const char* kName = "name";
    static constexpr const char* kGroup = "object_group";

    explicit InspectorModel(MissionEditor& editor,
                            const gamedata::ObjectGroupCatalog* groups = nullptr);
    ~InspectorModel() override;
    InspectorModel(const InspectorModel&) = delete;
    InspectorModel& operator=(const InspectorModel&) = delete;

    // The objects inspected (slots without an object are left out).
    void inspect(std::vector<int> slots);
    const std::vector<int>& inspected() const { return slots_; }
    // Follows the editor's selection: its object, or nothing.
    void followSelection();
    void setGroups(const gamedata::ObjectGroupCatalog* groups);

    // "name", "object_group", then the keys of objectPropertyFields().
    static const std::vector<std::string>& keys();
    static std::string labelOf(const std::string& key);
    InspectorValue value(const std::string& key) const;

    // Sets `text` on every inspected object as one undo step named "Set <label>"; objects that
    // already hold it stay as they are. Returns the refusal (nothing changes) or empty.
    std::string set(const std::string& key, const std::string& text);

    // Called when what the fields show may have changed (a move, a record, the selection).
    std::function<void()> onChanged;

private:
    void changed() {
        if (onChanged)
            onChanged();
    }
    bool inspects(int slot) const;
    bool anyReadyMade() const;

    void missionReplaced() override;
    void objectRemoved(int slot) override;
    void objectMoved(int slot) override;
    void objectRecordChanged(int slot) override;
    void selectionChanged() override;

    MissionEditor& editor_;
    const gamedata::ObjectGroupCatalog* groups_;
    std::vector<int> slots_;
};

} // namespace zev::edit
