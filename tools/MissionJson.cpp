#include "MissionJson.h"

#include "mission/ObjectiveRecognition.h"

namespace zev::cli {

using json = nlohmann::ordered_json;
using namespace zev::mission;

namespace {

// JSON strings must be valid UTF-8; stored texts are 8-bit, so bytes above 127 are taken as
// Latin-1 characters.
std::string latin1ToUtf8(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

template <typename Record> std::string text(const Record& r, common::TextField f) {
    return latin1ToUtf8(r.text(f));
}

json headerJson(const MissionHeader& h) {
    json j;
    j["version"] = h.float32(MissionHeader::version);
    j["creator"] = text(h, MissionHeader::creator);
    j["project_name"] = text(h, MissionHeader::projectName);
    j["mission_name"] = text(h, MissionHeader::missionName);
    j["music_track"] = text(h, MissionHeader::musicTrack);
    j["free_for_all"] = h.byte(MissionHeader::freeForAll);
    j["team_a_mek_group"] = h.int32(MissionHeader::teamAMekGroup);
    j["team_b_mek_group"] = h.int32(MissionHeader::teamBMekGroup);
    j["number_of_players"] = text(h, MissionHeader::numberOfPlayers);
    j["gravity"] = text(h, MissionHeader::gravity);
    j["seconds_in_day"] = text(h, MissionHeader::secondsInDay);
    j["days_in_year"] = text(h, MissionHeader::daysInYear);
    j["mean_temperature"] = text(h, MissionHeader::meanTemperature);
    j["max_jump_height"] = text(h, MissionHeader::maxJumpHeight);
    j["min_height"] = text(h, MissionHeader::minHeight);
    j["max_height"] = text(h, MissionHeader::maxHeight);
    j["coef_friction"] = text(h, MissionHeader::coefFriction);
    j["shade_distance"] = text(h, MissionHeader::shadeDistance);
    j["can_eject"] = h.byte(MissionHeader::canEject);
    j["hide_sky"] = h.byte(MissionHeader::hideSky);
    j["hide_ground"] = h.byte(MissionHeader::hideGround);
    j["hide_horizon"] = h.byte(MissionHeader::hideHorizon);
    j["ambient_light"] = text(h, MissionHeader::ambientLight);
    j["now"] = h.int32(MissionHeader::now);
    j["clip_near"] = text(h, MissionHeader::clipNear);
    j["clip_far"] = text(h, MissionHeader::clipFar);
    j["light_source_x"] = text(h, MissionHeader::lightSourceX);
    j["light_source_y"] = text(h, MissionHeader::lightSourceY);
    j["light_source_z"] = text(h, MissionHeader::lightSourceZ);
    j["point_light"] = h.byte(MissionHeader::pointLight);
    j["color_palette"] = text(h, MissionHeader::colorPalette);
    j["ground_texture"] = text(h, MissionHeader::groundTexture);
    j["fog"] = h.int32(MissionHeader::fog);
    j["fog_world"] = h.byte(MissionHeader::fogWorld);
    j["patch"] = h.byte(MissionHeader::patch);
    j["dfx_flag_1"] = h.byte(MissionHeader::dfxFlag1);
    j["dfx_flag_2"] = h.byte(MissionHeader::dfxFlag2);
    json options = json::array();
    for (int i = 0; i < MissionHeader::dfxOptionCount; ++i) {
        switch (MissionHeader::dfxOptionKind(i)) {
        case MissionHeader::DfxKind::Int:
            options.push_back(h.int32(MissionHeader::dfxInt(i)));
            break;
        case MissionHeader::DfxKind::Float:
            options.push_back(h.float32(MissionHeader::dfxFloat(i)));
            break;
        case MissionHeader::DfxKind::Letter:
            options.push_back(text(h, MissionHeader::dfxLetter(i)));
            break;
        }
    }
    j["dfx_options"] = options;
    return j;
}

json startPointsJson(const MissionDocument& d) {
    json list = json::array();
    for (int p = 1; p <= kPlayerCount; ++p) {
        const StartPointRecord& s = d.startPoint(p);
        list.push_back({{"player", p},
                        {"x", text(s, StartPointRecord::x)},
                        {"y", text(s, StartPointRecord::y)},
                        {"z", text(s, StartPointRecord::z)},
                        {"heading", text(s, StartPointRecord::heading)},
                        {"camouflage", s.int32(StartPointRecord::camouflage)}});
    }
    return list;
}

json starsJson(const MissionDocument& d) {
    json stars = json::array();
    for (int s = 0; s < kStarCount; ++s) {
        json navs = json::array();
        for (int n = 0; n < kNavPointsPerStar; ++n) {
            const NavPointRecord& r = d.navPoint(s, n);
            if (!r.isInUse())
                continue;
            navs.push_back({{"index", n},
                            {"x", text(r, NavPointRecord::x)},
                            {"y", text(r, NavPointRecord::y)},
                            {"z", text(r, NavPointRecord::z)},
                            {"heading", text(r, NavPointRecord::heading)},
                            {"enabled", text(r, NavPointRecord::enabled)},
                            {"group_id", text(r, NavPointRecord::groupId)},
                            {"radius", text(r, NavPointRecord::radius)},
                            {"actions", text(r, NavPointRecord::actions)},
                            {"text", text(r, NavPointRecord::navText)}});
        }
        stars.push_back({{"star", s}, {"nav_points", navs}});
    }
    return stars;
}

json objectivesJson(const MissionDocument& d) {
    json tables = json::array();
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        const ObjectiveTable& t = d.objectives[s];
        json rows = json::array();
        for (int r = 0; r < ObjectiveTable::rowCount; ++r) {
            const ObjectiveRow& row = t.row(r);
            if (!row.isUsed())
                continue;
            json conditions = json::array();
            for (int c = 0; c < ObjectiveRow::conditionCount; ++c)
                conditions.push_back(text(row, ObjectiveRow::condition(c)));
            rows.push_back({{"index", r},
                            {"activation_count", row.conditionsInUse()},
                            {"combination", row.byte(ObjectiveRow::combination) ? "or" : "and"},
                            {"action", text(row, ObjectiveRow::action)},
                            {"visibility", text(row, ObjectiveRow::visibility)},
                            {"target", text(row, ObjectiveRow::target)},
                            {"activation_conditions", conditions},
                            {"time_limit", text(row, ObjectiveRow::timeLimit)},
                            {"ai_mechs_per_target", text(row, ObjectiveRow::aiMechsPerTarget)},
                            {"ai_attack_setting", text(row, ObjectiveRow::aiAttack)},
                            {"priority", text(row, ObjectiveRow::priority)},
                            {"requirement", text(row, ObjectiveRow::requirement)},
                            {"audio", text(row, ObjectiveRow::audio)},
                            {"text", text(row, ObjectiveRow::screenText)}});
        }
        tables.push_back({{"star", s},
                          {"mission_time_limit", latin1ToUtf8(t.missionTimeLimit())},
                          {"used_rows", t.usedRowCount()},
                          {"rows", rows}});
    }
    return tables;
}

json triple(const MissionObjectRecord& r, common::Int32Field (*field)(int)) {
    return json::array({r.int32(field(0)), r.int32(field(1)), r.int32(field(2))});
}

json objectJson(int slot, const MissionObjectRecord& r) {
    using R = MissionObjectRecord;
    json path = json::array();
    for (int p = 0; p < R::pathPointCount; ++p) {
        path.push_back({{"enabled", r.byte(R::pathPointEnabled(p))},
                        {"position",
                         {r.int32(R::pathPointPosition(p, 0)), r.int32(R::pathPointPosition(p, 1)),
                          r.int32(R::pathPointPosition(p, 2))}},
                        {"rotation",
                         {r.int16(R::pathPointRotation(p, 0)), r.int16(R::pathPointRotation(p, 1)),
                          r.int16(R::pathPointRotation(p, 2))}},
                        {"time", r.int16(R::pathPointTime(p))}});
    }
    json colors = json::array();
    for (int c = 0; c < R::colorSpinColorCount; ++c)
        colors.push_back(r.int16(R::colorSpinColor(c)));
    return {
        {"slot", slot},
        {"creator_tag", text(r, R::creatorTag)},
        {"format_version", text(r, R::formatVersion)},
        {"menu_text", text(r, R::menuText)},
        {"object_name", text(r, R::objectName)},
        {"main_type", text(r, R::mainType)},
        {"object_type", text(r, R::objectType)},
        {"object_parent", text(r, R::objectParent)},
        {"alternate_name", text(r, R::alternateName)},
        {"alternate_type", text(r, R::alternateType)},
        {"chunk_name", text(r, R::chunkName)},
        {"reserved_text", text(r, R::reservedText)},
        {"targeting_info", text(r, R::targetingInfo)},
        {"hits_to_destroy", r.int32(R::hitsToDestroy)},
        {"collision_on", r.byte(R::collisionOn)},
        {"can_target", r.byte(R::canTarget)},
        {"ready_made_group", r.byte(R::readyMadeGroup)},
        {"scale", triple(r, R::scale)},
        {"position", triple(r, R::position)},
        {"main_rotation", triple(r, R::mainRotation)},
        {"chunk_rotation", triple(r, R::chunkRotation)},
        {"alternate_rotation", triple(r, R::alternateRotation)},
        {"reserved_byte", r.byte(R::reservedByte)},
        {"area_file", text(r, R::areaFile)},
        {"gamething_role", text(r, R::gamethingRole)},
        {"inspection_info", text(r, R::inspectionInfo)},
        {"path_points", path},
        {"spinner",
         {{"enabled", r.byte(R::spinnerEnabled)},
          {"period", r.int16(R::spinnerPeriod)},
          {"rotation",
           {r.int16(R::spinnerRotation(0)), r.int16(R::spinnerRotation(1)),
            r.int16(R::spinnerRotation(2))}},
          {"time", r.float32(R::spinnerTime)}}},
        {"color_spin",
         {{"enabled", r.byte(R::colorSpinEnabled)},
          {"period", r.int16(R::colorSpinPeriod)},
          {"colors", colors}}},
        {"fly_circle",
         {{"enabled", r.byte(R::flyCircleEnabled)},
          {"period", r.int16(R::flyCirclePeriod)},
          {"radius", r.int32(R::flyCircleRadius)},
          {"interval", r.int16(R::flyCircleInterval)},
          {"active", r.byte(R::flyCircleActive)}}},
        {"path",
         {{"enabled", r.byte(R::pathEnabled)},
          {"period", r.int16(R::pathPeriod)},
          {"looping", text(r, R::pathLooping)},
          {"rotation", text(r, R::pathRotation)}}},
        {"ambient_sound",
         {{"enabled", r.byte(R::ambientSoundEnabled)},
          {"radius", r.int32(R::ambientSoundRadius)},
          {"file", text(r, R::ambientSoundFile)},
          {"active", r.byte(R::ambientSoundActive)}}},
    };
}

} // namespace

json missionToJson(const MissionDocument& d) {
    json j;
    j["header"] = headerJson(d.header);
    j["start_points"] = startPointsJson(d);
    j["stars"] = starsJson(d);
    j["objectives"] = objectivesJson(d);
    j["weather"] = {{"type", d.weather.int32(WeatherRecord::type)},
                    {"parsec", text(d.weather, WeatherRecord::parsec)},
                    {"velocity_x", text(d.weather, WeatherRecord::velocityX)},
                    {"velocity_y", text(d.weather, WeatherRecord::velocityY)},
                    {"velocity_z", text(d.weather, WeatherRecord::velocityZ)}};
    json entries = json::array();
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        entries.push_back(text(d.palette, PaletteRecord::entry(i)));
    j["palette"] = {{"entries", entries}, {"custom", d.palette.byte(PaletteRecord::flag)}};
    json briefings = json::array();
    for (int b = 0; b < kBriefingCount; ++b) {
        const auto& bytes = d.briefings[b];
        briefings.push_back({{"index", b},
                             {"length", bytes.size()},
                             {"text", latin1ToUtf8(std::string(bytes.begin(), bytes.end()))}});
    }
    j["briefings"] = briefings;
    json objects = json::array();
    for (int slot : d.objects.occupiedSlots())
        objects.push_back(objectJson(slot, *d.objects.find(slot)));
    j["objects"] = objects;
    return j;
}

} // namespace zev::cli
