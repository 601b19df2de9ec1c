#include "ObjectiveDefaults.h"

#include <cstdio>
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

std::string format(const char* pattern, std::string_view project, int star) {
    char out[64];
    const std::string p(project);
    std::snprintf(out, sizeof out, pattern, p.c_str(), star);
    return out;
}

// The project name as the first four characters of a target: cut or blank-padded to four.
std::string projectPrefix(std::string_view project) {
    std::string p(project.substr(0, 4));
    p.resize(4, ' ');
    return p;
}

} // namespace

void fillNewMissionTables(ObjectiveBlock& block, std::string_view project, bool freeForAll) {
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        ObjectiveTable& table = block[s];
        table.clear();
        table.setMissionTimeLimit("-1");
        fillBeginRow(table.row(0), format("%-4sst%d1", project, s));
        if (freeForAll)
            fillDestroyAllRow(table.row(1));
    }
}

void fillEmptyTables(ObjectiveBlock& block, std::string_view project) {
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        ObjectiveTable& table = block[s];
        if (table.row(0).isUsed())
            continue;
        fillBeginRow(table.row(0), format("%.4sst%d1", project, s));
        table.setMissionTimeLimit("-1");
    }
}

void adjustTargetsToProject(ObjectiveBlock& block, std::string_view project) {
    const std::string prefix = projectPrefix(project);
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        ObjectiveTable& table = block[s];
        if (table.row(0).text(ObjectiveRow::target).empty()) {
            table.row(0).setText(ObjectiveRow::target, format("%.4sst0%d", project, s));
            continue;
        }
        for (int r = 0; r < ObjectiveTable::rowCount; ++r) {
            ObjectiveRow& row = table.row(r);
            std::string target = row.text(ObjectiveRow::target);
            if (target.size() < 4 || target == "NULL" || target.compare(4, 4, "star") == 0)
                continue;
            if (target.compare(0, 4, prefix) != 0) {
                target.replace(0, 4, prefix);
                row.setText(ObjectiveRow::target, target);
            }
        }
    }
}

} // namespace zev::mission
