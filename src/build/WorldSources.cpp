#include "WorldSources.h"

#include "SourceFormat.h"

#include "common/Numbers.h"

namespace zev::build {

using namespace zev::mission;

namespace {

constexpr char kQuote = '"';

const char* flag(std::uint8_t b) {
    return b != 0 ? "1" : "0";
}

} // namespace

std::string mainFileText(const std::string& project) {
    return "include " + project + "scn1\n";
}

std::string nameFileText(const std::string& missionName) {
    return missionName + "\n&X";
}

std::string limitFileText0(const std::string& maxPlayers, bool freeForAll) {
    std::string out;
    appendf(out, "MAXPLAYERS %s\n", maxPlayers.c_str());
    out += freeForAll ? "FREE\n" : "TEAM\n";
    return out;
}

std::string limitFileTextTeam(int mekGroup) {
    switch (mekGroup) {
    case 0:
        return "CLAN\n";
    case 1:
        return "IS\n";
    case 2:
        return "BOTH\n";
    default:
        return {};
    }
}

std::string paletteFileText(const PaletteRecord& palette) {
    std::string e[PaletteRecord::entryCount];
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        e[i] = palette.text(PaletteRecord::entry(i));
    std::string out;
    out += "#   user defined custom color palette\n";
    out += "#   day, dusk, night, & fog groups: standard, xplosion, flash, smoke\n";
    out += "#   misc group: black, zap (red), interior (cockpit only), alternate (?)\n";
    out += "\n";
    out += "#                    std        xpl        fsh        smk\n";
    out += "\n";
    appendf(out, "palette_grp    day  %s %s %s %s\n", e[0].c_str(), e[1].c_str(), e[2].c_str(),
            e[3].c_str());
    appendf(out, "palette_grp   dusk  %s %s %s %s\n", e[4].c_str(), e[5].c_str(), e[6].c_str(),
            e[7].c_str());
    appendf(out, "palette_grp  night  %s %s %s %s\n", e[8].c_str(), e[9].c_str(), e[10].c_str(),
            e[11].c_str());
    appendf(out, "palette_grp     ir  %s %s %s %s\n", e[12].c_str(), e[13].c_str(), e[14].c_str(),
            e[15].c_str());
    out += "\n";
    out += "#                    blk   zap    int   alt\n";
    appendf(out, "palette_misc        %s %s %s %s\n", e[16].c_str(), e[17].c_str(), e[18].c_str(),
            e[19].c_str());
    out += "#   end of *.WLD\n";
    return out;
}

std::string navPointFileText(const Star& star, int starNumber) {
    using N = NavPointRecord;
    std::string out;
    for (const NavPointRecord& n : star) {
        if (!n.isInUse())
            continue;
        appendf(out, "navpoint %s,%s,%s %s %s 0 0 %d %s %s %c%s%c\n", n.text(N::x).c_str(),
                n.text(N::y).c_str(), n.text(N::z).c_str(), n.text(N::heading).c_str(),
                n.text(N::enabled).c_str(), starNumber, n.text(N::radius).c_str(),
                n.text(N::actions).c_str(), kQuote, n.text(N::navText).c_str(), kQuote);
    }
    return out;
}

std::string startPointFileText(const StartPointRecord& start, int player) {
    using S = StartPointRecord;
    static const char* const formats[kPlayerCount] = {
        "# userstar 1\nnavpoint       %s,%s,%s %s 0 0 0 0 0 BEGIN\n",
        "# userstar 2\nnavpoint       %s,%s,%s %s 0 0 0 1 180 BEGIN\n",
        "# userstar 3\nnavpoint       %s,%s,%s %s 0 0 0 2 100 BEGIN\n",
        "# userstar 4\nnavpoint       %s,%s,%s %s 0 0 0 3 270 BEGIN\n",
        "# userstar 5\nnavpoint    %s,%s,%s %s 0 0 0 4 70 BEGIN\n",
        "# userstar 6\nnavpoint    %s,%s,%s %s 0 0 0 5 200 BEGIN\n",
        "# userstar 7\nnavpoint    %s,%s,%s %s 0 0 0 6 310 BEGIN\n",
        "# userstar 8\nnavpoint    %s,%s,%s %s 0 0 0 7 0 BEGIN\n",
    };
    std::string out;
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
    appendf(out, formats[player - 1], start.text(S::x).c_str(), start.text(S::y).c_str(),
            start.text(S::z).c_str(), start.text(S::heading).c_str());
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic pop
#endif
    return out;
}

std::string worldFileText(const std::string& project) {
    std::string out = "#include area files here\n";
    for (int area = 1; area <= 8; ++area)
        appendf(out, "include %sare%d\n", project.c_str(), area);
    return out;
}

bool fogWorld(const MissionHeader& header) {
    return header.int32(MissionHeader::fog) != 0;
}
bool starWorld(const MissionHeader& header) {
    return header.byte(MissionHeader::fogWorld) != 0;
}
bool skyDome(const MissionHeader& header) {
    return header.byte(MissionHeader::patch) != 0 && header.byte(MissionHeader::dfxFlag1) != 0 &&
           header.byte(MissionHeader::dfxFlag2) != 0;
}

std::string planetFileText(const std::string& project, const MissionHeader& h,
                           const WeatherRecord& weather, const PaletteRecord& palette) {
    using H = MissionHeader;
    std::string out;
    appendf(out, "planet %s 0 %s %s 0 27000\n", h.text(H::gravity).c_str(),
            h.text(H::secondsInDay).c_str(), h.text(H::daysInYear).c_str());
    const std::int32_t type = weather.int32(WeatherRecord::type);
    if (type > 0) {
        out += "weather_begin\n";
        if (type == 1)
            out += "type rain\n";
        else if (type == 2)
            out += "type hail\n";
        else if (type == 3)
            out += "type snow\n";
        appendf(out, "parsec %s\n", weather.text(WeatherRecord::parsec).c_str());
        appendf(out, "velocity %s %s %s\n", weather.text(WeatherRecord::velocityX).c_str(),
                weather.text(WeatherRecord::velocityY).c_str(),
                weather.text(WeatherRecord::velocityZ).c_str());
        out += "weather_end\n";
    }
    appendf(out, "planet2 %s %s %s %s %s %s\n    planet3 0 1 %s %s %s\n",
            h.text(H::meanTemperature).c_str(), h.text(H::maxJumpHeight).c_str(),
            h.text(H::maxHeight).c_str(), h.text(H::minHeight).c_str(),
            h.text(H::coefFriction).c_str(), flag(h.byte(H::canEject)), flag(h.byte(H::hideSky)),
            flag(h.byte(H::hideGround)), flag(h.byte(H::hideHorizon)));
    appendf(out, h.byte(H::pointLight) != 0 ? "light %s,%s,%s 0\n" : "light %s,%s,%s 1\n",
            h.text(H::lightSourceX).c_str(), h.text(H::lightSourceY).c_str(),
            h.text(H::lightSourceZ).c_str());
    appendf(out,
            "ambient %s\n                   view %s %s\n                   shadedist %s\n"
            "                   now %s 0\n                   horizon_map 0,100,0 0 0 0\n",
            h.text(H::ambientLight).c_str(), h.text(H::clipNear).c_str(),
            h.text(H::clipFar).c_str(), h.text(H::shadeDistance).c_str(),
            common::decimal(h.int32(H::now)).c_str());
    const char* luma = fogWorld(h) ? "fog" : "standard";
    const std::string ground = h.text(H::groundTexture);
    if (palette.byte(PaletteRecord::flag) != 0)
        appendf(out,
                "hidden_text %cEmpty%c\n                   luma %spal1\n"
                "                   # Include the Palette file\n                   include %spal1\n"
                "                   include %smap1\n",
                kQuote, kQuote, luma, project.c_str(), ground.c_str());
    else
        appendf(out,
                "hidden_text %cEmpty%c\n                   luma %s\n"
                "                   # Include the Palette file\n                   include %s\n"
                "                   include %smap1\n",
                kQuote, kQuote, luma, h.text(H::colorPalette).c_str(), ground.c_str());
    if (skyDome(h))
        out += "include skydome";
    return out;
}

} // namespace zev::build
