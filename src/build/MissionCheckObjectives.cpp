// The objectives part of the mission check: every target and activation condition of a row in
// use must name something the built mission has.

#include "MissionCheckParts.h"
#include "ObjectScript.h"

#include "common/Numbers.h"
#include "mission/ObjectiveRecognition.h"
#include "mission/ObjectiveTargets.h"
#include "mission/ObjectiveVocabulary.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace zev::build::check {

using namespace zev::mission;

namespace {

// What the targets and conditions of a mission may name.
struct Names {
    std::string prefix; // the project name as targets begin with it: 4 characters, blank-filled
    std::array<bool, kStarCount> starHasNavPoints{};
    std::array<bool, kPlayerCount> startPointSet{};
    std::array<bool, 9> areaHoldsObjects{}; // by area number, 0 unused
    const ObjectiveBlock* objectives = nullptr;

    bool rowInUse(int star, int row) const {
        return row >= 0 && row < ObjectiveTable::rowCount && (*objectives)[star].row(row).isUsed();
    }
};

Names namesOf(const MissionDocument& document) {
    Names names;
    names.prefix = targetPrefix(document.header.text(MissionHeader::projectName));
    for (int s = 0; s < kStarCount; ++s)
        names.starHasNavPoints[s] =
            std::any_of(document.stars[s].begin(), document.stars[s].end(),
                        [](const NavPointRecord& n) { return n.isInUse(); });
    for (int p = 1; p <= kPlayerCount; ++p)
        names.startPointSet[p - 1] = startPointIsSet(document.startPoint(p));
    for (int slot : document.objects.occupiedSlots()) {
        const int area = objectArea(*document.objects.find(slot));
        if (area >= 1 && area <= 8)
            names.areaHoldsObjects[area] = true;
    }
    names.objectives = &document.objectives;
    return names;
}

struct RowPlace {
    MissionProblem::Place place;
    std::string text;
};

// What is wrong with a target that was recognised; empty when nothing is.
std::string targetError(const ObjectiveTarget& t, const Names& names) {
    const std::string n = std::to_string(t.number);
    switch (t.kind) {
    case TargetKind::NavPoint:
        if (t.number >= kStarCount)
            return "names the nav points of star " + n + "; the stars are 0 to 7";
        if (!names.starHasNavPoints[t.number])
            return "names the nav points of star " + n + ", which has none in use";
        break;
    case TargetKind::Area:
        if (t.number < 1 || t.number > 8)
            return "names area " + n + "; the areas are 1 to 8";
        break;
    case TargetKind::StartPoint:
        if (t.number >= kPlayerCount)
            return "names start point " + n + "; the start points are 0 to 7";
        if (!names.startPointSet[t.number])
            return "names start point " + n + " (player " + std::to_string(t.number + 1) +
                   "), which is not set";
        break;
    case TargetKind::Star: {
        if (t.number >= kStarCount)
            return "names star " + n + "; the stars are 0 to 7";
        if (!t.objective)
            break;
        const auto row = common::parseDecimalInRange(*t.objective, 0, ObjectiveTable::rowCount - 1);
        if (!row || !names.rowInUse(t.number, int(*row)))
            return "names objective " + *t.objective + " of star " + n + ", which is not in use";
        break;
    }
    case TargetKind::None:
        break;
    }
    return {};
}

void checkTarget(const std::string& target, const Names& names, const RowPlace& at, Problems& out) {
    const auto problem = [&](Severity severity, const std::string& text) {
        add(out, severity, at.place, at.text, text);
    };
    if (target == "NULL")
        return;
    if (target.empty()) {
        problem(Severity::Error, "Has no target");
        return;
    }
    const ObjectiveTarget t = parseTarget(target);
    // Composed again, a recognised target gives back its own text from the 5th character on.
    const std::string composed = composeTarget(t, names.prefix);
    if (t.kind == TargetKind::None || target.size() < 4 || target.substr(4) != composed.substr(4)) {
        problem(Severity::Error, "Target " + inQuotes(target) + " is not understood");
        return;
    }
    if (const std::string error = targetError(t, names); !error.empty()) {
        problem(Severity::Error, "Target " + inQuotes(target) + " " + error);
        return;
    }
    if (t.kind != TargetKind::Star && target.substr(0, 4) != names.prefix)
        problem(Severity::Warning, "Target " + inQuotes(target) +
                                       " does not begin with the project name; the objectives "
                                       "editor renames it when it opens");
    if (t.kind == TargetKind::Area && !names.areaHoldsObjects[t.number])
        problem(Severity::Warning, "Target " + inQuotes(target) + " names area " +
                                       std::to_string(t.number) + ", which holds no object");
}

// "Initial"; kind and number; kind, star name and number; "Initial" may stand for the number.
void checkCondition(const std::string& condition, int star, const Names& names, const RowPlace& at,
                    Problems& out) {
    const auto problem = [&](const std::string& text) {
        add(out, Severity::Error, at.place, at.text, text);
    };
    if (condition.empty()) {
        problem("Has no activation condition");
        return;
    }
    if (condition == "Initial")
        return;
    std::istringstream words(condition);
    std::vector<std::string> w;
    for (std::string word; words >> word;)
        w.push_back(word);
    const bool kindKnown = !w.empty() && std::find(kConditionKinds.begin(), kConditionKinds.end(),
                                                   w[0]) != kConditionKinds.end();
    int table = star;
    bool understood = kindKnown && (w.size() == 2 || w.size() == 3);
    if (understood && w.size() == 3) {
        table = -1;
        for (int s = 0; s < kStarCount; ++s)
            if (w[1] == starName(s))
                table = s;
        understood = table >= 0;
    }
    if (!understood) {
        problem("Activation condition " + inQuotes(condition) + " is not understood");
        return;
    }
    const std::string& number = w.back();
    if (number == "Initial" || number == "-1")
        return;
    const auto row = common::parseDecimalInRange(number, 0, ObjectiveTable::rowCount - 1);
    if (row && names.rowInUse(table, int(*row)))
        return;
    problem("Activation condition " + inQuotes(condition) + " names objective " + number +
            (table == star ? "" : " of star " + std::to_string(table)) + ", which is not in use");
}

} // namespace

void checkObjectives(const MissionDocument& document, Problems& out) {
    const Names names = namesOf(document);
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        for (int r = 0; r < ObjectiveTable::rowCount; ++r) {
            const ObjectiveRow& row = document.objectives[s].row(r);
            if (!row.isUsed())
                continue;
            const RowPlace at{{Kind::Objective, -1, s, -1, r},
                              "Star " + std::to_string(s) + " objective " + std::to_string(r)};
            checkTarget(row.text(ObjectiveRow::target), names, at, out);
            for (const std::string& condition : shownConditions(row))
                checkCondition(condition, s, names, at, out);
        }
    }
}

} // namespace zev::build::check
