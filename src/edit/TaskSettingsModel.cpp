#include "TaskSettingsModel.h"

#include "common/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace zev::edit {

using mission::MissionObjectRecord;
using R = MissionObjectRecord;

namespace {

constexpr std::size_t kTaskStart = R::pathPointEnabled(0).offset;

std::string dec(std::int64_t value) {
    return common::decimal(value);
}

std::uint8_t flag(bool on) {
    return on ? 1 : 0;
}

// The float as a whole number for the summary, truncated; a value an int cannot hold (a damaged
// record may carry any bits) shows as the nearest one, NaN as 0.
std::int64_t wholeNumber(float value) {
    if (std::isnan(value))
        return 0;
    const double t = std::trunc(double(value));
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    return std::int64_t(std::clamp(t, low, high));
}

} // namespace

float leadingFloat(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    // from_chars takes a minus but no plus.
    if (i + 1 < text.size() && text[i] == '+' && text[i + 1] != '-')
        ++i;
    // Only decimal notation: from_chars would also take "inf" and "nan".
    const std::size_t digits = (i < text.size() && text[i] == '-') ? i + 1 : i;
    if (digits >= text.size() ||
        !((text[digits] >= '0' && text[digits] <= '9') || text[digits] == '.'))
        return 0.0f;
    float value = 0.0f;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value,
                                              std::chars_format::general);
    (void)end;
    if (error != std::errc() || !std::isfinite(value))
        return 0.0f;
    return value;
}

std::int16_t leadingInt16(std::string_view text) {
    return std::int16_t(std::clamp<std::int32_t>(common::leadingInt(text),
                                                 std::numeric_limits<std::int16_t>::min(),
                                                 std::numeric_limits<std::int16_t>::max()));
}

SpinnerValues TaskSettingsModel::spinner() const {
    SpinnerValues v;
    for (int axis = 0; axis < 3; ++axis)
        v.rotation[std::size_t(axis)] = dec(working_.int16(R::spinnerRotation(axis)));
    v.period = dec(working_.int16(R::spinnerPeriod));
    v.time = common::cFloat(working_.float32(R::spinnerTime));
    v.enabled = working_.byte(R::spinnerEnabled) != 0;
    return v;
}

void TaskSettingsModel::setSpinner(const SpinnerValues& v) {
    for (int axis = 0; axis < 3; ++axis)
        working_.setInt16(R::spinnerRotation(axis), leadingInt16(v.rotation[std::size_t(axis)]));
    working_.setInt16(R::spinnerPeriod, leadingInt16(v.period));
    working_.setFloat32(R::spinnerTime, leadingFloat(v.time));
    working_.setByte(R::spinnerEnabled, flag(v.enabled));
}

ColorSpinValues TaskSettingsModel::colorSpin() const {
    ColorSpinValues v;
    for (int c = 0; c < R::colorSpinColorCount; ++c)
        v.colors[std::size_t(c)] = dec(working_.int16(R::colorSpinColor(c)));
    v.period = dec(working_.int16(R::colorSpinPeriod));
    v.enabled = working_.byte(R::colorSpinEnabled) != 0;
    return v;
}

void TaskSettingsModel::setColorSpin(const ColorSpinValues& v) {
    for (int c = 0; c < R::colorSpinColorCount; ++c)
        working_.setInt16(R::colorSpinColor(c), leadingInt16(v.colors[std::size_t(c)]));
    working_.setInt16(R::colorSpinPeriod, leadingInt16(v.period));
    working_.setByte(R::colorSpinEnabled, flag(v.enabled));
}

FlyCircleValues TaskSettingsModel::flyCircle() const {
    FlyCircleValues v;
    v.period = dec(working_.int16(R::flyCirclePeriod));
    v.interval = dec(working_.int16(R::flyCircleInterval));
    v.radius = dec(working_.int32(R::flyCircleRadius));
    v.enabled = working_.byte(R::flyCircleEnabled) != 0;
    v.active = working_.byte(R::flyCircleActive) != 0;
    return v;
}

void TaskSettingsModel::setFlyCircle(const FlyCircleValues& v) {
    working_.setInt16(R::flyCirclePeriod, leadingInt16(v.period));
    working_.setInt16(R::flyCircleInterval, leadingInt16(v.interval));
    working_.setInt32(R::flyCircleRadius, common::leadingInt(v.radius));
    working_.setByte(R::flyCircleEnabled, flag(v.enabled));
    working_.setByte(R::flyCircleActive, flag(v.active));
}

PathValues TaskSettingsModel::path() const {
    PathValues v;
    v.enabled = working_.byte(R::pathEnabled) != 0;
    v.period = dec(working_.int16(R::pathPeriod));
    const std::string looping = working_.text(R::pathLooping);
    v.looping = looping.find("loop") != std::string::npos     ? PathLooping::Loop
                : looping.find("repeat") != std::string::npos ? PathLooping::Repeat
                                                              : PathLooping::Oneshot;
    v.rotation = working_.text(R::pathRotation) == "norotate" ? PathRotation::NonRotate
                                                              : PathRotation::Rotate;
    for (int p = 0; p < R::pathPointCount; ++p) {
        PathPointValues& point = v.points[std::size_t(p)];
        point.enabled = working_.byte(R::pathPointEnabled(p)) != 0;
        for (int axis = 0; axis < 3; ++axis) {
            point.cells[std::size_t(axis)] = dec(working_.int32(R::pathPointPosition(p, axis)));
            point.cells[std::size_t(3 + axis)] = dec(working_.int16(R::pathPointRotation(p, axis)));
        }
        point.cells[6] = dec(working_.int16(R::pathPointTime(p)));
    }
    return v;
}

void TaskSettingsModel::setPath(const PathValues& v) {
    static constexpr const char* loopingWords[] = {"loop", "repeat", "oneshot"};
    working_.setByte(R::pathEnabled, flag(v.enabled));
    working_.setInt16(R::pathPeriod, leadingInt16(v.period));
    working_.setText(R::pathLooping, loopingWords[int(v.looping)]);
    working_.setText(R::pathRotation,
                     v.rotation == PathRotation::NonRotate ? "norotate" : "rotate");
    for (int p = 0; p < R::pathPointCount; ++p) {
        const PathPointValues& point = v.points[std::size_t(p)];
        working_.setByte(R::pathPointEnabled(p), flag(point.enabled));
        for (int axis = 0; axis < 3; ++axis) {
            working_.setInt32(R::pathPointPosition(p, axis),
                              common::leadingInt(point.cells[std::size_t(axis)]));
            working_.setInt16(R::pathPointRotation(p, axis),
                              leadingInt16(point.cells[std::size_t(3 + axis)]));
        }
        working_.setInt16(R::pathPointTime(p), leadingInt16(point.cells[6]));
    }
}

AmbientSoundValues TaskSettingsModel::ambientSound() const {
    AmbientSoundValues v;
    v.enabled = working_.byte(R::ambientSoundEnabled) != 0;
    v.active = working_.byte(R::ambientSoundActive) != 0;
    v.radius = dec(working_.int32(R::ambientSoundRadius));
    v.soundFile = working_.text(R::ambientSoundFile);
    return v;
}

void TaskSettingsModel::setAmbientSound(const AmbientSoundValues& v) {
    working_.setByte(R::ambientSoundEnabled, flag(v.enabled));
    working_.setByte(R::ambientSoundActive, flag(v.active));
    working_.setInt32(R::ambientSoundRadius, common::leadingInt(v.radius));
    working_.setText(R::ambientSoundFile, v.soundFile); // cut to its 14 characters
}

std::vector<std::string> TaskSettingsModel::summary(std::string_view geometryName) const {
    const std::string n(geometryName);
    const auto enabled = [this](common::ByteField f) {
        return " enabled(" + dec(working_.byte(f)) + ")";
    };
    std::vector<std::string> lines;

    lines.push_back("task spinner " + dec(working_.int16(R::spinnerPeriod)) + " " + n + ";" +
                    dec(working_.int16(R::spinnerRotation(0))) + "," +
                    dec(working_.int16(R::spinnerRotation(1))) + "," +
                    dec(working_.int16(R::spinnerRotation(2))) + "," +
                    dec(wholeNumber(working_.float32(R::spinnerTime))) +
                    enabled(R::spinnerEnabled));

    std::string colors;
    for (int c = 0; c < R::colorSpinColorCount; ++c)
        colors += (c == 0 ? "" : c < 4 ? "," : " ") + dec(working_.int16(R::colorSpinColor(c)));
    lines.push_back("task colorspin " + dec(working_.int16(R::colorSpinPeriod)) + " " + n + ";" +
                    colors + enabled(R::colorSpinEnabled));

    lines.push_back("task flycircle " + dec(working_.int16(R::flyCirclePeriod)) + " " + n + ";" +
                    dec(working_.int32(R::flyCircleRadius)) + "," +
                    dec(working_.int16(R::flyCircleInterval)) + enabled(R::flyCircleEnabled));

    // "enaled" is how this line has always read.
    lines.push_back("task path " + dec(working_.int16(R::pathPeriod)) + " " + n + ";" +
                    working_.text(R::pathLooping) + "," + working_.text(R::pathRotation) +
                    " enaled(" + dec(working_.byte(R::pathEnabled)) + ")");

    lines.push_back("task ambientsound 0 " + n + ";" + dec(working_.int32(R::ambientSoundRadius)) +
                    "," + working_.text(R::ambientSoundFile) + enabled(R::ambientSoundEnabled));
    return lines;
}

void TaskSettingsModel::copyInto(MissionObjectRecord& record) const {
    const auto from = working_.bytes();
    std::copy(from.begin() + kTaskStart, from.end(), record.bytes().begin() + kTaskStart);
}

} // namespace zev::edit
