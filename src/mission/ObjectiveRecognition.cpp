#include "ObjectiveRecognition.h"

#include "ObjectiveTargets.h"
#include "ObjectiveVocabulary.h"

#include <algorithm>

namespace zev::mission {

namespace {

bool hasPrefix(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0 && text.size() >= prefix.size();
}

template <std::size_t N>
bool anyPrefix(const std::string& text, const std::array<std::string_view, N>& prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](std::string_view p) { return hasPrefix(text, p); });
}

void recogniseAction(ObjectiveRow& row) {
    static constexpr std::array<std::string_view, 16> fiveLetter = {
        "Begin", "Defen", "Destr", "Recon", "Retur", "Leave", "Shutd", "Sleep",
        "Explo", "MsnSu", "MsnFa", "MsnRe", "ObjSu", "ObjFa", "ObjRe", "ObjSh"};
    const std::string action = row.text(ObjectiveRow::action);
    if (!anyPrefix(action, fiveLetter) && !hasPrefix(action, "Goto"))
        row.setText(ObjectiveRow::action, "Wait");
}

void recogniseConditions(ObjectiveRow& row, int rowIndex) {
    const int count = row.conditionsInUse();
    if (count >= 2) {
        const int used = std::min(count, ObjectiveRow::conditionCount);
        for (int i = 0; i < used; ++i)
            if (!row.text(ObjectiveRow::condition(i)).empty())
                return;
    } else if (!row.text(ObjectiveRow::condition(0)).empty()) {
        row.setConditionsInUse(1);
        return;
    }
    row.setText(ObjectiveRow::condition(0), "Comp " + std::to_string(rowIndex));
    row.setConditionsInUse(1);
}

} // namespace

void recogniseRow(ObjectiveRow& row, int rowIndex) {
    recogniseAction(row);

    if (parseTarget(row.text(ObjectiveRow::target)).kind == TargetKind::None)
        row.setText(ObjectiveRow::target, "NULL");

    recogniseConditions(row, rowIndex);

    if (row.text(ObjectiveRow::timeLimit).empty())
        row.setText(ObjectiveRow::timeLimit, "-1");

    const std::string requirement = row.text(ObjectiveRow::requirement);
    if (!hasPrefix(requirement, "Man") && !hasPrefix(requirement, "Opt"))
        row.setText(ObjectiveRow::requirement, "Optional");

    const std::string priority = row.text(ObjectiveRow::priority);
    if (!anyPrefix(priority, std::array<std::string_view, 4>{"Pri", "Sec", "Ter", "Non"}))
        row.setText(ObjectiveRow::priority, "None");

    const std::string visibility = row.text(ObjectiveRow::visibility);
    if (!hasPrefix(visibility, "Vis") && !hasPrefix(visibility, "Hid"))
        row.setText(ObjectiveRow::visibility, "Visible");

    const std::string attack = row.text(ObjectiveRow::aiAttack);
    if (attack.empty() || (attack[0] != '0' && attack[0] != '1' && attack[0] != '2'))
        row.setText(ObjectiveRow::aiAttack, "0");

    if (row.text(ObjectiveRow::aiMechsPerTarget).empty())
        row.setText(ObjectiveRow::aiMechsPerTarget, "0");

    const auto& sounds = objectiveSounds();
    if (std::find(sounds.begin(), sounds.end(), row.text(ObjectiveRow::audio)) == sounds.end())
        row.setText(ObjectiveRow::audio, "None");
}

std::vector<std::string> shownConditions(const ObjectiveRow& row) {
    std::vector<std::string> out;
    const int count = row.conditionsInUse();
    if (count >= 2) {
        for (int i = 0; i < std::min(count, ObjectiveRow::conditionCount); ++i) {
            std::string c = row.text(ObjectiveRow::condition(i));
            if (!c.empty())
                out.push_back(std::move(c));
        }
    } else {
        out.push_back(row.text(ObjectiveRow::condition(0)));
    }
    return out;
}

} // namespace zev::mission
