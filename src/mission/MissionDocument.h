#pragma once

#include "MissionHeader.h"
#include "NavPointRecord.h"
#include "ObjectTable.h"
#include "ObjectiveTable.h"
#include "PaletteRecord.h"
#include "StartPointRecord.h"
#include "WeatherRecord.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zev::mission {

constexpr int kBriefingCount = 3;

// The one mission being edited: fixed-size records, the object table and the three briefing
// documents (kept as the bytes the briefing editor saves). A document is plain data, so a copy
// is a complete snapshot.
class MissionDocument {
public:
    MissionHeader header;
    std::array<StartPointRecord, kPlayerCount> startPoints{};
    std::array<Star, kStarCount> stars{};
    ObjectiveBlock objectives{};
    WeatherRecord weather;
    PaletteRecord palette;
    ObjectTable objects;
    std::array<std::vector<std::uint8_t>, kBriefingCount> briefings{};

    // Changed since the last New, Open or Save.
    bool modified = false;
    // Has no file yet (after New).
    bool untitled = false;

    StartPointRecord& startPoint(int player) { return startPoints.at(std::size_t(player - 1)); }
    const StartPointRecord& startPoint(int player) const {
        return startPoints.at(std::size_t(player - 1));
    }
    NavPointRecord& navPoint(int star, int nav) {
        return stars.at(std::size_t(star)).at(std::size_t(nav));
    }
    const NavPointRecord& navPoint(int star, int nav) const {
        return stars.at(std::size_t(star)).at(std::size_t(nav));
    }

    friend bool operator==(const MissionDocument&, const MissionDocument&) = default;
};

} // namespace zev::mission
