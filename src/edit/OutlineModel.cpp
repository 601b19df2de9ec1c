#include "OutlineModel.h"

#include "common/Numbers.h"
#include "gamedata/ObjectGroupCatalog.h"

#include <algorithm>
#include <cctype>

namespace zev::edit {

using mission::MissionObjectRecord;
using R = MissionObjectRecord;

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool containsLowered(std::string_view cell, std::string_view word) {
    if (word.size() > cell.size())
        return false;
    const auto it =
        std::search(cell.begin(), cell.end(), word.begin(), word.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == b;
        });
    return it != cell.end() || word.empty();
}

// The words of the search text; double quotes keep blanks inside a word.
std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    std::string word;
    bool quoted = false, any = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
            if (any)
                out.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any)
        out.push_back(word);
    return out;
}

std::string navPointName(int index, const mission::NavPointRecord& record) {
    const std::string text = record.text(mission::NavPointRecord::navText);
    return "Nav Point " + std::to_string(index + 1) + (text.empty() ? "" : " \"" + text + "\"");
}

OutlineRow markerRow(const Selection& thing, std::string name, int star) {
    OutlineRow row;
    row.thing = thing;
    row.cells[std::size_t(OutlineColumn::Name)] = std::move(name);
    row.cells[std::size_t(OutlineColumn::Star)] = std::to_string(star);
    return row;
}

OutlineRow navPointRow(const NavPointMarker& m, const mission::MissionDocument& d) {
    return markerRow(Selection::navPoint(m.star, m.index),
                     navPointName(m.index, d.navPoint(m.star, m.index)), m.star);
}

} // namespace

const char* outlineColumnTitle(OutlineColumn column) {
    constexpr const char* titles[] = {"Slot", "Name", "Geometry", "Group", "Area", "Star"};
    return titles[std::size_t(column)];
}

OutlineFilter::OutlineFilter(std::string_view text) {
    struct Key {
        const char* word;
        OutlineColumn column;
        bool whole;
    };
    constexpr Key keys[] = {
        {"group:", OutlineColumn::Group, false},       {"area:", OutlineColumn::Area, true},
        {"star:", OutlineColumn::Star, true},          {"name:", OutlineColumn::Name, false},
        {"geometry:", OutlineColumn::Geometry, false}, {"slot:", OutlineColumn::Slot, true}};
    for (const std::string& w : words(text)) {
        Term term{-1, false, lowered(w)};
        for (const Key& k : keys) {
            const std::string_view key = k.word;
            if (term.word.compare(0, key.size(), key) == 0) {
                term = {int(k.column), k.whole, term.word.substr(key.size())};
                break;
            }
        }
        // "area:" alone, while the value is still being typed, restricts nothing yet.
        if (!term.word.empty())
            terms_.push_back(std::move(term));
    }
}

bool OutlineFilter::matches(const OutlineRow& row) const {
    return std::all_of(terms_.begin(), terms_.end(), [&row](const Term& t) {
        if (t.column >= 0) {
            const std::string& cell = row.cells[std::size_t(t.column)];
            return t.whole ? lowered(cell) == t.word : containsLowered(cell, t.word);
        }
        return std::any_of(row.cells.begin(), row.cells.end(),
                           [&t](const std::string& cell) { return containsLowered(cell, t.word); });
    });
}

OutlineModel::OutlineModel(MissionEditor& editor, const gamedata::ObjectGroupCatalog* groups)
    : editor_(editor), groups_(groups) {
    rebuild();
    editor_.addListener(this);
}

OutlineModel::~OutlineModel() {
    editor_.removeListener(this);
}

int OutlineModel::objectCount() const {
    // Objects come first; the start points always follow them.
    const auto firstMarker = std::find_if(rows_.begin(), rows_.end(), [](const OutlineRow& r) {
        return r.thing.kind != Selection::Kind::Object;
    });
    return int(firstMarker - rows_.begin());
}

OutlineRow OutlineModel::objectRow(int slot) const {
    OutlineRow row;
    row.thing = Selection::object(slot);
    const MissionObjectRecord* r = editor_.document().objects.find(slot);
    if (!r)
        return row;
    const std::string geometry = r->text(R::objectName);
    const std::string menu = r->text(R::menuText);
    row.cells = {common::decimal(slot),
                 menu,
                 r->isReadyMadeGroup() ? geometry + " (ready-made group)" : geometry,
                 groups_ ? groups_->groupOf(geometry, menu) : std::string(),
                 r->text(R::areaFile),
                 {}};
    return row;
}

void OutlineModel::rebuild() {
    rows_.clear();
    if (!editor_.hasMission())
        return;
    const mission::MissionDocument& d = editor_.document();
    for (int slot : d.objects.occupiedSlots())
        rows_.push_back(objectRow(slot));
    for (int p = 1; p <= mission::kPlayerCount; ++p)
        rows_.push_back(markerRow(Selection::startPoint(p),
                                  "Player " + std::to_string(p) + " Start Point", p - 1));
    for (const NavPointMarker& m : editor_.navPointMarkers())
        rows_.push_back(navPointRow(m, d));
}

int OutlineModel::rowOf(const Selection& thing) const {
    if (thing.kind == Selection::Kind::Object) {
        // Objects are sorted by slot.
        const int n = objectCount();
        const auto end = rows_.begin() + n;
        const auto it =
            std::lower_bound(rows_.begin(), end, thing.id,
                             [](const OutlineRow& r, int slot) { return r.thing.id < slot; });
        return it != end && it->thing == thing ? int(it - rows_.begin()) : -1;
    }
    const auto it = std::find_if(rows_.begin(), rows_.end(),
                                 [&thing](const OutlineRow& r) { return r.thing == thing; });
    return it == rows_.end() ? -1 : int(it - rows_.begin());
}

void OutlineModel::setGroups(const gamedata::ObjectGroupCatalog* groups) {
    groups_ = groups;
    const int n = objectCount();
    for (int i = 0; i < n; ++i)
        rows_[std::size_t(i)] = objectRow(rows_[std::size_t(i)].thing.id);
    if (n > 0)
        tell().changed(0, n - 1);
}

void OutlineModel::missionReplaced() {
    tell().aboutToReset();
    rebuild();
    tell().reset();
}

void OutlineModel::objectAdded(int slot) {
    if (rows_.empty()) // the first notice after a load step reaches an empty outline
        return missionReplaced();
    const int n = objectCount();
    const auto end = rows_.begin() + n;
    const auto it = std::lower_bound(rows_.begin(), end, slot,
                                     [](const OutlineRow& r, int s) { return r.thing.id < s; });
    const int at = int(it - rows_.begin());
    if (it != end && it->thing.id == slot) {
        rows_[std::size_t(at)] = objectRow(slot);
        tell().changed(at, at);
        return;
    }
    tell().aboutToInsert(at, 1);
    rows_.insert(it, objectRow(slot));
    tell().inserted();
}

void OutlineModel::objectRemoved(int slot) {
    const int at = rowOf(Selection::object(slot));
    if (at < 0)
        return;
    tell().aboutToRemove(at, 1);
    rows_.erase(rows_.begin() + at);
    tell().removed();
}

void OutlineModel::objectRecordChanged(int slot) {
    const int at = rowOf(Selection::object(slot));
    if (at < 0)
        return;
    OutlineRow row = objectRow(slot);
    if (row.cells == rows_[std::size_t(at)].cells)
        return; // a turn or a task: nothing the outline shows
    rows_[std::size_t(at)] = std::move(row);
    tell().changed(at, at);
}

void OutlineModel::startPointChanged(int) {
    // Start point rows show nothing that a start point's change alters.
}

void OutlineModel::navPointsChanged() {
    replaceNavRows();
}

void OutlineModel::replaceNavRows() {
    if (rows_.empty())
        return missionReplaced();
    const int first = firstNavRow();
    const mission::MissionDocument& d = editor_.document();
    std::vector<OutlineRow> navRows;
    for (const NavPointMarker& m : editor_.navPointMarkers())
        navRows.push_back(navPointRow(m, d));
    // A nav point moved: the rows stay as they are.
    if (std::equal(navRows.begin(), navRows.end(), rows_.begin() + first, rows_.end(),
                   [](const OutlineRow& a, const OutlineRow& b) {
                       return a.thing == b.thing && a.cells == b.cells;
                   }))
        return;
    const int old = int(rows_.size()) - first;
    if (old > 0) {
        tell().aboutToRemove(first, old);
        rows_.erase(rows_.begin() + first, rows_.end());
        tell().removed();
    }
    if (navRows.empty())
        return;
    tell().aboutToInsert(first, int(navRows.size()));
    rows_.insert(rows_.end(), std::make_move_iterator(navRows.begin()),
                 std::make_move_iterator(navRows.end()));
    tell().inserted();
}

} // namespace zev::edit
