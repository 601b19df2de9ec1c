#pragma once

#include "EditCommand.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zev::edit {

// Several commands done as one step: a gesture (a drag from press to release) or a dialog's OK.
class CompoundCommand : public EditCommand {
public:
    explicit CompoundCommand(std::string name) : name_(std::move(name)) {}
    std::string name() const override { return name_; }
    void redo(MissionEditor& editor) override;
    void undo(MissionEditor& editor) override;
    // Adds a command that is already done, merging it into the last one where it can.
    void addDone(std::unique_ptr<EditCommand> command);
    bool empty() const { return parts_.empty(); }

private:
    std::string name_;
    std::vector<std::unique_ptr<EditCommand>> parts_;
};

// The undo history: done steps below the current index, undone ones above it, and the index
// at which the mission was last clean (New, Open, Save). The mission is modified whenever the
// current index is not the clean one.
class EditHistory {
public:
    // Repeats within this time of each other may merge into one step.
    static constexpr std::int64_t kMergeWindowMs = 1000;

    // Adds a step that is already done; drops every undone step. With `nowMs` given, the step
    // merges into the last one when that was added less than a second ago and is not the
    // clean state.
    void addDone(std::unique_ptr<EditCommand> command, std::optional<std::int64_t> nowMs);
    // The step to undo or redo next, or null.
    EditCommand* nextUndo() const;
    EditCommand* nextRedo() const;
    void stepBack() { --index_; }
    void stepForward() { ++index_; }

    void clear();
    void markClean() { clean_ = static_cast<long>(index_); }
    // No state of the history is the saved one (a mission recovered, not yet saved anywhere).
    void forgetClean() { clean_ = -1; }
    bool isClean() const { return clean_ == static_cast<long>(index_); }
    // Ends merging: the next step is a step of its own.
    void closeMerging() { lastAddedMs_.reset(); }

private:
    std::vector<std::unique_ptr<EditCommand>> steps_;
    std::size_t index_ = 0;
    long clean_ = 0; // -1 once the clean state can no longer be reached
    std::optional<std::int64_t> lastAddedMs_;
};

} // namespace zev::edit
