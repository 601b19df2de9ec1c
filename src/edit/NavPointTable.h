#pragma once

#include "mission/NavPointRecord.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zev::edit {

// Every star's nav point slots, as the mission document keeps them.
using NavStars = std::array<mission::Star, mission::kStarCount>;

// The nav point table's working copy of all eight stars: one star at a time (its tab), the
// grid lines of its 25 slots and the operations of the table's buttons. Every edit goes into the
// working copy at once; OK hands `stars()` back whole, Cancel forgets it. Slots outside 0..24
// (no line selected, or the title line) leave everything as it is.
class NavPointTable {
public:
    static constexpr int kGridColumns = 9;
    static constexpr int kGridLines = 1 + mission::kNavPointsPerStar;
    static const std::array<std::string_view, kGridColumns> kGridTitles;

    explicit NavPointTable(const NavStars& stars);

    const NavStars& stars() const { return working_; }
    int currentStar() const { return star_; }
    // Another tab; a star outside 0..7 is ignored.
    void selectStar(int star);

    // The slot a grid line shows: line n + 1 shows slot n, line 0 holds the titles.
    static int slotOfLine(int line) { return line - 1; }
    static bool isSlot(int slot) { return slot >= 0 && slot < mission::kNavPointsPerStar; }

    // The grid as it shows the current star: line 0 the titles, line n + 1 slot n whether in
    // use or not. Empty outside the grid.
    std::string gridText(int line, int column) const;

    // A slot of the current star; nothing outside 0..24.
    std::optional<mission::NavPointRecord> record(int slot) const;
    void replace(int slot, const mission::NavPointRecord& record);

    // Moves the slots from `slot` down by one (the last slot's content is lost) and empties
    // `slot`.
    void insert(int slot);
    // Moves the slots below `slot` up by one and empties the last slot.
    void remove(int slot);
    void erase(int slot);
    // Every star back as the table was opened with.
    void undo();

private:
    mission::Star& star() { return working_[std::size_t(star_)]; }
    const mission::Star& star() const { return working_[std::size_t(star_)]; }

    NavStars original_;
    NavStars working_;
    int star_ = 0;
};

} // namespace zev::edit
