#pragma once

#include "EditorListener.h"
#include "MissionEditor.h"

#include <functional>

namespace zev::edit {

// Calls back on every change of the mission itself (not of the selection or the history), so a
// view that shows something worked out from the whole mission (the problem list) knows it is
// out of date and may work it out again when it suits it.
class MissionChangeWatch : private EditorListener {
public:
    MissionChangeWatch(MissionEditor& editor, std::function<void()> changed)
        : editor_(editor), changed_(std::move(changed)) {
        editor_.addListener(this);
    }
    ~MissionChangeWatch() override { editor_.removeListener(this); }
    MissionChangeWatch(const MissionChangeWatch&) = delete;
    MissionChangeWatch& operator=(const MissionChangeWatch&) = delete;

private:
    void tell() {
        if (changed_)
            changed_();
    }
    void missionReplaced() override { tell(); }
    void objectAdded(int) override { tell(); }
    void objectRemoved(int) override { tell(); }
    void objectMoved(int) override { tell(); }
    void objectRecordChanged(int) override { tell(); }
    void startPointChanged(int) override { tell(); }
    void navPointsChanged() override { tell(); }
    void headerChanged() override { tell(); }
    void tablesChanged() override { tell(); }
    void weatherChanged() override { tell(); }
    void paletteChanged() override { tell(); }
    void briefingsChanged() override { tell(); }

    MissionEditor& editor_;
    std::function<void()> changed_;
};

} // namespace zev::edit
