#include "ObjectiveDefaults.h"
#include "ObjectiveTargets.h"

#include <string>

namespace zev::mission {

namespace {

void fillBeginRow(ObjectiveRow& row, const std::string& target) {
    row.setConditionsInUse(1);
    row.setByte(ObjectiveRow::combination, 0);
    row.setText(ObjectiveRow::action, "Begin");
    row.setText(ObjectiveRow::visibility, "Hidden");
    row.setText(ObjectiveRow::target, target);
    row.setText(ObjectiveRow::condition(0), "Initial");
    row.setText(ObjectiveRow::timeLimit, "-1");
    row.setText(ObjectiveRow::aiMechsPerTarget, "0");
    row.setText(ObjectiveRow::aiAttack, "0");
    row.setText(ObjectiveRow::priority, "None");
    row.setText(ObjectiveRow::requirement, "Mandatory");
    row.setText(ObjectiveRow::audio, "None");
    row.setText(ObjectiveRow::screenText, "");
}

void fillDestroyAllRow(ObjectiveRow& row) {
    row.setConditionsInUse(1);
    row.setByte(ObjectiveRow::combination, 0);
    row.setText(ObjectiveRow::action, "Wait");
    row.setText(ObjectiveRow::visibility, "Visible");
    row.setText(ObjectiveRow::target, "NULL");
    row.setText(ObjectiveRow::condition(0), "Comp 1");
    row.setText(ObjectiveRow::timeLimit, "1");
    row.setText(ObjectiveRow::aiMechsPerTarget, "0");
    row.setText(ObjectiveRow::aiAttack, "0");
    row.setText(ObjectiveRow::priority, "Primary");
    row.setText(ObjectiveRow::requirement, "Mandatory");
    row.setText(ObjectiveRow::audio, "None");
    row.setText(ObjectiveRow::screenText, "Destroy All Enemy Mech's");
}

// The start point target of star s: the project's target prefix, "st", s and "1".
std::string startPointTarget(std::string_view project, int star) {
    return targetPrefix(project) + "st" + std::to_string(star) + "1";
}

} // namespace

void fillNewMissionTables(ObjectiveBlock& block, std::string_view project, bool freeForAll) {
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        ObjectiveTable& table = block[s];
        table.clear();
        table.setMissionTimeLimit("-1");
        fillBeginRow(table.row(0), startPointTarget(project, s));
        if (freeForAll)
            fillDestroyAllRow(table.row(1));
    }
}

void fillEmptyTables(ObjectiveBlock& block, std::string_view project) {
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        ObjectiveTable& table = block[s];
        if (table.row(0).isUsed())
            continue;
        fillBeginRow(table.row(0), startPointTarget(project, s));
        table.setMissionTimeLimit("-1");
    }
}

void adjustTargetsToProject(ObjectiveBlock& block, std::string_view project) {
    const std::string prefix = targetPrefix(project);
    const std::string shortName(project.substr(0, 4));
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        ObjectiveTable& table = block[s];
        if (table.row(0).text(ObjectiveRow::target).empty()) {
            table.row(0).setText(ObjectiveRow::target, prefix + "st0" + std::to_string(s));
            continue;
        }
        for (int r = 0; r < ObjectiveTable::rowCount; ++r) {
            ObjectiveRow& row = table.row(r);
            std::string target = row.text(ObjectiveRow::target);
            if (target.size() < 4 || target == "NULL" || target.compare(4, 4, "star") == 0 ||
                target.compare(0, 4, prefix) == 0)
                continue;
            // A short name written without its blanks ("abcnav0" of project "abc") gets them, so
            // that its kind is found again; any other name is the old project's and is replaced.
            const std::string tail = target.substr(shortName.size());
            if (shortName.size() < 4 && target.compare(0, shortName.size(), shortName) == 0 &&
                parseTarget(prefix + tail).kind != TargetKind::None)
                target = prefix + tail;
            else
                target.replace(0, 4, prefix);
            row.setText(ObjectiveRow::target, target);
        }
    }
}

} // namespace zev::mission
