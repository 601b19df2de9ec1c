#include "TableEntry.h"

#include "common/FixedText.h"
#include "common/Numbers.h"
#include "mission/ObjectiveRecognition.h"
#include "mission/ObjectiveTargets.h"
#include "mission/ObjectiveVocabulary.h"

#include <algorithm>

namespace zev::edit {

using mission::ObjectiveRow;
using mission::TargetKind;

const std::array<std::string_view, 5> kTargetTypeTexts = {"NavPoint", "Area", "Star", "StartPoint",
                                                          "None"};
const std::array<std::string_view, 3> kActivationTypeTexts = {"Completion", "Success", "Failure"};
const std::array<std::string_view, 3> kAiAttackTexts = {"Always Attack", "Ignore Until Hit",
                                                        "Always Ignore"};

namespace {

// The index of the first word whose first `n` characters begin `text`, or `fallback`.
template <std::size_t N>
int indexByPrefix(const std::string& text, const std::array<std::string_view, N>& words,
                  std::size_t n, int fallback) {
    for (std::size_t i = 0; i < N; ++i) {
        const std::string_view prefix = words[i].substr(0, n);
        if (text.compare(0, prefix.size(), prefix) == 0)
            return static_cast<int>(i);
    }
    return fallback;
}

int clampUpDown5(int position) {
    return std::clamp(position, 0, TableEntryModel::kUpDown5Max);
}

} // namespace

TableEntryModel::TableEntryModel(ObjectiveRow& row, int rowIndex, int star, std::string project)
    : row_(row), rowIndex_(rowIndex), star_(star), project_(mission::targetPrefix(project)),
      targetStar_(star) {
    mission::recogniseRow(row_, rowIndex_);
    openedTimeLimit_ = common::leadingInt(row_.text(ObjectiveRow::timeLimit));
    // A count beyond the eight condition slots names conditions that do not exist.
    if (row_.conditionsInUse() > kMaxConditions)
        row_.setConditionsInUse(kMaxConditions);

    // "Goto" is known by four characters, every other action by five.
    const std::string action = row_.text(ObjectiveRow::action);
    for (std::size_t i = 0; i < mission::kObjectiveActions.size(); ++i) {
        const std::string_view word = mission::kObjectiveActions[i];
        const std::string_view prefix = word.substr(0, word == "Goto" ? 4 : 5);
        if (action.compare(0, prefix.size(), prefix) == 0) {
            action_ = static_cast<int>(i);
            break;
        }
    }

    upDown5_ = clampUpDown5(rowIndex_);
    const mission::ObjectiveTarget target = mission::parseTarget(row_.text(ObjectiveRow::target));
    switch (target.kind) {
    case TargetKind::Star:
        targetType_ = TargetType::Star;
        targetObjNumEnabled_ = true;
        targetObjNum_ = target.objective.value_or("0");
        setTargetName(row_.text(ObjectiveRow::target).substr(0, 8));
        break;
    case TargetKind::Area:
    case TargetKind::NavPoint:
    case TargetKind::StartPoint:
        targetType_ = target.kind == TargetKind::Area       ? TargetType::Area
                      : target.kind == TargetKind::NavPoint ? TargetType::NavPoint
                                                            : TargetType::StartPoint;
        setTargetName(row_.text(ObjectiveRow::target));
        break;
    case TargetKind::None:
        targetType_ = TargetType::None;
        upDown5Enabled_ = false;
        setTargetName("NULL");
        break;
    }

    rebuildList();

    const auto& sounds = mission::objectiveSounds();
    const auto found = std::find(sounds.begin(), sounds.end(), row_.text(ObjectiveRow::audio));
    sound_ = found == sounds.end() ? 0 : static_cast<int>(found - sounds.begin());
    chooseSound(sound_);
}

void TableEntryModel::chooseAction(int index) {
    if (index < 0 || index >= int(mission::kObjectiveActions.size()) || !actionEnabled(index))
        return;
    action_ = index;
    row_.setText(ObjectiveRow::action, mission::kObjectiveActions[std::size_t(index)]);
}

void TableEntryModel::storeTarget() {
    row_.setText(ObjectiveRow::target,
                 targetType_ == TargetType::Star
                     ? mission::starObjectiveTarget(targetName_, targetObjNum_)
                     : targetName_);
}

void TableEntryModel::setTargetName(std::string_view text) {
    targetName_ = std::string(text);
    storeTarget();
}

void TableEntryModel::setTargetObjNum(std::string_view text) {
    targetObjNum_ = std::string(text);
    row_.setText(ObjectiveRow::target, mission::starObjectiveTarget(targetName_, targetObjNum_));
}

void TableEntryModel::chooseTargetType(TargetType type) {
    targetType_ = type;
    const std::string s = common::decimal(star_);
    targetObjNumEnabled_ = type == TargetType::Star;
    upDown5Enabled_ = type != TargetType::None;
    targetObjNum_ = type == TargetType::Star ? common::decimal(rowIndex_) : "0";
    switch (type) {
    case TargetType::NavPoint:
        upDown5_ = clampUpDown5(star_);
        setTargetName(project_ + "nav" + s);
        break;
    case TargetType::Area:
        upDown5_ = 1;
        setTargetName(project_ + "are1");
        break;
    case TargetType::StartPoint:
        upDown5_ = clampUpDown5(star_);
        setTargetName(project_ + "st" + s + "1");
        break;
    case TargetType::Star:
        upDown5_ = clampUpDown5(star_);
        setTargetName(mission::starName(star_));
        break;
    case TargetType::None:
        upDown5_ = clampUpDown5(rowIndex_);
        setTargetName("NULL");
        break;
    }
}

void TableEntryModel::setUpDown5(int position) {
    upDown5_ = clampUpDown5(position);
    const std::string k = common::decimal(upDown5_);
    switch (targetType_) {
    case TargetType::NavPoint:
        setTargetName(project_ + "nav" + k);
        break;
    case TargetType::Area:
        setTargetName(project_ + "are" + k);
        break;
    case TargetType::Star:
        setTargetName(mission::starName(upDown5_));
        break;
    case TargetType::StartPoint:
        setTargetName(project_ + "st" + k + "1");
        break;
    case TargetType::None:
        break;
    }
}

void TableEntryModel::chooseActivationType(int type) {
    activationType_ = std::clamp(type, 0, 2);
}

void TableEntryModel::chooseTargetStar(int star) {
    targetStar_ = std::clamp(star, 0, mission::kObjectiveTableCount - 1);
}

void TableEntryModel::setObjectiveNumber(std::string_view text) {
    objectiveNumber_ = text == "-1" ? "Initial" : std::string(text);
}

bool TableEntryModel::orCombination() const {
    return row_.byte(ObjectiveRow::combination) != 0;
}

void TableEntryModel::chooseCombination(bool orCombined) {
    row_.setByte(ObjectiveRow::combination, orCombined ? 1 : 0);
}

std::string TableEntryModel::composedCondition() const {
    std::string c(mission::kConditionKinds[std::size_t(activationType_)]);
    c += ' ';
    if (targetStar_ != star_)
        c += mission::starName(targetStar_) + ' ';
    c += objectiveNumber_;
    return common::fitToField(c, ObjectiveRow::condition(0).width);
}

bool TableEntryModel::addActivation() {
    const int count = std::max(row_.conditionsInUse(), 0);
    if (count >= kMaxConditions)
        return false;
    const std::string c = composedCondition();
    if (std::find(list_.begin(), list_.end(), c) != list_.end())
        return false;
    row_.setText(ObjectiveRow::condition(count), c);
    row_.setConditionsInUse(count + 1);
    list_.push_back(c);
    listConditions_.push_back(count);
    return true;
}

bool TableEntryModel::deleteActivation(int index) {
    if (index < 0 || index >= int(list_.size()))
        return false;
    // The entry's own condition goes, even when empty slots lie before it.
    for (int i = listConditions_[std::size_t(index)]; i + 1 < kMaxConditions; ++i)
        row_.setText(ObjectiveRow::condition(i), row_.text(ObjectiveRow::condition(i + 1)));
    row_.setText(ObjectiveRow::condition(kMaxConditions - 1), "");
    row_.setConditionsInUse(std::max(row_.conditionsInUse() - 1, 0));
    rebuildList();
    return true;
}

void TableEntryModel::clearActivations() {
    for (int i = 0; i < kMaxConditions; ++i)
        row_.setText(ObjectiveRow::condition(i), "");
    row_.setConditionsInUse(0);
    rebuildList();
}

void TableEntryModel::rebuildList() {
    list_.clear();
    listConditions_.clear();
    const int count = std::clamp(row_.conditionsInUse(), 0, kMaxConditions);
    for (int i = 0; i < count; ++i) {
        std::string c = row_.text(ObjectiveRow::condition(i));
        if (c.empty())
            continue;
        list_.push_back(std::move(c));
        listConditions_.push_back(i);
    }
}

std::string TableEntryModel::timeLimit() const {
    return row_.text(ObjectiveRow::timeLimit);
}

void TableEntryModel::setTimeLimit(std::string_view text) {
    row_.setText(ObjectiveRow::timeLimit, text);
}

int TableEntryModel::requirement() const {
    return indexByPrefix(row_.text(ObjectiveRow::requirement), mission::kObjectiveRequirements, 3,
                         1);
}

void TableEntryModel::chooseRequirement(int index) {
    if (index >= 0 && index < int(mission::kObjectiveRequirements.size()))
        row_.setText(ObjectiveRow::requirement,
                     mission::kObjectiveRequirements[std::size_t(index)]);
}

int TableEntryModel::priority() const {
    return indexByPrefix(row_.text(ObjectiveRow::priority), mission::kObjectivePriorities, 3, 3);
}

void TableEntryModel::choosePriority(int index) {
    if (index >= 0 && index < int(mission::kObjectivePriorities.size()))
        row_.setText(ObjectiveRow::priority, mission::kObjectivePriorities[std::size_t(index)]);
}

int TableEntryModel::visibility() const {
    return indexByPrefix(row_.text(ObjectiveRow::visibility), mission::kObjectiveVisibilities, 3,
                         0);
}

void TableEntryModel::chooseVisibility(int index) {
    if (index >= 0 && index < int(mission::kObjectiveVisibilities.size()))
        row_.setText(ObjectiveRow::visibility, mission::kObjectiveVisibilities[std::size_t(index)]);
}

int TableEntryModel::aiAttack() const {
    const std::string a = row_.text(ObjectiveRow::aiAttack);
    return a.empty() ? 0 : std::clamp(a[0] - '0', 0, 2);
}

void TableEntryModel::chooseAiAttack(int index) {
    if (index >= 0 && index <= 2)
        row_.setText(ObjectiveRow::aiAttack, common::decimal(index));
}

std::string TableEntryModel::aiMechsPerTarget() const {
    return row_.text(ObjectiveRow::aiMechsPerTarget);
}

void TableEntryModel::setAiMechsPerTarget(std::string_view text) {
    row_.setText(ObjectiveRow::aiMechsPerTarget, text);
}

std::string TableEntryModel::text() const {
    return row_.text(ObjectiveRow::screenText);
}

void TableEntryModel::setText(std::string_view text) {
    row_.setText(ObjectiveRow::screenText, text);
}

void TableEntryModel::chooseSound(int index) {
    const auto& sounds = mission::objectiveSounds();
    if (index < 0 || index >= int(sounds.size()))
        return;
    sound_ = index;
    row_.setText(ObjectiveRow::audio, sounds[std::size_t(index)]);
}

std::string TableEntryModel::bettySays() const {
    return std::string(edit::bettySays(mission::objectiveSounds()[std::size_t(sound_)]));
}

} // namespace zev::edit
