// The JSON round trip of mission files: dump, dump --full and load.

#include "CliCommand.h"

#include "common/FileIo.h"
#include "mission/MissionFile.h"
#include "mission/NewMission.h"

#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstring>
#include <functional>

using namespace zev::mission;
using zev::cli::kExitFailed;
using zev::cli::kExitOk;
using json = nlohmann::ordered_json;
namespace fs = std::filesystem;

namespace {

CommandRun run(const fs::path& home, const std::string& name, std::vector<std::string> args) {
    return runCli(home, zev::cli::missionCommands(), name, std::move(args));
}

template <typename Record> void poke(Record& r, std::size_t offset, std::string_view bytes) {
    std::memcpy(r.bytes().data() + offset, bytes.data(), bytes.size());
}

// A mission with every kind of field set, and every oddity a file Open accepts may hold: stale
// bytes behind terminators, texts without one, unused slots with old contents, bytes between
// fields, a float that is no number, 8-bit texts, variant tags and bytes after the end.
MissionFile::Framing richMission(MissionDocument& d) {
    storeSelection(d, {"WXYZ", "Caf\xe9 Raid", 6, true, true});
    resetToNewMission(d, "/nonexistent-program-directory", 1);
    MissionHeader& h = d.header;
    h.setFloat32(MissionHeader::version, 2.5f);
    poke(h, MissionHeader::creator.offset, std::string_view("ZEVEDIT 3D\0old!!", 16));
    h.setInt32(MissionHeader::teamAMekGroup, -2147483647 - 1);
    h.setInt32(MissionHeader::fog, 2147483647);
    h.setByte(MissionHeader::hideSky, 255);
    poke(h, 77, "\x01\x02\x03");
    poke(h, 600, "unused bytes");
    poke(h, MissionHeader::dfxLetter(14).offset, "DDDD"); // no terminator
    h.setFloat32(MissionHeader::dfxFloat(34), 0.01f);
    h.setFloat32(MissionHeader::dfxFloat(35), -0.0f);

    d.startPoint(3).setText(StartPointRecord::heading, std::string(34, '9'));
    poke(d.startPoint(3), 150, "camouflage notes");
    d.startPoint(8).setInt32(StartPointRecord::camouflage, -5);

    NavPointRecord& nav = d.navPoint(3, 7);
    nav.setByte(NavPointRecord::inUse, 7);
    nav.setText(NavPointRecord::x, "-12345");
    nav.setText(NavPointRecord::actions, "BEGIN;RETURN;goto;leave;wait");
    nav.setText(NavPointRecord::navText, "Nav \xfc\xff");
    NavPointRecord& stale = d.navPoint(5, 24); // unused, with its old texts kept
    stale.setText(NavPointRecord::x, "500");
    poke(stale, NavPointRecord::navText.offset, std::string_view("Old\0Longer name", 15));

    ObjectiveTable& t = d.objectives[6];
    poke(t.timeLimitRecord(), 0,
         std::string_view("600\0"
                          "99",
                          6));
    ObjectiveRow& row = t.row(5); // a hole at rows 2 to 4
    row.setConditionsInUse(-1);
    row.setByte(ObjectiveRow::combination, 5);
    row.setText(ObjectiveRow::action, "Destroy");
    row.setText(ObjectiveRow::target, "WXYZare3");
    row.setText(ObjectiveRow::condition(7), "Fail en02star 4");
    row.setText(ObjectiveRow::screenText, std::string(34, 'x'));
    t.row(1).setByte(ObjectiveRow::combination, 1);
    t.row(39).setText(ObjectiveRow::audio, "gene26");
    t.row(39).clear(); // emptied: "gene26" stays behind the terminator

    d.weather.setInt32(WeatherRecord::type, 3);
    d.weather.setText(WeatherRecord::velocityX, "-1.5");
    d.palette.setText(PaletteRecord::entry(19), "\xa0\xbf");
    d.palette.setByte(PaletteRecord::flag, 1);

    const std::string rtf = "{\\rtf1\\ansi Brief\xe9 \\par }";
    d.briefings[0].assign(rtf.begin(), rtf.end());
    const std::string binary("\0\x01\xff\x7f", 4);
    d.briefings[2].assign(binary.begin(), binary.end());

    for (int i = 0; i < 3; ++i) {
        MissionObjectRecord r;
        r.setText(MissionObjectRecord::objectName, "obj" + std::to_string(i));
        r.setInt32(MissionObjectRecord::position(1), -100 * i);
        r.setInt16(MissionObjectRecord::pathPointTime(7), -32768);
        r.setInt16(MissionObjectRecord::colorSpinColor(15), 32767);
        r.setFloat32(MissionObjectRecord::spinnerTime, 1.25f);
        r.setText(MissionObjectRecord::pathLooping, "oneshot");
        poke(r, 297, "pad");
        poke(r, 779, "\xee");
        d.objects.place(i * 4, r); // slots 0, 4, 8: renumbered by the file
    }
    MissionObjectRecord nan;
    nan.setFloat32(MissionObjectRecord::spinnerTime, std::nanf(""));
    d.objects.place(9, nan);

    MissionFile::Framing f = MissionFile::Framing::standard();
    f.startPoints[2] = {'S', 'T', 'R', 0};
    f.objectives[7] = {'x', 'M', 'S', 'N'};
    f.end = {'E', 'N', 'D', '!'};
    f.afterEnd = {0xde, 0xad, 0x00};
    return f;
}

fs::path writeRichMission(const TempDir& dir) {
    auto d = std::make_unique<MissionDocument>();
    const MissionFile::Framing f = richMission(*d);
    const fs::path path = dir / "rich.mdb";
    EXPECT_TRUE(
        zev::common::writeWholeFile(path, MissionFile::encode(*d, d->objects.occupiedSlots(), f)));
    return path;
}

std::vector<std::uint8_t> bytes(const fs::path& p) {
    return zev::common::readWholeFile(p).value_or(std::vector<std::uint8_t>{});
}

json dumpOf(const TempDir& dir, const fs::path& mission, bool full) {
    std::vector<std::string> args{mission.string()};
    if (full)
        args.push_back("--full");
    const CommandRun r = run(dir.path(), "dump", args);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    return json::parse(r.out);
}

CommandRun load(const TempDir& dir, const json& j, const fs::path& out) {
    zev::common::writeWholeFile(dir / "in.json", std::string_view(j.dump(1)));
    return run(dir.path(), "load", {(dir / "in.json").string(), out.string()});
}

std::unique_ptr<MissionDocument> openMission(const fs::path& p) {
    auto d = std::make_unique<MissionDocument>();
    std::uint8_t patch = 0;
    zev::common::SilentReporter quiet;
    EXPECT_TRUE(MissionFile::open(*d, patch, p, quiet)) << p;
    return d;
}

} // namespace

TEST(MissionJson, FullDumpThenLoadGivesEveryMissionBackByteForByte) {
    TempDir dir;
    const fs::path fresh = dir / "fresh.mdb";
    ASSERT_EQ(run(dir.path(), "new", {fresh.string(), "--project", "AB", "--mission", "M"}).status,
              kExitOk);
    for (const fs::path& mission :
         {writeRichMission(dir), fresh, fs::path(ZEV_FIXTURES_DIR) / "new-demo.mdb"}) {
        const fs::path out = dir / "out.mdb";
        const CommandRun r = load(dir, dumpOf(dir, mission, true), out);
        ASSERT_EQ(r.status, kExitOk) << mission << r.err;
        EXPECT_EQ(bytes(out), bytes(mission)) << mission;
    }
}

TEST(MissionJson, FullDumpShowsEverySlotAndEveryByteInReadableForms) {
    TempDir dir;
    const json j = dumpOf(dir, writeRichMission(dir), true);
    EXPECT_EQ(j["full"], true);
    EXPECT_EQ(j["stars"][5]["nav_points"].size(), 25u);
    EXPECT_EQ(j["objectives"][0]["rows"].size(), 40u);
    EXPECT_EQ(j["stars"][3]["nav_points"][7]["in_use"], 7);
    // A text with old bytes behind its terminator shows both.
    EXPECT_EQ(j["stars"][5]["nav_points"][24]["text"],
              json({{"text", "Old"},
                    {"bytes", "4f6c64004c6f6e676572206e616d65" + std::string(40, '0')}}));
    EXPECT_EQ(j["objectives"][6]["rows"][39]["audio"]["text"], "");
    EXPECT_EQ(j["header"]["unnamed"], json({{"77", "010203"},
                                            {"596", "00000000756e7573656420627974657300000000"
                                                    "000000000000000000000000"}}));
    EXPECT_EQ(j["start_points"][2]["unnamed"]["140"].get<std::string>().substr(20, 6), "63616d");
    EXPECT_EQ(j["objects"][3]["spinner"]["time"], json({{"bytes", "0000c07f"}}));
    EXPECT_EQ(j["objectives"][6]["rows"][5]["combination"], 5);
    EXPECT_EQ(j["objectives"][6]["rows"][1]["combination"], "or");
    EXPECT_EQ(j["file"]["start_point_tags"][2], std::string("STR\0", 4));
    EXPECT_EQ(j["file"]["end_tag"], "END!");
    EXPECT_EQ(j["file"]["after_end"], "dead00");
    EXPECT_EQ(j["objects"].size(), 4u);
}

TEST(MissionJson, ShortDumpThenLoadKeepsEveryShownFieldAndEmptiesTheRest) {
    TempDir dir;
    const fs::path rich = writeRichMission(dir);
    const json shown = dumpOf(dir, rich, false);
    EXPECT_FALSE(shown.contains("full"));
    EXPECT_EQ(shown["header"]["mission_name"], "Caf\u00e9 Raid");
    EXPECT_EQ(shown["header"]["dfx_options"][14], json({{"text", "DDDD"}, {"bytes", "44444444"}}));
    EXPECT_EQ(shown["header"]["dfx_options"][35].dump(), "-0.0");
    EXPECT_EQ(shown["stars"][3]["nav_points"][1]["index"], 7);
    EXPECT_FALSE(shown["stars"][3]["nav_points"][1].contains("in_use"));
    EXPECT_EQ(shown["stars"][5]["nav_points"].size(), 1u);
    EXPECT_EQ(shown["objectives"][6]["mission_time_limit"], "600");
    EXPECT_EQ(shown["objectives"][6]["rows"][2]["index"], 5);
    EXPECT_EQ(shown["objectives"][6]["rows"][2]["activation_count"], -1);
    EXPECT_EQ(shown["objects"][2]["path_points"][7]["time"], -32768);
    EXPECT_EQ(shown["objects"][2]["color_spin"]["colors"][15], 32767);
    EXPECT_EQ(shown["briefings"][2]["text"], std::string("\0\x01\xc3\xbf\x7f", 5));

    const fs::path out = dir / "out.mdb";
    const CommandRun r = load(dir, shown, out);
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(dumpOf(dir, out, false), shown);

    const auto before = openMission(rich), after = openMission(out);
    EXPECT_EQ(after->navPoint(3, 7).byte(NavPointRecord::inUse), 1);
    EXPECT_EQ(after->navPoint(5, 24), NavPointRecord{});
    EXPECT_EQ(after->objectives[6].row(39), ObjectiveRow{});
    EXPECT_EQ(after->header.text(MissionHeader::creator), "ZEVEDIT 3D");
    EXPECT_EQ(after->header.bytes()[77], 0);
    EXPECT_EQ(after->briefings, before->briefings);
    EXPECT_EQ(after->objects.count(), 4);
}

TEST(MissionJson, LoadWritesAScriptedMissionWithTextsAndNumbersAtTheirLimits) {
    TempDir dir;
    const fs::path fresh = dir / "fresh.mdb", out = dir / "out.mdb";
    ASSERT_EQ(run(dir.path(), "new", {fresh.string(), "--project", "AB", "--mission", "M"}).status,
              kExitOk);
    json j = dumpOf(dir, fresh, false);
    json nav = j["stars"][0]["nav_points"][0];
    nav["index"] = 24;
    nav["x"] = std::string(34, '7');
    nav["text"] = "\u00ff\u00e9";
    j["stars"][0]["nav_points"].push_back(nav);
    j["header"]["fog"] = -2147483648LL;
    j["header"]["version"] = 3;
    j["header"]["dfx_options"][34] = 3.4e38;
    j["objectives"][1]["rows"][0]["combination"] = 1;
    ASSERT_EQ(load(dir, j, out).status, kExitOk);

    const auto d = openMission(out);
    EXPECT_EQ(d->navPoint(0, 24).text(NavPointRecord::x), std::string(34, '7'));
    EXPECT_EQ(d->navPoint(0, 24).text(NavPointRecord::navText), "\xff\xe9");
    EXPECT_TRUE(d->navPoint(0, 24).isInUse());
    EXPECT_EQ(d->header.int32(MissionHeader::fog), -2147483647 - 1);
    EXPECT_EQ(d->header.float32(MissionHeader::version), 3.0f);
    EXPECT_EQ(d->header.float32(MissionHeader::dfxFloat(34)), 3.4e38f);
    EXPECT_EQ(d->objectives[1].row(0).byte(ObjectiveRow::combination), 1);
}

namespace {

struct Refusal {
    std::string message;
    std::function<void(json&)> change;
};

} // namespace

TEST(MissionJson, LoadRefusesBadInputWithThePathAndWritesNothing) {
    TempDir dir;
    const json full = dumpOf(dir, writeRichMission(dir), true);
    const json brief = dumpOf(dir, writeRichMission(dir), false);
    const std::vector<std::pair<const json*, Refusal>> cases = {
        {&full,
         {"stars[3].nav_points[7].x: text longer than 34 characters",
          [](json& j) { j["stars"][3]["nav_points"][7]["x"] = std::string(35, '1'); }}},
        {&full,
         {"stars[3].nav_points[7].in_use: expected a whole number from 0 to 255",
          [](json& j) { j["stars"][3]["nav_points"][7]["in_use"] = 256; }}},
        {&brief,
         {"header.gravity: expected a text", [](json& j) { j["header"]["gravity"] = 1.0; }}},
        {&brief,
         {"header.now: expected a whole number from -2147483648 to 2147483647",
          [](json& j) { j["header"]["now"] = 1.5; }}},
        {&brief,
         {"header.fog: expected a whole number from -2147483648 to 2147483647",
          [](json& j) { j["header"]["fog"] = 2147483648LL; }}},
        {&brief,
         {"header.dfx_options[34]: out of range for a 32-bit float",
          [](json& j) { j["header"]["dfx_options"][34] = 1e39; }}},
        {&brief,
         {"header.dfx_options: expected 36 entries",
          [](json& j) { j["header"]["dfx_options"].push_back(0); }}},
        {&brief,
         {"header.creator: must contain \"ZEVEDIT 3D\"",
          [](json& j) { j["header"]["creator"] = "OTHER EDITOR"; }}},
        {&brief, {"header.gravty: unknown key", [](json& j) { j["header"]["gravty"] = "1"; }}},
        {&brief, {"weather.parsec: missing", [](json& j) { j["weather"].erase("parsec"); }}},
        {&brief,
         {"objects[0].spinner.rotation[2]: missing",
          [](json& j) { j["objects"][0]["spinner"]["rotation"].erase(2); }}},
        {&brief,
         {"objectives[6].rows[1].combination: expected \"and\" or \"or\" or a whole number",
          [](json& j) { j["objectives"][6]["rows"][1]["combination"] = "xor"; }}},
        {&brief,
         {"objectives[6].rows[1].index: 0 listed twice",
          [](json& j) { j["objectives"][6]["rows"][1]["index"] = 0; }}},
        {&brief,
         {"objectives[6].rows[0].text: text holds a NUL character",
          [](json& j) { j["objectives"][6]["rows"][0]["text"] = std::string("a\0b", 3); }}},
        {&brief,
         {"palette.entries[0]: holds a character above U+00FF",
          [](json& j) { j["palette"]["entries"][0] = "\u20ac"; }}},
        {&brief,
         {"start_points[0].player: expected 1",
          [](json& j) { std::swap(j["start_points"][0], j["start_points"][1]); }}},
        {&brief,
         {"objects: more than 500 objects",
          [](json& j) {
              for (int i = 0; i < 500; ++i)
                  j["objects"].push_back(j["objects"][0]);
          }}},
        {&brief, {"file: unknown key", [](json& j) { j["file"] = json::object(); }}},
        {&full,
         {"stars[5].nav_points: index 24 missing",
          [](json& j) { j["stars"][5]["nav_points"].erase(24); }}},
        {&full,
         {"header.unnamed.77: expected 6 hex digits",
          [](json& j) { j["header"]["unnamed"]["77"] = "0102"; }}},
        {&full,
         {"stars[5].nav_points[24].text.text: does not match its bytes",
          [](json& j) { j["stars"][5]["nav_points"][24]["text"]["text"] = "New"; }}},
        {&full,
         {"file.end_tag: a tag must hold \"END\" before any NUL",
          [](json& j) { j["file"]["end_tag"] = std::string("EN\0D", 4); }}},
        {&full, {"full: expected true or false", [](json& j) { j["full"] = 1; }}},
        {&full, {"file: missing", [](json& j) { j.erase("file"); }}},
    };
    const fs::path out = dir / "out.mdb";
    zev::common::writeWholeFile(out, std::string_view("previous"));
    for (const auto& [base, refusal] : cases) {
        json j = *base;
        refusal.change(j);
        const CommandRun r = load(dir, j, out);
        EXPECT_EQ(r.status, kExitFailed) << refusal.message;
        EXPECT_NE(r.err.find("JSON Load Error: " + refusal.message), std::string::npos)
            << refusal.message << "\n  got: " << r.err;
    }
    zev::common::writeWholeFile(dir / "bad.json", std::string_view("{\"header\": [1, 2"));
    const CommandRun bad = run(dir.path(), "load", {(dir / "bad.json").string(), out.string()});
    EXPECT_EQ(bad.status, kExitFailed);
    EXPECT_NE(bad.err.find("bad.json: not valid JSON"), std::string::npos) << bad.err;
    EXPECT_EQ(bytes(out), (std::vector<std::uint8_t>{'p', 'r', 'e', 'v', 'i', 'o', 'u', 's'}));
    EXPECT_FALSE(fs::exists(dir / "new.mdb"));
    EXPECT_EQ(
        run(dir.path(), "load", {(dir / "bad.json").string(), (dir / "new.mdb").string()}).status,
        kExitFailed);
    EXPECT_FALSE(fs::exists(dir / "new.mdb"));
}
