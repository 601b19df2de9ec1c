#include "MissionJson.h"

#include "mission/ProjectName.h"
#include "mission/RecordFields.h"
#include "mission/RecordJson.h"

#include <algorithm>
#include <string_view>

namespace zev::cli {

using namespace zev::mission;
using MissionFile::Framing;
using MissionFile::Tag;

namespace {

constexpr std::string_view kCreator = "ZEVEDIT 3D";

template <typename Record> json recordJson(const Record& r, const RecordFields& fields, bool full) {
    json j = json::object();
    putRecord(j, r.bytes(), fields, full);
    return j;
}

// Keys that only repeat an entry's position; when given they must agree with it.
void checkPosition(const json& entry, const std::string& path, std::string_view key,
                   std::int64_t expected) {
    const auto it = entry.find(key);
    if (it != entry.end() && !(it->is_number_integer() && *it == expected))
        throw JsonRefusal(childPath(path, key), "expected " + std::to_string(expected));
}

// Keys derived from other values (counts, lengths): shown for the reader, ignored on load.
void checkDerived(const json& entry, const std::string& path, std::string_view key) {
    const auto it = entry.find(key);
    if (it != entry.end())
        readInteger(*it, childPath(path, key), 0, INT32_MAX);
}

const json& fixedArray(const json& parent, const std::string& path, std::string_view key,
                       std::size_t size) {
    const std::string at = childPath(path, key);
    const json& a = requireArray(requireMember(parent, path, key), at);
    if (a.size() != size)
        throw JsonRefusal(at, "expected " + std::to_string(size) + " entries");
    return a;
}

// Slot lists (nav points of a star, rows of a table): entries by "index"; the full form lists
// every slot, the short one only those it shows.
template <typename Take>
void takeSlots(const json& list, const std::string& path, int slotCount, bool full, Take take) {
    requireArray(list, path);
    std::vector<bool> seen(static_cast<std::size_t>(slotCount), false);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string at = itemPath(path, i);
        const json& entry = requireObject(list[i], at);
        const auto index = static_cast<std::size_t>(readInteger(
            requireMember(entry, at, "index"), childPath(at, "index"), 0, slotCount - 1));
        if (seen[index])
            throw JsonRefusal(childPath(at, "index"), std::to_string(index) + " listed twice");
        seen[index] = true;
        take(entry, at, static_cast<int>(index));
    }
    if (full)
        if (const auto gap = std::find(seen.begin(), seen.end(), false); gap != seen.end())
            throw JsonRefusal(path, "index " + std::to_string(gap - seen.begin()) + " missing");
}

json tagJson(const Tag& t) {
    return common::latin1ToUtf8(
        std::string_view(reinterpret_cast<const char*>(t.data()), t.size()));
}

template <std::size_t N> json tagsJson(const std::array<Tag, N>& tags) {
    json a = json::array();
    for (const Tag& t : tags)
        a.push_back(tagJson(t));
    return a;
}

json framingJson(const Framing& f) {
    json j;
    j["mission_tag"] = tagJson(f.mission);
    j["start_point_tags"] = tagsJson(f.startPoints);
    j["star_tags"] = tagsJson(f.stars);
    j["objective_tags"] = tagsJson(f.objectives);
    j["weather_tag"] = tagJson(f.weather);
    j["palette_tag"] = tagJson(f.palette);
    j["briefing_tags"] = tagsJson(f.briefings);
    j["end_tag"] = tagJson(f.end);
    j["after_end"] = hex(f.afterEnd);
    return j;
}

Tag takeTag(const json& v, const std::string& path, std::string_view letters) {
    const std::string text = readLatin1(v, path);
    if (text.size() != 4)
        throw JsonRefusal(path, "expected a tag of 4 characters");
    Tag t;
    std::copy(text.begin(), text.end(), t.begin());
    // Open would refuse the file otherwise.
    if (!MissionFile::tagAccepted(t, letters))
        throw JsonRefusal(path, "a tag must hold \"" + std::string(letters) + "\" before any NUL");
    return t;
}

template <std::size_t N>
void takeTags(const json& file, const std::string& path, std::string_view key,
              std::string_view letters, std::array<Tag, N>& tags) {
    const json& a = fixedArray(file, path, key, N);
    for (std::size_t i = 0; i < N; ++i)
        tags[i] = takeTag(a[i], itemPath(childPath(path, key), i), letters);
}

Framing takeFraming(const json& j, const std::string& path) {
    refuseOtherKeys(j, path,
                    {"mission_tag", "start_point_tags", "star_tags", "objective_tags",
                     "weather_tag", "palette_tag", "briefing_tags", "end_tag", "after_end"});
    const auto one = [&](std::string_view key, std::string_view letters) {
        return takeTag(requireMember(j, path, key), childPath(path, key), letters);
    };
    Framing f;
    f.mission = one("mission_tag", "MDB");
    takeTags(j, path, "start_point_tags", "STR", f.startPoints);
    takeTags(j, path, "star_tags", "NAV", f.stars);
    takeTags(j, path, "objective_tags", "MSN", f.objectives);
    f.weather = one("weather_tag", "WEA");
    f.palette = one("palette_tag", "COL");
    takeTags(j, path, "briefing_tags", "BRF", f.briefings);
    f.end = one("end_tag", "END");
    const json& after = requireMember(j, path, "after_end");
    if (!after.is_string() || after.get_ref<const std::string&>().size() % 2 != 0)
        throw JsonRefusal(childPath(path, "after_end"), "expected hex digits, two a byte");
    f.afterEnd = readHex(after, childPath(path, "after_end"),
                         after.get_ref<const std::string&>().size() / 2);
    return f;
}

void takeDocument(const json& j, MissionDocument& d, Framing& framing) {
    requireObject(j, "");
    bool full = false;
    if (const auto it = j.find("full"); it != j.end()) {
        if (!it->is_boolean())
            throw JsonRefusal("full", "expected true or false");
        full = it->get<bool>();
    }
    if (full)
        refuseOtherKeys(j, "",
                        {"full", "header", "start_points", "stars", "objectives", "weather",
                         "palette", "briefings", "objects", "file"});
    else
        refuseOtherKeys(j, "",
                        {"full", "header", "start_points", "stars", "objectives", "weather",
                         "palette", "briefings", "objects"});

    takeRecord(requireMember(j, "", "header"), "header", d.header.bytes(), headerFields(), full,
               {});
    if (d.header.text(MissionHeader::creator).find(kCreator) == std::string::npos)
        throw JsonRefusal("header.creator", "must contain \"ZEVEDIT 3D\", or Open refuses the "
                                            "mission");

    const json& starts = fixedArray(j, "", "start_points", kPlayerCount);
    for (int p = 1; p <= kPlayerCount; ++p) {
        const std::string at = itemPath("start_points", std::size_t(p - 1));
        checkPosition(requireObject(starts[p - 1], at), at, "player", p);
        takeRecord(starts[p - 1], at, d.startPoint(p).bytes(), startPointFields(), full,
                   {"player"});
    }

    const json& stars = fixedArray(j, "", "stars", kStarCount);
    for (int s = 0; s < kStarCount; ++s) {
        const std::string at = itemPath("stars", std::size_t(s));
        refuseOtherKeys(stars[s], at, {"star", "nav_points"});
        checkPosition(stars[s], at, "star", s);
        takeSlots(requireMember(stars[s], at, "nav_points"), childPath(at, "nav_points"),
                  kNavPointsPerStar, full, [&](const json& entry, const std::string& path, int n) {
                      NavPointRecord& r = d.navPoint(s, n);
                      takeRecord(entry, path, r.bytes(), navPointFields(), full, {"index"});
                      if (!full)
                          r.setByte(NavPointRecord::inUse, 1);
                  });
    }

    const json& tables = fixedArray(j, "", "objectives", kObjectiveTableCount);
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        const std::string at = itemPath("objectives", std::size_t(s));
        ObjectiveTable& t = d.objectives[s];
        checkPosition(requireObject(tables[s], at), at, "star", s);
        checkDerived(tables[s], at, "used_rows");
        takeRecord(tables[s], at, t.timeLimitRecord().bytes(), objectiveTimeLimitFields(), full,
                   {"star", "used_rows", "rows"});
        takeSlots(
            requireMember(tables[s], at, "rows"), childPath(at, "rows"), ObjectiveTable::rowCount,
            full, [&](const json& entry, const std::string& path, int r) {
                takeRecord(entry, path, t.row(r).bytes(), objectiveRowFields(), full, {"index"});
            });
    }

    takeRecord(requireMember(j, "", "weather"), "weather", d.weather.bytes(), weatherFields(), full,
               {});
    takeRecord(requireMember(j, "", "palette"), "palette", d.palette.bytes(), paletteFields(), full,
               {});

    const json& briefings = fixedArray(j, "", "briefings", kBriefingCount);
    for (int b = 0; b < kBriefingCount; ++b) {
        const std::string at = itemPath("briefings", std::size_t(b));
        refuseOtherKeys(briefings[b], at, {"index", "length", "text"});
        checkPosition(briefings[b], at, "index", b);
        checkDerived(briefings[b], at, "length");
        // Any byte, NUL included, travels as a Latin-1 character.
        const std::string text =
            readLatin1(requireMember(briefings[b], at, "text"), childPath(at, "text"));
        d.briefings[b].assign(text.begin(), text.end());
    }

    const json& objects = requireArray(requireMember(j, "", "objects"), "objects");
    if (objects.size() > std::size_t(ObjectTable::capacity))
        throw JsonRefusal("objects",
                          "more than " + std::to_string(ObjectTable::capacity) + " objects");
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const std::string at = itemPath("objects", i);
        // The file has no slot numbers: objects go in list order, as Open numbers them.
        d.objects.place(static_cast<int>(i), objectFromJson(objects[i], at, full));
    }

    if (full)
        framing = takeFraming(requireMember(j, "", "file"), "file");
}

} // namespace

json missionToJson(const MissionDocument& d, const Framing& framing, bool full) {
    json j;
    if (full)
        j["full"] = true;
    j["header"] = recordJson(d.header, headerFields(), full);

    json starts = json::array();
    for (int p = 1; p <= kPlayerCount; ++p) {
        json s = {{"player", p}};
        putRecord(s, d.startPoint(p).bytes(), startPointFields(), full);
        starts.push_back(std::move(s));
    }
    j["start_points"] = std::move(starts);

    json stars = json::array();
    for (int s = 0; s < kStarCount; ++s) {
        json navs = json::array();
        for (int n = 0; n < kNavPointsPerStar; ++n) {
            const NavPointRecord& r = d.navPoint(s, n);
            if (!full && !r.isInUse())
                continue;
            json nav = {{"index", n}};
            putRecord(nav, r.bytes(), navPointFields(), full);
            navs.push_back(std::move(nav));
        }
        stars.push_back({{"star", s}, {"nav_points", std::move(navs)}});
    }
    j["stars"] = std::move(stars);

    json tables = json::array();
    for (int s = 0; s < kObjectiveTableCount; ++s) {
        const ObjectiveTable& t = d.objectives[s];
        json rows = json::array();
        for (int r = 0; r < ObjectiveTable::rowCount; ++r) {
            if (!full && !t.row(r).isUsed())
                continue;
            json row = {{"index", r}};
            putRecord(row, t.row(r).bytes(), objectiveRowFields(), full);
            rows.push_back(std::move(row));
        }
        json table = {{"star", s}};
        putRecord(table, t.timeLimitRecord().bytes(), objectiveTimeLimitFields(), full);
        table["used_rows"] = t.usedRowCount();
        table["rows"] = std::move(rows);
        tables.push_back(std::move(table));
    }
    j["objectives"] = std::move(tables);

    j["weather"] = recordJson(d.weather, weatherFields(), full);
    j["palette"] = recordJson(d.palette, paletteFields(), full);

    json briefings = json::array();
    for (int b = 0; b < kBriefingCount; ++b) {
        const auto& bytes = d.briefings[b];
        briefings.push_back(
            {{"index", b},
             {"length", bytes.size()},
             {"text", common::latin1ToUtf8(std::string_view(
                          reinterpret_cast<const char*>(bytes.data()), bytes.size()))}});
    }
    j["briefings"] = std::move(briefings);

    json objects = json::array();
    for (int slot : d.objects.occupiedSlots())
        objects.push_back(objectToJson(*d.objects.find(slot), slot, full));
    j["objects"] = std::move(objects);

    if (full)
        j["file"] = framingJson(framing);
    return j;
}

MissionFromJson missionFromJson(const json& j) {
    MissionFromJson result;
    auto document = std::make_unique<MissionDocument>();
    try {
        takeDocument(j, *document, result.framing);
    } catch (const JsonRefusal& refusal) {
        result.refusal = refusal.what();
        return result;
    } catch (const nlohmann::json::exception& e) {
        result.refusal = std::string("(top): ") + e.what();
        return result;
    }
    // The rule every command holds a project name to (a mission without one can be loaded and
    // is reported by check).
    const std::string project = document->header.text(mission::MissionHeader::projectName);
    if (const char* problem = mission::projectNameProblem(project); problem && !project.empty()) {
        result.refusal = std::string("header.project_name: ") + problem;
        return result;
    }
    result.document = std::move(document);
    return result;
}

} // namespace zev::cli
