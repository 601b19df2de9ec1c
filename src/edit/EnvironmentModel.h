#pragma once

#include "mission/MissionHeader.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The environment dialog's controls over the mission header: world physics, light, clipping,
// the palette and ground texture, and the fog and star world flags.
namespace zev::edit {

inline constexpr int kGravityBarMax = 200; // hundredths of the gravity value
inline constexpr int kTemperatureBarMin = -100;
inline constexpr int kTemperatureBarMax = 100;
inline constexpr int kLightBarMax = 250;
inline constexpr const char* kStartLightNames[] = {"Dawn", "Day", "Dusk", "Night"};

// Sections of the program's settings file that list the names offered.
inline constexpr const char* kPaletteSection = "COLOR PALETTES";
inline constexpr const char* kGroundTextureSection = "GROUND TEXTURES";

// What each control of the environment dialog shows. Bars are their positions.
struct EnvironmentValues {
    int gravity = 0;
    std::string secondsInDay, daysInYear;
    int temperature = -50;
    std::string maxJumpHeight, minHeight, maxHeight, coefFriction, shadeDistance;
    bool canEject = false, hideSky = false, hideGround = false, hideHorizon = false;
    int light = 0;
    int startLight = 0; // 0 dawn .. 3 night; -1 none checked
    std::string clipNear, clipFar;
    std::array<std::string, 3> lightSource; // X, Y, Z
    bool pointLight = false;                // "Point", else "Infinite"
    // The chosen names; the stored name when nothing is chosen.
    std::string palette, groundTexture;
    bool fog = false;
    bool starWorld = false;
    friend bool operator==(const EnvironmentValues&, const EnvironmentValues&) = default;
};

class EnvironmentModel {
public:
    // The controls as the header fills them; bars held within their ranges.
    static EnvironmentValues fill(const mission::MissionHeader& header);
    // `header` with every environment field written from the controls. A start light outside
    // 0..3 and a palette or texture name equal to the stored one leave those fields as they are.
    static mission::MissionHeader compose(const EnvironmentValues& values,
                                          const mission::MissionHeader& header);
};

// The names a section of the settings file lists under "ITEM 1" .. "ITEM <ITEM COUNT>", those of
// more than three characters, sorted without regard to case. A missing file or section gives none.
std::vector<std::string> readChoiceList(const std::filesystem::path& iniPath,
                                        std::string_view section);

} // namespace zev::edit
