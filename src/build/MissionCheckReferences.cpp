#include "MissionCheckReferences.h"

#include "MissionCheckParts.h"
#include "RtfBriefing.h"

#include "gamedata/ObjectGroupCatalog.h"
#include "mission/ObjectiveTargets.h"

#include <algorithm>
#include <cctype>

namespace zev::build::check {

using namespace zev::mission;

namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool startsWithWord(std::string_view text, std::size_t at, std::string_view word) {
    if (text.size() - at < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lower(text[at + i]) != word[i])
            return false;
    return true;
}
std::size_t skipSeparators(std::string_view text, std::size_t at) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '-' || text[at] == '#'))
        ++at;
    return at;
}

bool navPointInUse(const MissionDocument& document, int star, int number) {
    return number >= 1 && number <= kNavPointsPerStar &&
           document.navPoint(star, number - 1).isInUse();
}

// The star whose nav points a row speaks of: a nav point target's, else the table's own.
int starOfRow(const ObjectiveRow& row, int table) {
    const ObjectiveTarget t = parseTarget(row.text(ObjectiveRow::target));
    return t.kind == TargetKind::NavPoint && t.number < kStarCount ? t.number : table;
}

void checkObjectiveTexts(const MissionDocument& document, Problems& out) {
    for (int s = 0; s < kObjectiveTableCount; ++s)
        for (int r = 0; r < ObjectiveTable::rowCount; ++r) {
            const ObjectiveRow& row = document.objectives[s].row(r);
            if (!row.isUsed())
                continue;
            const std::string text = row.text(ObjectiveRow::screenText);
            const int star = starOfRow(row, s);
            for (int n : navPointNumbersNamedIn(text))
                if (!navPointInUse(document, star, n))
                    add(out, Severity::Warning, {Kind::Objective, -1, s, -1, r},
                        "Star " + std::to_string(s) + " objective " + std::to_string(r),
                        "Text " + inQuotes(text) + " names nav point " + std::to_string(n) +
                            " of star " + std::to_string(star) + ", which is not in use");
        }
}

std::string briefingText(const std::vector<std::uint8_t>& page) {
    std::string text;
    for (const ColourRun& run : readBriefingRtf(page).runs)
        text += run.text;
    return text;
}

void checkBriefings(const MissionDocument& document, Problems& out) {
    constexpr const char* kPages[] = {"Main", "Team A", "Team B"};
    static_assert(std::size(kPages) == kBriefingCount);
    for (int b = 0; b < kBriefingCount; ++b) {
        const auto& page = document.briefings[std::size_t(b)];
        if (page.empty())
            continue;
        std::vector<int> named = navPointNumbersNamedIn(briefingText(page));
        std::sort(named.begin(), named.end());
        named.erase(std::unique(named.begin(), named.end()), named.end());
        for (int n : named) {
            bool exists = false;
            for (int s = 0; s < kStarCount && !exists; ++s)
                exists = navPointInUse(document, s, n);
            if (!exists)
                add(out, Severity::Warning, {Kind::Briefing, -1, -1, b},
                    std::string("Briefing ") + kPages[b],
                    "Names nav point " + std::to_string(n) + ", which no star has in use");
        }
    }
}

void checkGroupTargets(const MissionDocument& document, const CheckContext& context,
                       Problems& out) {
    gamedata::ObjectGroupCatalog loaded;
    const gamedata::ObjectGroupCatalog* catalog = context.objectGroups;
    if (!catalog) {
        loaded = gamedata::ObjectGroupCatalog::load(context.programDirectory);
        catalog = &loaded;
    }
    if (catalog->empty())
        return;
    std::vector<std::string> groupsInUse; // found lazily: most missions name no group
    bool groupsKnown = false;
    for (int s = 0; s < kObjectiveTableCount; ++s)
        for (int r = 0; r < ObjectiveTable::rowCount; ++r) {
            const ObjectiveRow& row = document.objectives[s].row(r);
            if (!row.isUsed())
                continue;
            const std::string target = row.text(ObjectiveRow::target);
            const std::string* group = catalog->findGroup(target);
            if (!group)
                continue;
            if (!groupsKnown) {
                for (int slot : document.objects.occupiedSlots()) {
                    const MissionObjectRecord& o = *document.objects.find(slot);
                    groupsInUse.push_back(catalog->groupOf(o.text(MissionObjectRecord::objectName),
                                                           o.text(MissionObjectRecord::menuText)));
                }
                groupsKnown = true;
            }
            if (std::find(groupsInUse.begin(), groupsInUse.end(), *group) == groupsInUse.end())
                add(out, Severity::Error, {Kind::Objective, -1, s, -1, r},
                    "Star " + std::to_string(s) + " objective " + std::to_string(r),
                    "Target " + inQuotes(target) + " names object group " + *group +
                        ", of which the mission holds no object");
        }
}

} // namespace

std::vector<int> navPointNumbersNamedIn(std::string_view text) {
    std::vector<int> numbers;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((at > 0 && isLetter(text[at - 1])) || !startsWithWord(text, at, "nav"))
            continue;
        std::size_t i = at + 3;
        if (startsWithWord(text, skipSeparators(text, i), "point"))
            i = skipSeparators(text, i) + 5;
        i = skipSeparators(text, i);
        if (i >= text.size() || !isDigit(text[i]))
            continue;
        // "Navigate 3" is no nav point: a letter right after "nav" (other than "point") ends it.
        if (isLetter(text[at + 3]) && !startsWithWord(text, at + 3, "point"))
            continue;
        int n = 0;
        std::size_t end = i;
        while (end < text.size() && isDigit(text[end]) && n < 1000)
            n = n * 10 + (text[end++] - '0');
        if (end < text.size() && isLetter(text[end]))
            continue; // "Nav 3rd" and the like
        numbers.push_back(n);
        at = end - 1;
    }
    return numbers;
}

void checkReferences(const MissionDocument& document, const CheckContext& context, Problems& out) {
    checkObjectiveTexts(document, out);
    checkGroupTargets(document, context, out);
    checkBriefings(document, out);
}

} // namespace zev::build::check
