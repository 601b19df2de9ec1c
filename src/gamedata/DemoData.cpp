#include "gamedata/DemoData.h"

#include "common/FileIo.h"
#include "gamedata/DemoGeometry.h"
#include "gamedata/GeoScan.h"

#include <array>
#include <system_error>

namespace zev::gamedata::demo {

namespace fs = std::filesystem;

namespace {

const char* const kDemoCaption = "Demo Data";

std::vector<std::uint8_t> textBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// Unit configurations: chassis prefix, two digits and a role.
const char* const kConfigurations[] = {"VRL00STD", "VRL01ASL", "VRL02SNP", "KES00STD", "KES01SCT",
                                       "HAL00STD", "HAL01HVY", "MAN00STD", "MAN01RAD"};
const char* const kChassis[] = {"VORLANE", "KESTREL", "HALBERD", "MANTIS"};
const char* const kOtherBwd[] = {"SKYDOME", "TERRAIN1", "HUDFONT", "EXPLODE1", "COCKPIT1"};

ReadyMadeMemberRecord member(const std::string& stem, int x, int z, int rotY = 0, int y = 0) {
    ReadyMadeMemberRecord m;
    m.scale = {1, 1, 1};
    m.rotation = {0, rotY, 0};
    m.position = {std::int16_t(x), std::int16_t(y), std::int16_t(z)};
    m.entryNumber = std::int32_t(demoGeometryEntryNumber(stem));
    return m;
}

struct RecordFields {
    const char* menuText;
    const char* object;
    const char* mainType;
    const char* objectType;
    const char* parent;
    const char* alternateName;
    const char* chunk;
    const char* targeting;
    int hits;
    bool collision;
    bool canTarget;
};

ObjectGroupRecord makeRecord(const RecordFields& fields, bool readyMadeGroup = false) {
    using R = ObjectGroupRecord;
    R r;
    r.stamp();
    r.setText(R::menuText, fields.menuText);
    r.setText(R::objectName, fields.object);
    r.setText(R::mainType, fields.mainType);
    r.setText(R::objectType, fields.objectType);
    r.setText(R::objectParent, fields.parent);
    r.setText(R::alternateName, fields.alternateName);
    r.setText(R::alternateType, fields.mainType);
    r.setText(R::chunkName, fields.chunk);
    r.setText(R::targetingInfo, fields.targeting);
    r.setInt32(R::hitsToDestroy, fields.hits);
    r.setByte(R::collisionOn, fields.collision ? 1 : 0);
    r.setByte(R::canTarget, fields.canTarget ? 1 : 0);
    r.setByte(R::readyMadeGroup, readyMadeGroup ? 1 : 0);
    for (int axis = 0; axis < 3; ++axis)
        r.setInt32(R::scale(axis), 1);
    return r;
}

bool writeFile(common::NewFilesWriter& files, const fs::path& path,
               std::span<const std::uint8_t> bytes, common::Reporter& reporter) {
    std::error_code reason;
    if (files.write(path, bytes, &reason))
        return true;
    reporter.report(common::describeFileFailure("Could not write", path, reason), kDemoCaption,
                    common::MessageIcon::Stop);
    return false;
}

} // namespace

std::uint32_t demoGeometryEntryNumber(const std::string& stem) {
    const auto& all = demoGeometries();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].stem == stem)
            return std::uint32_t(i + 1);
    return 0;
}

std::vector<std::string> demoConfigurations() {
    return {std::begin(kConfigurations), std::end(kConfigurations)};
}
std::vector<std::string> demoChassis() {
    return {std::begin(kChassis), std::end(kChassis)};
}
std::vector<std::string> demoOtherBwdEntries() {
    return {std::begin(kOtherBwd), std::end(kOtherBwd)};
}

ArchiveWriter demoArchive() {
    ArchiveWriter writer;
    auto& poly = writer.addSection("POLY");
    for (const DemoGeometry& g : demoGeometries())
        poly.addEntry(g.stem, g.stem + ".geo", encodeGeometry(g.geometry));
    poly.addEntry("POLYEND", "polyend.dat");

    auto& mek = writer.addSection("MEK");
    for (const char* name : kConfigurations)
        mek.addEntry(name, std::string(name) + ".mek",
                     "demo unit configuration " + std::string(name) + "\n");
    mek.addEntry("MEKEND", "mekend.dat");

    auto& bwd = writer.addSection("BWD");
    // Chassis and other entries interleaved, as a real section mixes them.
    for (std::size_t i = 0; i < std::size(kOtherBwd) || i < std::size(kChassis); ++i) {
        if (i < std::size(kChassis))
            bwd.addEntry(kChassis[i], std::string(kChassis[i]) + ".bwd",
                         "demo chassis " + std::string(kChassis[i]) + "\n");
        if (i < std::size(kOtherBwd))
            bwd.addEntry(kOtherBwd[i], std::string(kOtherBwd[i]) + ".bwd", "demo data\n");
    }
    bwd.addEntry("BWDEND", "bwdend.dat");

    auto& txt = writer.addSection("TXT");
    txt.addEntry("README", "readme.txt",
                 "Demo game data of ZEVEDIT 3D, made by the editor's own generator.\n");
    txt.addEntry("TXTEND", "txtend.dat");
    return writer;
}

std::vector<std::uint8_t> DemoReadyMadeGroup::fileImage() const {
    // Each file carries a chunk of its own before the members, which readers skip.
    const auto info = makeChunk("INF", textBytes("demo group " + name));
    return encodeReadyMadeGroup(members, {info});
}

std::vector<DemoReadyMadeGroup> demoReadyMadeGroups() {
    return {
        {"outpost",
         {member("bunker", 0, 0), member("watchtwr", -1500, 1500), member("watchtwr", 1500, -1500),
          member("wallshrt", 0, 1800), member("wallshrt", 0, -1800),
          member("wallshrt", -1800, 0, 90), member("wallshrt", 1800, 0, 90),
          member("crate", 900, 900), member("crate", 900, 1300, 45)}},
        {"fuelyard",
         {member("fueltank", 0, 0), member("fueltank", 0, 1500), member("barrel", 1600, 300),
          member("barrel", 1600, 700), member("barrel", 2000, 500), member("truck", -2200, 600, 90),
          member("fence", 0, -1200)}},
        {"spaceprt",
         {member("landpad", 0, 0), member("dropship", 0, 0, 30, 100),
          member("lighttwr", -3000, 2800), member("lighttwr", 3000, 2800),
          member("hangar", 0, -5000), member("beacon", 2600, -2600)}},
        {"grove",
         {member("pine", 0, 0), member("pine", 900, 600, 40), member("pine", -700, 900, 80),
          member("oak", -1500, -800), member("bush", 500, -900), member("bush", -300, -1500, 60),
          member("rocksml", 1600, -300, 120), member("rockmed", -2000, 1200, 200)}},
    };
}

std::vector<DemoObjectGroup> demoObjectGroups() {
    std::vector<DemoObjectGroup> groups;
    groups.push_back({"Buildings",
                      {makeRecord({"Bunker", "bunker", "orthorect", "expendable", "world", "rubble",
                                   "crate", "Bunker", 60, true, true}),
                       makeRecord({"Hangar", "hangar", "orthorect", "expendable", "world", "rubble",
                                   "crate", "Hangar", 120, true, true}),
                       makeRecord({"Barracks", "barracks", "orthorect", "expendable", "world",
                                   "rubble", "crate", "Barracks", 80, true, true}),
                       makeRecord({"Command Post", "command", "cylinder", "expendable", "world",
                                   "rubble", "crate", "Command Post", 150, true, true}),
                       makeRecord({"Factory", "factory", "orthorect", "expendable", "world",
                                   "rubble", "crate", "Factory", 140, true, true}),
                       makeRecord({"Grain Silo", "silo", "cylinder", "expendable", "world",
                                   "rubble", "barrel", "Silo", 70, true, true}),
                       makeRecord({"Supply Depot", "depot", "orthorect", "expendable", "world",
                                   "rubble", "crate", "Supply Depot", 90, true, true}),
                       makeRecord({"Hut", "hut", "orthorect", "expendable", "world", "rubble",
                                   "crate", "Hut", 20, true, true})}});
    groups.push_back({"Defenses",
                      {makeRecord({"Radar Tower", "radartwr", "cylinder", "expendable", "world",
                                   "rubble", "crate", "Radar", 50, true, true}),
                       makeRecord({"Watch Tower", "watchtwr", "orthorect", "expendable", "world",
                                   "rubble", "crate", "Watch Tower", 40, true, true}),
                       makeRecord({"Power Pylon", "pylon", "orthorotate", "far", "world", "rubble",
                                   "none", "Pylon", 30, true, true}),
                       makeRecord({"Communications Tower", "comtower", "cylinder", "expendable",
                                   "world", "rubble", "crate", "Uplink", 45, true, true}),
                       makeRecord({"Light Tower", "lighttwr", "cylinder", "expendable", "world",
                                   "rubble", "none", "Light Tower", 35, true, true}),
                       makeRecord({"Wall Short", "wallshrt", "orthorect", "none", "fixed", "rubble",
                                   "none", "", 25, true, false}),
                       makeRecord({"Wall Long", "walllong", "orthorect", "none", "fixed", "rubble",
                                   "none", "", 60, true, false}),
                       makeRecord({"Wall Corner", "wallcrnr", "orthorotate", "none", "fixed",
                                   "rubble", "none", "", 40, true, false}),
                       makeRecord({"Wall Gate", "wallgate", "orthorect", "none", "fixed", "rubble",
                                   "none", "Gate", 50, true, true})}});
    groups.push_back(
        {"Nature",
         {makeRecord({"Rock Small", "rocksml", "sphere", "terrain", "world", "", "none", "", 0,
                      true, false}),
          makeRecord({"Rock Medium", "rockmed", "sphere", "terrain", "world", "", "none", "", 0,
                      true, false}),
          makeRecord({"Rock Large", "rocklrg", "allpoly", "terrain", "world", "", "none", "", 0,
                      true, false}),
          makeRecord(
              {"Boulder", "boulder", "sphere", "terrain", "world", "", "none", "", 0, true, false}),
          makeRecord({"Cliff Face", "cliff", "allpoly", "terrain", "fixed", "", "none", "", 0, true,
                      false}),
          makeRecord({"Pine Tree", "pine", "cylinder", "none", "world", "deadtree", "none", "", 5,
                      true, false}),
          makeRecord({"Oak Tree", "oak", "cylinder", "none", "world", "deadtree", "none", "", 5,
                      true, false}),
          makeRecord({"Palm Tree", "palm", "cylinder", "none", "world", "deadtree", "none", "", 4,
                      true, false}),
          makeRecord({"Dead Tree", "deadtree", "cylinder", "none", "world", "", "none", "", 3, true,
                      false}),
          makeRecord({"Bush", "bush", "null", "none", "world", "", "none", "", 1, false, false})}});
    groups.push_back({"Vehicles",
                      {makeRecord({"Cargo Truck", "truck", "orthorect", "expendable", "world",
                                   "rubble", "crate", "Cargo Truck", 25, true, true}),
                       makeRecord({"Battle Tank", "tank", "orthorect", "expendable", "world",
                                   "rubble", "barrel", "Battle Tank", 45, true, true}),
                       makeRecord({"Scout Jeep", "jeep", "orthorect", "expendable", "world",
                                   "rubble", "crate", "Scout Jeep", 15, true, true}),
                       makeRecord({"Hover Car", "hovercar", "cylinder", "expendable", "world",
                                   "rubble", "none", "Hover Car", 15, true, true}),
                       makeRecord({"Drop Ship", "dropship", "orthorect", "expendable", "world",
                                   "rubble", "crate", "Drop Ship", 200, true, true})}});
    groups.push_back({"Props",
                      {makeRecord({"Landing Pad", "landpad", "ground", "none", "fixed", "", "none",
                                   "", 0, false, false}),
                       makeRecord({"Fuel Tank", "fueltank", "cylinder", "explosion", "world",
                                   "rubble", "barrel", "Fuel Tank", 20, true, true}),
                       makeRecord({"Supply Crate", "crate", "orthorect", "scrounge", "world", "",
                                   "none", "Crate", 5, true, true}),
                       makeRecord({"Barrel", "barrel", "cylinder", "explosion", "world", "", "none",
                                   "Barrel", 3, true, true}),
                       makeRecord({"Nav Beacon", "beacon", "cylinder", "none", "world", "", "none",
                                   "Beacon", 10, true, true}),
                       makeRecord({"Antenna Mast", "antenna", "orthorect", "expendable", "world",
                                   "rubble", "none", "Antenna", 15, true, true}),
                       makeRecord({"Rubble", "rubble", "null", "chunk", "world", "", "none", "", 0,
                                   false, false})}});
    DemoObjectGroup rmg{"Groups", {}};
    for (const auto& [menu, name] :
         std::array<std::pair<const char*, const char*>, 4>{{{"Outpost", "outpost"},
                                                             {"Fuel Yard", "fuelyard"},
                                                             {"Space Port", "spaceprt"},
                                                             {"Grove", "grove"}}})
        rmg.records.push_back(makeRecord(
            {menu, name, "orthorect", "none", "world", "", "none", "", 0, true, false}, true));
    groups.push_back(std::move(rmg));
    return groups;
}

std::string demoIniText() {
    std::string t;
    const auto line = [&t](const std::string& s) { t += s + "\r\n"; };
    const auto list = [&](const char* section, std::initializer_list<const char*> items) {
        line("");
        line(std::string("[") + section + "]");
        line("ITEM COUNT=" + std::to_string(items.size()));
        int i = 0;
        for (const char* item : items)
            line("ITEM " + std::to_string(++i) + "=" + item);
    };
    line("; Settings of ZEVEDIT 3D for the demo game data.");
    line("[PROGRAM DEFAULTS]");
    for (const char* kv : {"MUSIC TRACK=2",
                           "GRAVITY=1.0",
                           "SECONDS IN DAY=10000",
                           "DAYS IN YEAR=365",
                           "MEAN TEMPATURE=0",
                           "MAX JUMP HEIGHT=50000",
                           "MIN HEIGHT=0",
                           "MAX HEIGHT=10000",
                           "COEF FRICTION=0",
                           "CAN EJECT=1",
                           "AMBIENT LIGHT=45",
                           "SHADE DISTANCE=65000",
                           "HIDE SKY=0",
                           "HIDE GROUND=0",
                           "HIDE HORIZON=0",
                           "NOW=1",
                           "CLIP NEAR=1",
                           "CLIP FAR=150000",
                           "COLOR PALETTE=gr0npal1",
                           "LIGHT SOURCE X=100000",
                           "LIGHT SOURCE Y=20000",
                           "LIGHT SOURCE Z=0",
                           "POINT LIGHT=0",
                           "FOG=0",
                           "GROUND TEXTURE=bet1"})
        line(kv);
    static const char* const starts[8][4] = {
        {"1700", "0", "-85400", "0"},    {"8100", "0", "82600", "180"},
        {"-56200", "0", "56200", "100"}, {"82700", "0", "-85400", "0"},
        {"-27000", "0", "-22100", "70"}, {"32000", "0", "93400", "200"},
        {"57500", "0", "-38500", "310"}, {"18000", "0", "18100", "0"}};
    for (int p = 0; p < 8; ++p) {
        const std::string player = "PLAYER " + std::to_string(p + 1);
        line(player + " START POINT X=" + starts[p][0]);
        line(player + " START POINT Y=" + starts[p][1]);
        line(player + " START POINT Z=" + starts[p][2]);
        line(player + " HEADING=" + starts[p][3]);
    }
    list("COLOR PALETTES",
         {"gr0npal1", "gr0npal2", "desrtpal", "snowpal1", "lunarpal", "nightpal"});
    list("GROUND TEXTURES", {"bet1", "sand1", "snow1", "rock1", "grass1", "lava1"});
    list("CUSTOM COLOR PALETTES", {"BROW0NDA", "BROW0NDU", "BROW0NNI", "IRCOOL", "BLACK", "ZAPPED",
                                   "ALLWHT", "GR0NDAY", "GR0NDUSK", "GR0NNITE"});
    return t;
}

DemoDataPaths demoDataPaths(const fs::path& dir) {
    return {dir / "game", dir / "game" / "ZEV.PRJ", dir / "home"};
}

bool writeDemoObjectGroups(const fs::path& odbDir, common::Reporter& reporter) {
    common::NewFilesWriter files;
    return writeDemoObjectGroups(odbDir, files, reporter);
}

bool writeDemoObjectGroups(const fs::path& odbDir, common::NewFilesWriter& files,
                           common::Reporter& reporter) {
    std::error_code ec;
    fs::create_directories(odbDir, ec);
    if (ec) {
        reporter.report(common::describeFileFailure("Could not create", odbDir, ec), kDemoCaption,
                        common::MessageIcon::Stop);
        return false;
    }
    for (const DemoObjectGroup& group : demoObjectGroups()) {
        std::vector<std::uint8_t> image;
        for (const ObjectGroupRecord& r : group.records)
            image.insert(image.end(), r.bytes().begin(), r.bytes().end());
        if (!writeFile(files, odbDir / (group.name + ".odb"), image, reporter))
            return false;
    }
    return true;
}

bool writeDemoData(const fs::path& dir, common::Reporter& reporter, std::vector<fs::path>* kept) {
    common::NewFilesWriter files;
    const bool ok = writeDemoData(dir, files, reporter);
    if (kept)
        *kept = files.kept();
    return ok;
}

bool writeDemoData(const fs::path& dir, common::NewFilesWriter& files, common::Reporter& reporter) {
    const DemoDataPaths paths = demoDataPaths(dir);
    const fs::path rmgDir = paths.gameDirectory / "RMG";
    const fs::path odbDir = paths.programDirectory / "data" / "odb";
    for (const fs::path& d : {rmgDir, paths.gameDirectory / "missions", odbDir}) {
        std::error_code ec;
        fs::create_directories(d, ec);
        if (ec) {
            reporter.report(common::describeFileFailure("Could not create", d, ec), kDemoCaption,
                            common::MessageIcon::Stop);
            return false;
        }
    }

    const auto archive = demoArchive().toBytes();
    if (!archive || !writeFile(files, paths.archive, *archive, reporter))
        return false;
    for (const DemoReadyMadeGroup& group : demoReadyMadeGroups())
        if (!writeFile(files, rmgDir / (group.name + ".bwd"), group.fileImage(), reporter))
            return false;

    const std::string ini = demoIniText();
    if (!writeFile(files, paths.programDirectory / "zevedit.ini", textBytes(ini), reporter) ||
        !writeDemoObjectGroups(odbDir, files, reporter))
        return false;

    const GeoScanResult scan = ScanGeoTable(paths.archive, paths.programDirectory, reporter);
    return scan.built;
}

} // namespace zev::gamedata::demo
