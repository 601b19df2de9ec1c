#pragma once

#include "mission/MissionHeader.h"

#include <array>
#include <string>

// The 3dfx mission options dialog over the mission header: the mission type (which game build
// the mission is for), the sky dome flag and the 36 option values.
namespace zev::edit {

enum class MissionType { DosStandard = 0, Patch8Bit = 1, Patch3dfx = 2 };
inline constexpr const char* kMissionTypeNames[] = {"Dos Standard", "1.1 8 bit Patch",
                                                    "1.1 3dfx Patch"};

inline constexpr int kPlatformOptionCount = mission::MissionHeader::dfxOptionCount;
// The option values the 8 bit patch uses: global intensity, ground tile, ground delta, ground
// max, shadow table and the ground clipping X, Y, Z.
inline constexpr int kPatch8BitOptionCount = 8;
// The options holding the kind of world light A and B.
inline constexpr int kLightKindOptions[] = {14, 21};

struct PlatformValues {
    MissionType missionType = MissionType::DosStandard;
    // The edits' texts by option index; the light kind slots stay empty.
    std::array<std::string, kPlatformOptionCount> options;
    std::array<bool, 2> directional{}; // world light A, B: "Directional", else "Point"
    bool skyDome = false;
    friend bool operator==(const PlatformValues&, const PlatformValues&) = default;
};

class PlatformOptionsModel {
public:
    // Patch flag 1 with 3dfx flag 0: the 8 bit patch; both 1: the 3dfx patch; else Dos.
    static MissionType missionType(const mission::MissionHeader& header);
    // Whether the control of an option (an edit, or a light's kind buttons) is enabled.
    static bool optionEnabled(MissionType type, int option);
    static bool skyDomeEnabled(MissionType type) { return type == MissionType::Patch3dfx; }

    static PlatformValues fill(const mission::MissionHeader& header);
    // `header` with the flags set from the mission type and every option from its control,
    // whether enabled or not: integers by their leading digits, floats as numbers (0 for none).
    static mission::MissionHeader compose(const PlatformValues& values,
                                          const mission::MissionHeader& header);
};

} // namespace zev::edit
