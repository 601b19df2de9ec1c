#pragma once

namespace zev::edit {

// What a view of the mission hears from the editor. Every change of the model arrives here,
// whether a tool, a dialog, undo or redo made it.
class EditorListener {
public:
    virtual ~EditorListener() = default;
    // New or Open: everything is to be shown anew.
    virtual void missionReplaced() {}
    virtual void objectAdded(int slot) { (void)slot; }
    virtual void objectRemoved(int slot) { (void)slot; }
    virtual void objectMoved(int slot) { (void)slot; }
    // Rotation, scale, properties or tasks of the object's record.
    virtual void objectRecordChanged(int slot) { (void)slot; }
    virtual void startPointChanged(int player) { (void)player; }
    // Nav points added, removed or moved (the markers are made anew).
    virtual void navPointsChanged() {}
    // The mission header: names, players, environment, options.
    virtual void headerChanged() {}
    virtual void tablesChanged() {} // the objective tables
    virtual void weatherChanged() {}
    virtual void paletteChanged() {}
    virtual void briefingsChanged() {}
    // The set of selected things (MissionEditor::selectedThings) changed.
    virtual void selectionChanged() {}
    // Objects were hidden or shown again (MissionEditor::isHidden).
    virtual void hiddenChanged() {}
    // Undo, redo, a new step or the clean point: the Edit menu and the modified state.
    virtual void historyChanged() {}
};

} // namespace zev::edit
