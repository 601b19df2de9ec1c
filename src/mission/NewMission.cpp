#include "NewMission.h"

#include "ObjectiveDefaults.h"

#include "common/FileIo.h"
#include "common/IniFile.h"
#include "common/Numbers.h"

#include <string_view>

namespace zev::mission {

using common::IniFile;

namespace {

constexpr std::string_view kSection = "PROGRAM DEFAULTS";

struct TextDefault {
    std::string_view key;
    std::string_view value;
    common::TextField field;
};

constexpr TextDefault kTextDefaults[] = {
    {"MUSIC TRACK", "2", MissionHeader::musicTrack},
    {"GRAVITY", "1.0", MissionHeader::gravity},
    {"SECONDS IN DAY", "10000", MissionHeader::secondsInDay},
    {"DAYS IN YEAR", "365", MissionHeader::daysInYear},
    {"MEAN TEMPATURE", "0", MissionHeader::meanTemperature},
    {"MAX JUMP HEIGHT", "50000", MissionHeader::maxJumpHeight},
    {"MIN HEIGHT", "0", MissionHeader::minHeight},
    {"MAX HEIGHT", "10000", MissionHeader::maxHeight},
    {"COEF FRICTION", "0", MissionHeader::coefFriction},
    {"AMBIENT LIGHT", "45", MissionHeader::ambientLight},
    {"SHADE DISTANCE", "65000", MissionHeader::shadeDistance},
    {"CLIP NEAR", "1", MissionHeader::clipNear},
    {"CLIP FAR", "150000", MissionHeader::clipFar},
    {"COLOR PALETTE", "gr0npal1", MissionHeader::colorPalette},
    {"LIGHT SOURCE X", "100000", MissionHeader::lightSourceX},
    {"LIGHT SOURCE Y", "20000", MissionHeader::lightSourceY},
    {"LIGHT SOURCE Z", "0", MissionHeader::lightSourceZ},
    {"GROUND TEXTURE", "bet1", MissionHeader::groundTexture},
};

struct FlagDefault {
    std::string_view key;
    std::int32_t value;
    common::ByteField field;
};

// Non-zero gives 1.
constexpr FlagDefault kFlagDefaults[] = {
    {"CAN EJECT", 1, MissionHeader::canEject},     {"HIDE SKY", 0, MissionHeader::hideSky},
    {"HIDE GROUND", 0, MissionHeader::hideGround}, {"HIDE HORIZON", 0, MissionHeader::hideHorizon},
    {"POINT LIGHT", 0, MissionHeader::pointLight},
};

struct StartDefault {
    std::string_view x, y, z, heading;
};

constexpr StartDefault kStartDefaults[kPlayerCount] = {
    {"1700", "0", "-85400", "0"},    {"8100", "0", "82600", "180"},
    {"-56200", "0", "56200", "100"}, {"82700", "0", "-85400", "0"},
    {"-27000", "0", "-22100", "70"}, {"32000", "0", "93400", "200"},
    {"57500", "0", "-38500", "310"}, {"18000", "0", "18100", "0"},
};

void readEnvironment(MissionHeader& header, const IniFile& ini) {
    for (const auto& d : kTextDefaults)
        header.setText(d.field, ini.getString(kSection, d.key, d.value));
    for (const auto& d : kFlagDefaults)
        header.setByte(d.field, ini.getInt(kSection, d.key, d.value) != 0 ? 1 : 0);
    header.setInt32(MissionHeader::now, ini.getInt(kSection, "NOW", 1));
    header.setInt32(MissionHeader::fog, ini.getInt(kSection, "FOG", 0));
}

void fillNavPoints(MissionDocument& document) {
    for (int s = 0; s < kStarCount; ++s) {
        for (auto& nav : document.stars[s])
            nav.clear();
        NavPointRecord& nav = document.navPoint(s, 0);
        const int v = s < 4 ? 10000 * (s + 1) : -10000 * (s - 3);
        nav.setByte(NavPointRecord::inUse, 1);
        nav.setText(NavPointRecord::x, common::decimal(v));
        nav.setText(NavPointRecord::y, "5000");
        nav.setText(NavPointRecord::z, common::decimal(v));
        nav.setText(NavPointRecord::heading, "0");
        nav.setText(NavPointRecord::enabled, "1");
        nav.setText(NavPointRecord::groupId, common::decimal(s));
        nav.setText(NavPointRecord::radius, "150");
        nav.setText(NavPointRecord::actions, "BEGIN;RETURN;goto;leave;wait");
        nav.setText(NavPointRecord::navText, "Nav Alpha");
    }
}

void fillStartPoints(MissionDocument& document, const IniFile& ini) {
    for (int p = 1; p <= kPlayerCount; ++p) {
        const std::string prefix = "PLAYER " + std::to_string(p);
        const StartDefault& d = kStartDefaults[p - 1];
        StartPointRecord& sp = document.startPoint(p);
        // Only the first ten characters of each value are taken.
        const auto first10 = [&](const std::string& key, std::string_view def) {
            return ini.getString(kSection, key, def).substr(0, 10);
        };
        sp.setText(StartPointRecord::x, first10(prefix + " START POINT X", d.x));
        sp.setText(StartPointRecord::y, first10(prefix + " START POINT Y", d.y));
        sp.setText(StartPointRecord::z, first10(prefix + " START POINT Z", d.z));
        sp.setText(StartPointRecord::heading, first10(prefix + " HEADING", d.heading));
        sp.setInt32(StartPointRecord::camouflage, p - 1);
    }
}

void fillWeatherAndPalette(MissionDocument& document) {
    WeatherRecord& w = document.weather;
    w.setInt32(WeatherRecord::type, 0);
    w.setText(WeatherRecord::parsec, "10");
    w.setText(WeatherRecord::velocityX, "0");
    w.setText(WeatherRecord::velocityY, "-15000");
    w.setText(WeatherRecord::velocityZ, "0");

    static constexpr std::string_view names[PaletteRecord::entryCount] = {
        "BROW0NDA", "BROW0NDA", "BROW0NDA", "BROW0NDA", "BROW0NDU", "BROW0NDU", "BROW0NDU",
        "BROW0NDU", "BROW0NNI", "BROW0NNI", "BROW0NNI", "BROW0NNI", "IRCOOL",   "IRCOOL",
        "IRCOOL",   "IRCOOL",   "BLACK",    "ZAPPED",   "ALLWHT",   "ALLWHT"};
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        document.palette.setText(PaletteRecord::entry(i), names[i]);
    document.palette.setByte(PaletteRecord::flag, 0);
}

void fillDfxOptions(MissionHeader& header) {
    header.setByte(MissionHeader::dfxFlag1, 1);
    header.setByte(MissionHeader::dfxFlag2, 1);
    // Integers, the letters "D" and the floats, in option order.
    static constexpr double values[MissionHeader::dfxOptionCount] = {
        60,  15000, 60,  160000, 7,   5000, 500000, 500000, 30,  30,  35,   255,
        255, 200,   0,   -1,     -1,  0,    155,    155,    155, 0,   1,    1,
        0,   200,   200, 200,    0.0, 0.0,  8000.0, 64,     64,  255, 0.01, 0.05};
    for (int i = 0; i < MissionHeader::dfxOptionCount; ++i) {
        switch (MissionHeader::dfxOptionKind(i)) {
        case MissionHeader::DfxKind::Letter:
            header.setText(MissionHeader::dfxLetter(i), "D");
            break;
        case MissionHeader::DfxKind::Float:
            header.setFloat32(MissionHeader::dfxFloat(i), static_cast<float>(values[i]));
            break;
        case MissionHeader::DfxKind::Int:
            header.setInt32(MissionHeader::dfxInt(i), static_cast<std::int32_t>(values[i]));
            break;
        }
    }
}

} // namespace

void storeSelection(MissionDocument& document, const NewMissionSelection& selection) {
    MissionHeader& h = document.header;
    h.setText(MissionHeader::projectName, selection.projectName);
    h.setText(MissionHeader::missionName, selection.missionName);
    h.setText(MissionHeader::numberOfPlayers, common::decimal(selection.players));
    h.setByte(MissionHeader::freeForAll, selection.freeForAll ? 1 : 0);
}

void resetToNewMission(MissionDocument& document, const std::filesystem::path& programDirectory,
                       std::uint8_t patchSetting) {
    document.untitled = true;
    document.modified = false;
    document.objects.freeAll();

    const IniFile ini =
        IniFile::load(common::resolveCaseInsensitive(programDirectory, "zevedit.ini"));
    MissionHeader& header = document.header;
    readEnvironment(header, ini);

    fillNewMissionTables(document.objectives, header.text(MissionHeader::projectName),
                         header.byte(MissionHeader::freeForAll) != 0);
    fillNavPoints(document);
    fillStartPoints(document, ini);
    header.setInt32(MissionHeader::teamAMekGroup, 2);
    header.setInt32(MissionHeader::teamBMekGroup, 2);
    fillWeatherAndPalette(document);
    header.setByte(MissionHeader::patch, patchSetting);
    fillDfxOptions(header);
}

} // namespace zev::mission
