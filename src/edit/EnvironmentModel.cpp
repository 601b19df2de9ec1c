#include "EnvironmentModel.h"

#include "TaskSettingsModel.h"

#include "common/IniFile.h"
#include "common/Numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

namespace zev::edit {

using mission::MissionHeader;
using H = MissionHeader;

namespace {

// printf's "%-<width>d": the number padded with blanks on the right.
std::string leftJustified(int value, std::size_t width) {
    std::string text = common::decimal(value);
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

EnvironmentValues EnvironmentModel::fill(const MissionHeader& header) {
    EnvironmentValues v;
    // Rounded, so that "0.98" (0.97999.. as a binary float) shows 98.
    const double gravity = double(leadingFloat(header.text(H::gravity))) * 100.0;
    v.gravity = int(std::lround(std::clamp(gravity, 0.0, double(kGravityBarMax))));
    v.secondsInDay = header.text(H::secondsInDay);
    v.daysInYear = header.text(H::daysInYear);
    v.temperature = std::clamp(common::leadingInt(header.text(H::meanTemperature)),
                               kTemperatureBarMin, kTemperatureBarMax);
    v.maxJumpHeight = header.text(H::maxJumpHeight);
    v.minHeight = header.text(H::minHeight);
    v.maxHeight = header.text(H::maxHeight);
    v.coefFriction = header.text(H::coefFriction);
    v.shadeDistance = header.text(H::shadeDistance);
    v.canEject = header.byte(H::canEject) != 0;
    v.hideSky = header.byte(H::hideSky) != 0;
    v.hideGround = header.byte(H::hideGround) != 0;
    v.hideHorizon = header.byte(H::hideHorizon) != 0;
    v.light = std::clamp(common::leadingInt(header.text(H::ambientLight)), 0, kLightBarMax);
    const std::int32_t now = header.int32(H::now);
    v.startLight = now >= 0 && now < int(std::size(kStartLightNames)) ? now : -1;
    v.clipNear = header.text(H::clipNear);
    v.clipFar = header.text(H::clipFar);
    v.lightSource = {header.text(H::lightSourceX), header.text(H::lightSourceY),
                     header.text(H::lightSourceZ)};
    v.pointLight = header.byte(H::pointLight) != 0;
    v.palette = header.text(H::colorPalette);
    v.groundTexture = header.text(H::groundTexture);
    v.fog = header.int32(H::fog) != 0;
    v.starWorld = header.byte(H::fogWorld) != 0;
    return v;
}

MissionHeader EnvironmentModel::compose(const EnvironmentValues& v, const MissionHeader& header) {
    H out = header;
    const int gravity = std::clamp(v.gravity, 0, kGravityBarMax);
    out.setText(H::gravity, common::cFloat(gravity * 0.01, std::chars_format::fixed, 2));
    out.setText(H::secondsInDay, v.secondsInDay);
    out.setText(H::daysInYear, v.daysInYear);
    out.setText(H::meanTemperature, leftJustified(v.temperature, 19));
    out.setText(H::maxJumpHeight, v.maxJumpHeight);
    out.setText(H::minHeight, v.minHeight);
    out.setText(H::maxHeight, v.maxHeight);
    out.setText(H::coefFriction, v.coefFriction);
    out.setText(H::shadeDistance, v.shadeDistance);
    out.setByte(H::canEject, v.canEject ? 1 : 0);
    out.setByte(H::hideSky, v.hideSky ? 1 : 0);
    out.setByte(H::hideGround, v.hideGround ? 1 : 0);
    out.setByte(H::hideHorizon, v.hideHorizon ? 1 : 0);
    out.setText(H::ambientLight, leftJustified(v.light, 7));
    if (v.startLight >= 0 && v.startLight < int(std::size(kStartLightNames)))
        out.setInt32(H::now, v.startLight);
    out.setText(H::clipNear, v.clipNear);
    out.setText(H::clipFar, v.clipFar);
    out.setText(H::lightSourceX, v.lightSource[0]);
    out.setText(H::lightSourceY, v.lightSource[1]);
    out.setText(H::lightSourceZ, v.lightSource[2]);
    out.setByte(H::pointLight, v.pointLight ? 1 : 0);
    // Rewriting an unchanged name could still cut one that fills its whole field.
    if (v.palette != header.text(H::colorPalette))
        out.setText(H::colorPalette, v.palette);
    if (v.groundTexture != header.text(H::groundTexture))
        out.setText(H::groundTexture, v.groundTexture);
    out.setInt32(H::fog, v.fog ? 1 : 0);
    out.setByte(H::fogWorld, v.starWorld ? 1 : 0);
    return out;
}

std::vector<std::string> readChoiceList(const std::filesystem::path& iniPath,
                                        std::string_view section) {
    // Names of 3 characters or fewer are not offered; names that sort alike keep their order.
    std::vector<std::string> names;
    for (std::string& name : common::IniFile::load(iniPath).itemList(section))
        if (name.size() > 3)
            names.push_back(std::move(name));
    std::stable_sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

} // namespace zev::edit
