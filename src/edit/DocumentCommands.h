#pragma once

#include "ChangeValueCommand.h"
#include "MissionEditor.h"

namespace zev::edit {

// Whole parts of the mission replaced by a dialog's OK: each a value swap, one undo step.
namespace detail {
template <typename Value, void (MissionEditor::*Apply)(const Value&)>
void applyPart(MissionEditor& editor, const int&, const Value& value) {
    (editor.*Apply)(value);
}
template <typename Value, void (MissionEditor::*Apply)(const Value&)>
class ChangePartCommand : public ChangeValueCommand<int, Value, &applyPart<Value, Apply>> {
public:
    ChangePartCommand(std::string name, const Value& before, const Value& after)
        : ChangeValueCommand<int, Value, &applyPart<Value, Apply>>(std::move(name), 0, before,
                                                                   after) {}
};
} // namespace detail

using ChangeHeaderCommand =
    detail::ChangePartCommand<mission::MissionHeader, &MissionEditor::applyHeader>;
using ChangeObjectivesCommand =
    detail::ChangePartCommand<mission::ObjectiveBlock, &MissionEditor::applyObjectives>;
using ChangeWeatherCommand =
    detail::ChangePartCommand<mission::WeatherRecord, &MissionEditor::applyWeather>;
using ChangePaletteCommand =
    detail::ChangePartCommand<mission::PaletteRecord, &MissionEditor::applyPalette>;
using ChangeBriefingsCommand =
    detail::ChangePartCommand<MissionEditor::Briefings, &MissionEditor::applyBriefings>;
// The nav point records of every star; the markers are made anew from the records after the
// change and come back as they were on undo (moves made in the workspace included).
using ChangeNavPointsCommand =
    detail::ChangePartCommand<MissionEditor::NavPoints, &MissionEditor::applyNavPoints>;

} // namespace zev::edit
