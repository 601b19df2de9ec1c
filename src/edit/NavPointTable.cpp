#include "NavPointTable.h"

#include "common/Numbers.h"

namespace zev::edit {

using mission::NavPointRecord;
using R = NavPointRecord;

const std::array<std::string_view, NavPointTable::kGridColumns> NavPointTable::kGridTitles = {
    "ID#", "Pos X", "Pos Y", "Pos Z", "Heading", "Enable", "Radius", "App Action", "Text"};

NavPointTable::NavPointTable(const NavStars& stars) : original_(stars), working_(stars) {}

void NavPointTable::selectStar(int star) {
    if (star >= 0 && star < mission::kStarCount)
        star_ = star;
}

std::string NavPointTable::gridText(int line, int column) const {
    if (column < 0 || column >= kGridColumns || line < 0 || line >= kGridLines)
        return {};
    if (line == 0)
        return std::string(kGridTitles[std::size_t(column)]);
    const int slot = slotOfLine(line);
    if (column == 0)
        return common::decimal(slot);
    static constexpr common::TextField columns[] = {R::x,       R::y,      R::z,       R::heading,
                                                    R::enabled, R::radius, R::actions, R::navText};
    return star()[std::size_t(slot)].text(columns[column - 1]);
}

std::optional<NavPointRecord> NavPointTable::record(int slot) const {
    if (!isSlot(slot))
        return std::nullopt;
    return star()[std::size_t(slot)];
}

void NavPointTable::replace(int slot, const NavPointRecord& record) {
    if (isSlot(slot))
        star()[std::size_t(slot)] = record;
}

void NavPointTable::insert(int slot) {
    if (!isSlot(slot))
        return;
    mission::Star& s = star();
    for (int n = mission::kNavPointsPerStar - 1; n > slot; --n)
        s[std::size_t(n)] = s[std::size_t(n - 1)];
    s[std::size_t(slot)].clear();
}

void NavPointTable::remove(int slot) {
    if (!isSlot(slot))
        return;
    mission::Star& s = star();
    for (int n = slot; n < mission::kNavPointsPerStar - 1; ++n)
        s[std::size_t(n)] = s[std::size_t(n + 1)];
    s.back().clear();
}

void NavPointTable::erase(int slot) {
    if (isSlot(slot))
        star()[std::size_t(slot)].clear();
}

void NavPointTable::undo() {
    working_ = original_;
}

} // namespace zev::edit
