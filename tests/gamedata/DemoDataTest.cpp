#include "gamedata/DemoData.h"
#include "gamedata/ChassisStems.h"
#include "gamedata/DemoGeometry.h"
#include "gamedata/GeometryConverter.h"
#include "gamedata/GeometryLoader.h"
#include "gamedata/IndexFiles.h"
#include "gamedata/ObjectGroups.h"

#include "common/FileIo.h"
#include "common/IniFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace zev::gamedata::demo {
namespace {

namespace fs = std::filesystem;

Mesh convert(const GameGeometry& g) {
    Mesh mesh;
    std::string error;
    EXPECT_TRUE(ConvertGeometry(encodeGeometry(g), {1, 1, 1}, {}, mesh, error)) << error;
    return mesh;
}

TEST(DemoGeometry, OffersThirtyOrMoreConvertibleGeometriesOfEveryKind) {
    const auto& all = demoGeometries();
    EXPECT_GE(all.size(), 30u);
    std::set<std::string> kinds;
    std::set<std::size_t> cornerCounts;
    for (const DemoGeometry& g : all) {
        kinds.insert(g.kind);
        EXPECT_LE(g.stem.size(), 8u) << g.stem;
        const Mesh mesh = convert(g.geometry);
        EXPECT_GT(mesh.faceCount(), 0u) << g.stem;
        const BoundingBox box = mesh.boundingBox();
        EXPECT_GE(AutoZoomHeight(box), 4.f) << g.stem; // at least a couple of metres
        for (const auto& face : g.geometry.faces)
            cornerCounts.insert(face.size());
        bool textured = false;
        for (const GameVertex& v : g.geometry.vertices)
            textured = textured || v.u != 0 || v.v != 0;
        EXPECT_TRUE(textured) << g.stem;
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"building", "tower", "wall", "rock", "tree", "vehicle",
                                            "pad", "prop"}));
    EXPECT_EQ(cornerCounts, (std::set<std::size_t>{3, 4, 5, 6, 7}));
}

TEST(DemoGeometry, NamesThatTheNameLookupCannotConfuse) {
    // The lookup takes the first record whose stem begins the object name.
    const auto& all = demoGeometries();
    for (const DemoGeometry& a : all)
        for (const DemoGeometry& b : all)
            if (&a != &b) {
                EXPECT_NE(b.stem.rfind(a.stem, 0), 0u) << a.stem << " begins " << b.stem;
            }
}

TEST(DemoGeometry, IsMadeOfClosedSolidsWithFacesTurnedOutwardsOnceConverted) {
    // Taken counter-clockwise as converted, the faces of closed solids turned outwards meet
    // every edge once in each direction and enclose a positive volume.
    for (const DemoGeometry& g : demoGeometries()) {
        const Mesh mesh = convert(g.geometry);
        const auto key = [](const Vec3& v) { return std::tuple(v.x, v.y, v.z); };
        std::map<std::pair<std::tuple<float, float, float>, std::tuple<float, float, float>>, int>
            edges;
        double volume = 0;
        for (const MeshFace& f : mesh.groups.at(0).faces) {
            const auto* v = &mesh.groups[0].vertices[f.firstVertex];
            for (std::uint32_t i = 0; i < f.cornerCount; ++i) {
                const Vec3& a = v[i].position;
                const Vec3& b = v[(i + 1) % f.cornerCount].position;
                if (!(a == b))
                    ++edges[{key(a), key(b)}];
            }
            for (std::uint32_t i = 1; i + 1 < f.cornerCount; ++i) {
                const Vec3 &a = v[0].position, &b = v[i].position, &c = v[i + 1].position;
                volume += (double(a.x) * (double(b.y) * c.z - double(b.z) * c.y) -
                           double(a.y) * (double(b.x) * c.z - double(b.z) * c.x) +
                           double(a.z) * (double(b.x) * c.y - double(b.y) * c.x)) /
                          6;
            }
        }
        for (const auto& [edge, count] : edges) {
            const auto back = edges.find({edge.second, edge.first});
            EXPECT_TRUE(back != edges.end() && back->second == count) << g.stem;
        }
        EXPECT_GT(volume, 0) << g.stem;
    }
}

class DemoDataOnDisk : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        common::RecordingReporter reporter;
        written_ = writeDemoData(dir_->path(), reporter);
        messages_ = reporter.messages.size();
    }
    static void TearDownTestSuite() { delete dir_; }
    static DemoDataPaths paths() { return demoDataPaths(dir_->path()); }

    static TempDir* dir_;
    static bool written_;
    static std::size_t messages_;
};
TempDir* DemoDataOnDisk::dir_ = nullptr;
bool DemoDataOnDisk::written_ = false;
std::size_t DemoDataOnDisk::messages_ = 0;

TEST_F(DemoDataOnDisk, IsWrittenWithCurrentIndexFiles) {
    ASSERT_TRUE(written_);
    EXPECT_EQ(messages_, 0u);
    EXPECT_TRUE(fs::is_directory(paths().gameDirectory / "missions"));
    EXPECT_TRUE(fs::is_empty(paths().gameDirectory / "missions"));
    EXPECT_TRUE(CheckIndexFiles(paths().gameDirectory, paths().programDirectory));
}

TEST_F(DemoDataOnDisk, IndexesChassisAndConfigurationsForTheLaunch) {
    ASSERT_TRUE(written_);
    LaunchRecord record;
    EXPECT_EQ(FindLaunchRecord(paths().programDirectory, IndexKind::Chassis, "VORLANE", record),
              LaunchLookup::Found);
    EXPECT_EQ(FindLaunchRecord(paths().programDirectory, IndexKind::Mek, "VRL00STD", record),
              LaunchLookup::Found);
    std::set<std::string> chassis;
    for (const LaunchRecord& r : readNameIndex(paths().programDirectory, IndexKind::Chassis))
        if (!r.name.empty())
            chassis.insert(r.name);
    EXPECT_EQ(chassis, (std::set<std::string>{"VORLANE", "KESTREL", "HALBERD", "MANTIS"}));
    for (const std::string& other : demoOtherBwdEntries())
        EXPECT_EQ(matchingChassisStem(other, builtInChassisStems()), "") << other;
}

TEST_F(DemoDataOnDisk, LetsEveryObjectOfEveryGroupBeLoaded) {
    ASSERT_TRUE(written_);
    const auto groups = listObjectGroupNames(paths().programDirectory);
    EXPECT_GE(groups.size(), 4u);
    int readyMade = 0;
    for (const std::string& name : groups) {
        const auto records = readObjectGroup(objectGroupPath(paths().programDirectory, name));
        ASSERT_TRUE(records) << name;
        EXPECT_FALSE(records->empty()) << name;
        for (const ObjectGroupRecord& r : *records) {
            const std::string object = r.text(ObjectGroupRecord::objectName);
            EXPECT_FALSE(r.text(ObjectGroupRecord::menuText).empty());
            std::string error;
            if (r.isReadyMadeGroup()) {
                ++readyMade;
                ReadyMadeGroup group;
                EXPECT_TRUE(loadReadyMadeGroup(paths().archive, paths().programDirectory, object,
                                               group, error))
                    << object << ": " << error;
                EXPECT_EQ(error, "") << object;
                EXPECT_GE(group.members.size(), 5u) << object;
            } else {
                Mesh mesh;
                EXPECT_TRUE(loadObjectMesh(paths().gameDirectory, paths().programDirectory, object,
                                           {1, 1, 1}, mesh, error))
                    << object << ": " << error;
            }
        }
    }
    EXPECT_GE(readyMade, 3);
}

TEST_F(DemoDataOnDisk, HoldsEveryProgramDefaultAndTheSettingsLists) {
    ASSERT_TRUE(written_);
    const auto ini = common::IniFile::load(paths().programDirectory / "zevedit.ini");
    for (const char* key : {"MUSIC TRACK",     "GRAVITY",
                            "SECONDS IN DAY",  "DAYS IN YEAR",
                            "MEAN TEMPATURE",  "MAX JUMP HEIGHT",
                            "MIN HEIGHT",      "MAX HEIGHT",
                            "COEF FRICTION",   "CAN EJECT",
                            "AMBIENT LIGHT",   "SHADE DISTANCE",
                            "HIDE SKY",        "HIDE GROUND",
                            "HIDE HORIZON",    "NOW",
                            "CLIP NEAR",       "CLIP FAR",
                            "COLOR PALETTE",   "LIGHT SOURCE X",
                            "LIGHT SOURCE Y",  "LIGHT SOURCE Z",
                            "POINT LIGHT",     "FOG",
                            "GROUND TEXTURE",  "PLAYER 8 START POINT Z",
                            "PLAYER 2 HEADING"})
        EXPECT_TRUE(ini.hasKey("PROGRAM DEFAULTS", key)) << key;
    EXPECT_EQ(ini.getString("PROGRAM DEFAULTS", "PLAYER 2 HEADING", ""), "180");
    for (const char* section : {"COLOR PALETTES", "GROUND TEXTURES", "CUSTOM COLOR PALETTES"}) {
        const int count = ini.getInt(section, "ITEM COUNT", 0);
        EXPECT_GE(count, 3) << section;
        for (int i = 1; i <= count; ++i)
            EXPECT_GT(ini.getString(section, "ITEM " + std::to_string(i), "").size(), 3u);
    }
    // The defaults chosen are among the lists.
    EXPECT_EQ(ini.getString("COLOR PALETTES", "ITEM 1", ""),
              ini.getString("PROGRAM DEFAULTS", "COLOR PALETTE", "?"));
    EXPECT_EQ(ini.getString("GROUND TEXTURES", "ITEM 1", ""),
              ini.getString("PROGRAM DEFAULTS", "GROUND TEXTURE", "?"));
    EXPECT_NE(demoIniText().find("\r\n[GROUND TEXTURES]\r\n"), std::string::npos);
}

TEST_F(DemoDataOnDisk, IsMadeTheSameOnEveryRun) {
    ASSERT_TRUE(written_);
    TempDir again;
    common::SilentReporter reporter;
    ASSERT_TRUE(writeDemoData(again.path(), reporter));
    for (const char* file :
         {"game/ZEV.PRJ", "game/RMG/outpost.bwd", "home/data/odb/Groups.odb", "home/zevedit.ini"})
        EXPECT_EQ(common::readWholeFile(again.path() / file),
                  common::readWholeFile(dir_->path() / file))
            << file;
}

} // namespace
} // namespace zev::gamedata::demo
