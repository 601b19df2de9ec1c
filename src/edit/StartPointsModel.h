#pragma once

#include "mission/StartPointRecord.h"

#include <array>
#include <iterator>
#include <string>

// The start point dialog's working copy of the eight players' start points: what a player's page
// shows and what leaving the page writes back.
namespace zev::edit {

using StartPointRecords = std::array<mission::StartPointRecord, mission::kPlayerCount>;

// The "Mek Camo Pattern" choices; a record's camouflage index is a position here.
inline constexpr const char* kCamouflagePatterns[] = {
    "Plain Steel Camo",   "Dark Steel Panels", "Medium Steel Panels", "Tiger Stripe Camo Pattern",
    "Lined Camp Pattern", "Cow Camo Pattern",  "Flat Colored Panels", "Pirate Flat Black Panels"};
inline constexpr int kCamouflageCount = int(std::size(kCamouflagePatterns));

inline constexpr int kCoordinateMaxLength = 34;
inline constexpr int kHeadingMaxLength = 3;

// One player's page: the texts of "X =", "Y =", "Z =", "Heading" and the checked pattern.
struct StartPointValues {
    std::string x, y, z, heading;
    int camouflage = -1; // position in kCamouflagePatterns; -1: none checked
    friend bool operator==(const StartPointValues&, const StartPointValues&) = default;
};

class StartPointsModel {
public:
    explicit StartPointsModel(const StartPointRecords& records);

    // Players count from 1. A record whose camouflage index names no pattern shows none
    // checked. A player outside 1 to 8 has an empty page.
    StartPointValues page(int player) const;
    // How many characters the heading control takes on a player's page: 3, or the length of a
    // longer heading the record already holds, so showing the page never cuts it.
    int headingMaxLength(int player) const;
    // Writes a page into the working copy: texts cut to their controls' lengths, the camouflage
    // index only when it names a pattern (none checked keeps the record's index). Other bytes of
    // the record stay as they were; a player outside 1 to 8 changes nothing.
    void store(int player, const StartPointValues& values);

    const StartPointRecords& records() const { return records_; }

private:
    StartPointRecords records_;
};

} // namespace zev::edit
