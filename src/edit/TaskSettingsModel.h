#pragma once

#include "mission/MissionObjectRecord.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The five animation tasks of a placed object (spinner, colour spin, fly circle, path, ambient
// sound) as their dialogs show them. The dialogs edit texts; the model converts them: integers by
// their leading digits, the spinner time as a floating-point number, the path's words from its
// choices. Every task dialog works on one working copy of the object's task bytes, which goes
// back into the record only when the property dialog is confirmed.
namespace zev::edit {

struct SpinnerValues {
    std::array<std::string, 3> rotation; // X, Y, Z
    std::string period;
    std::string time; // "%f"
    bool enabled = false;
    friend bool operator==(const SpinnerValues&, const SpinnerValues&) = default;
};

struct ColorSpinValues {
    std::array<std::string, mission::MissionObjectRecord::colorSpinColorCount> colors;
    std::string period;
    bool enabled = false;
    friend bool operator==(const ColorSpinValues&, const ColorSpinValues&) = default;
};

struct FlyCircleValues {
    std::string period;
    std::string interval;
    std::string radius;
    bool enabled = false;
    bool active = false;
    friend bool operator==(const FlyCircleValues&, const FlyCircleValues&) = default;
};

// The "Looping" and "Rotation" choices, in the order the path dialog offers them.
enum class PathLooping { Loop, Repeat, Oneshot };
enum class PathRotation { Rotate, NonRotate };

struct PathPointValues {
    bool enabled = false;
    // "Pos X", "Pos Y", "Pos Z", the rotations X, Y, Z and "Time", as the grid's columns.
    std::array<std::string, 7> cells;
    friend bool operator==(const PathPointValues&, const PathPointValues&) = default;
};

struct PathValues {
    bool enabled = false;
    std::string period;
    PathLooping looping = PathLooping::Oneshot;
    PathRotation rotation = PathRotation::Rotate;
    std::array<PathPointValues, mission::MissionObjectRecord::pathPointCount> points;
    friend bool operator==(const PathValues&, const PathValues&) = default;
};

struct AmbientSoundValues {
    bool enabled = false;
    bool active = false;
    std::string radius;
    std::string soundFile;
    friend bool operator==(const AmbientSoundValues&, const AmbientSoundValues&) = default;
};

inline constexpr const char* kSummaryTitle = "Object Animation Settings";
inline constexpr const char* kColorRowTitles[] = {
    "Color One",      "Color Two",      "Color Three",   "Color Four",
    "Color Five",     "Color Six",      "Color Seven",   "Color Eight",
    "Color Nine",     "Color Ten",      "Color Eleven",  "Color Twelve",
    "Color Thirteen", "Color Fourteen", "Color Fifteen", "Color Sixteen"};
inline constexpr const char* kPathLoopingTexts[] = {"Loop", "Repeat", "Oneshot"};
inline constexpr const char* kPathRotationTexts[] = {"Rotate", "Non Rotate"};
inline constexpr const char* kPathColumnTitles[] = {"Pos X", "Pos Y", "Pos Z", "Rot X",
                                                    "Rot Y", "Rot Z", "Time"};

// The working copy of an object's task settings (record bytes 524 to 839). It keeps the whole
// record image so that the record's field constants address it; only the task bytes go back.
class TaskSettingsModel {
public:
    explicit TaskSettingsModel(const mission::MissionObjectRecord& record) : working_(record) {}

    SpinnerValues spinner() const;
    void setSpinner(const SpinnerValues& values);
    ColorSpinValues colorSpin() const;
    void setColorSpin(const ColorSpinValues& values);
    FlyCircleValues flyCircle() const;
    void setFlyCircle(const FlyCircleValues& values);
    PathValues path() const;
    void setPath(const PathValues& values);
    AmbientSoundValues ambientSound() const;
    void setAmbientSound(const AmbientSoundValues& values);

    // The "Object Animation Settings" lines: spinner, colour spin, fly circle, path, ambient
    // sound, each naming the object by `geometryName`.
    std::vector<std::string> summary(std::string_view geometryName) const;

    // Copies the task bytes, and only those, into `record`.
    void copyInto(mission::MissionObjectRecord& record) const;

private:
    mission::MissionObjectRecord working_;
};

// A typed number as a float: leading blanks, an optional sign, then the longest decimal number
// (C locale, whatever the user's). Text without a number, and a value a float cannot hold, give 0.
float leadingFloat(std::string_view text);

// A typed number for a 16-bit field: its leading digits, held within the field's range.
std::int16_t leadingInt16(std::string_view text);

} // namespace zev::edit
