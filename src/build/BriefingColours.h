#pragma once

#include <cstdint>

namespace zev::build {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The four text colours of the briefing editor's buttons; the game shows exactly these.
constexpr Rgb kBriefingWhite{255, 255, 255};
constexpr Rgb kBriefingRed{255, 0, 0};
constexpr Rgb kBriefingGreen{0, 128, 0};
constexpr Rgb kBriefingBlue{0, 0, 255};

// The game's colour code for a briefing colour ("&W", "&R", "&G", "&B"), or null for any other
// colour.
constexpr const char* briefingColourCode(const Rgb& colour) {
    if (colour == kBriefingWhite)
        return "&W";
    if (colour == kBriefingRed)
        return "&R";
    if (colour == kBriefingGreen)
        return "&G";
    if (colour == kBriefingBlue)
        return "&B";
    return nullptr;
}

} // namespace zev::build
