#include "EditHistory.h"

namespace zev::edit {

void CompoundCommand::redo(MissionEditor& editor) {
    for (auto& part : parts_)
        part->redo(editor);
}

void CompoundCommand::undo(MissionEditor& editor) {
    for (auto it = parts_.rbegin(); it != parts_.rend(); ++it)
        (*it)->undo(editor);
}

void CompoundCommand::addDone(std::unique_ptr<EditCommand> command) {
    if (!parts_.empty() && parts_.back()->mergeWith(*command))
        return;
    parts_.push_back(std::move(command));
}

void EditHistory::addDone(std::unique_ptr<EditCommand> command, std::optional<std::int64_t> nowMs) {
    if (index_ < steps_.size()) {
        steps_.resize(index_);
        if (clean_ > static_cast<long>(index_))
            clean_ = -1;
    }
    const bool mergeable = nowMs && lastAddedMs_ && *nowMs - *lastAddedMs_ < kMergeWindowMs &&
                           index_ > 0 && !isClean();
    lastAddedMs_ = nowMs;
    if (mergeable && steps_[index_ - 1]->mergeWith(*command))
        return;
    steps_.push_back(std::move(command));
    ++index_;
}

EditCommand* EditHistory::nextUndo() const {
    return index_ > 0 ? steps_[index_ - 1].get() : nullptr;
}

EditCommand* EditHistory::nextRedo() const {
    return index_ < steps_.size() ? steps_[index_].get() : nullptr;
}

void EditHistory::clear() {
    steps_.clear();
    index_ = 0;
    clean_ = 0;
    lastAddedMs_.reset();
}

} // namespace zev::edit
