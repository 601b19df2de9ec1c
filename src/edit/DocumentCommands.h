#pragma once

#include "ChangeValueCommand.h"

#include "mission/MissionHeader.h"

namespace zev::edit {

inline void applyHeader(MissionEditor& editor, const int&, const mission::MissionHeader& header) {
    editor.applyHeader(header);
}

// The mission header replaced by another (a settings dialog's OK).
class ChangeHeaderCommand : public ChangeValueCommand<int, mission::MissionHeader, &applyHeader> {
public:
    ChangeHeaderCommand(std::string name, const mission::MissionHeader& before,
                        const mission::MissionHeader& after)
        : ChangeValueCommand(std::move(name), 0, before, after) {}
};

} // namespace zev::edit
