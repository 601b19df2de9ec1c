#pragma once

#include "EditCommand.h"

#include <string>

namespace zev::edit {

// One value of one thing replaced by another (a position, a record): redo applies `after`,
// undo `before`. A later change with the same name to the same thing merges into it, so a
// held key or a dialog opened twice in a row stays one step.
template <typename Key, typename Value, void (*Apply)(MissionEditor&, const Key&, const Value&)>
class ChangeValueCommand : public EditCommand {
public:
    ChangeValueCommand(std::string name, Key key, Value before, Value after)
        : name_(std::move(name)), key_(std::move(key)), before_(std::move(before)),
          after_(std::move(after)) {}
    std::string name() const override { return name_; }
    void redo(MissionEditor& editor) override { Apply(editor, key_, after_); }
    void undo(MissionEditor& editor) override { Apply(editor, key_, before_); }
    bool mergeWith(const EditCommand& later) override {
        const auto* change = dynamic_cast<const ChangeValueCommand*>(&later);
        if (!change || change->key_ != key_ || change->name_ != name_)
            return false;
        after_ = change->after_;
        return true;
    }

private:
    std::string name_;
    Key key_;
    Value before_, after_;
};

} // namespace zev::edit
