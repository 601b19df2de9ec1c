#pragma once

#include "mission/ObjectiveTable.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zev::edit {

// The "Mission Table Entry" dialog's model: one objective row of the working tables, read in by
// the recognition rules when the dialog shows and written at once by every choice. The table
// editor puts the row back when the dialog is cancelled.
class TableEntryModel {
public:
    // The target type buttons, TargetType1 to TargetType5.
    enum class TargetType { NavPoint, Area, Star, StartPoint, None };
    static constexpr int kMaxConditions = mission::ObjectiveRow::conditionCount;
    static constexpr int kUpDown5Max = 8;
    // The TimeLimit spinner counts from 0.
    static constexpr int kTimeLimitMin = 0;

    // The dialog shown on row `rowIndex` of star `star`'s table, project name `project`.
    TableEntryModel(mission::ObjectiveRow& row, int rowIndex, int star, std::string project);

    const mission::ObjectiveRow& row() const { return row_; }
    int rowIndex() const { return rowIndex_; }
    int star() const { return star_; }

    // --- "Action": the pressed button (index into the 18 action words); "Begin" on row 0 only.
    int action() const { return action_; }
    bool actionEnabled(int index) const { return index != 0 || rowIndex_ == 0; }
    void chooseAction(int index);

    // --- "Target / Activation": the target
    TargetType targetType() const { return targetType_; }
    void chooseTargetType(TargetType type);
    const std::string& targetName() const { return targetName_; }
    // TargetNameChange: the target is the name, or for a star "%.8s_%s" of name and number.
    void setTargetName(std::string_view text);
    const std::string& targetObjNum() const { return targetObjNum_; }
    bool targetObjNumEnabled() const { return targetObjNumEnabled_; }
    void setTargetObjNum(std::string_view text);
    int upDown5() const { return upDown5_; }
    bool upDown5Enabled() const { return upDown5Enabled_; }
    // UpDown5Click: the spinner at `position` (0 to 8) names that number's target of the kind.
    void setUpDown5(int position);

    // --- the activation conditions
    int activationType() const { return activationType_; } // Completion, Success, Failure
    void chooseActivationType(int type);
    int targetStar() const { return targetStar_; }
    void chooseTargetStar(int star);
    const std::string& objectiveNumber() const { return objectiveNumber_; }
    // "-1" reads "Initial".
    void setObjectiveNumber(std::string_view text);
    bool orCombination() const;
    void chooseCombination(bool orCombined);
    const std::vector<std::string>& activationList() const { return list_; }
    // The condition the Add button would add: kind, blank, [other star, blank,] number.
    std::string composedCondition() const;
    // Adds it; refused (false) with eight conditions or when the list holds it already.
    bool addActivation();
    // Deletes list entry `index`; the conditions after it move up.
    bool deleteActivation(int index);
    void clearActivations();

    // --- "General"
    std::string timeLimit() const;
    void setTimeLimit(std::string_view text);
    void timeLimitNone() { setTimeLimit("0"); }
    // Where the TimeLimit spinner starts: 0, or lower to show a stored time limit below 0 (the
    // default "Begin" row's "-1") as it is, so that opening the row changes nothing.
    int timeLimitMinimum() const { return std::min(kTimeLimitMin, openedTimeLimit_); }
    int requirement() const; // Mandatory, Optional
    void chooseRequirement(int index);
    int priority() const; // Primary, Secondary, Tertiary, None
    void choosePriority(int index);
    int visibility() const; // Visible, Hidden
    void chooseVisibility(int index);
    int aiAttack() const; // Always Attack, Ignore Until Hit, Always Ignore
    void chooseAiAttack(int index);
    std::string aiMechsPerTarget() const;
    void setAiMechsPerTarget(std::string_view text);
    void aiMechsPerTargetNone() { setAiMechsPerTarget("0"); }
    std::string text() const;
    void setText(std::string_view text);

    // --- "Sound": the selected index into the 51 sounds and what Betty says in it.
    int sound() const { return sound_; }
    void chooseSound(int index);
    std::string bettySays() const;

private:
    void rebuildList();
    void storeTarget();

    mission::ObjectiveRow& row_;
    int rowIndex_;
    int star_;
    std::string project_; // as targets begin with it
    int openedTimeLimit_ = 0;
    int action_ = -1;
    TargetType targetType_ = TargetType::None;
    std::string targetName_;
    std::string targetObjNum_ = "0";
    bool targetObjNumEnabled_ = false;
    int upDown5_ = 0;
    bool upDown5Enabled_ = true;
    int activationType_ = 0;
    int targetStar_ = 0;
    std::string objectiveNumber_ = "1";
    // The list entries and the condition each stands for.
    std::vector<std::string> list_;
    std::vector<int> listConditions_;
    int sound_ = 0;
};

// The button texts of the dialog's groups, in button order.
extern const std::array<std::string_view, 5> kTargetTypeTexts;
extern const std::array<std::string_view, 3> kActivationTypeTexts;
extern const std::array<std::string_view, 3> kAiAttackTexts;

// What the announcer says in a sound ("Betty Says..."); empty for "None", "genegox" and any
// name that is not a sound.
std::string_view bettySays(std::string_view sound);

} // namespace zev::edit
