#include "gamedata/ObjectGroups.h"
#include "gamedata/GroupRecordCopy.h"

#include "common/FileIo.h"
#include "common/LittleEndian.h"
#include "mission/MissionObjectRecord.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

#include <cstring>

namespace zev::gamedata {
namespace {

namespace fs = std::filesystem;
using R = ObjectGroupRecord;

R record(const std::string& menu, const std::string& object = "obj") {
    R r;
    r.stamp();
    r.setText(R::menuText, menu);
    r.setText(R::objectName, object);
    return r;
}

std::vector<std::uint8_t> image(const std::vector<R>& records, std::size_t tail = 0) {
    std::vector<std::uint8_t> out;
    for (const R& r : records)
        out.insert(out.end(), r.bytes().begin(), r.bytes().end());
    out.insert(out.end(), tail, 0xEE);
    return out;
}

class ObjectGroups : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(objectGroupDirectory(home.path())); }
    fs::path group(const std::string& fileName) {
        return objectGroupDirectory(home.path()) / fileName;
    }
    void write(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(common::writeWholeFile(group(fileName), bytes));
    }
    std::vector<std::string> menus(const std::string& name) {
        return listMenuTexts(home.path(), name);
    }
    TempDir home;
};

TEST(ObjectGroupRecord, PacksItsFieldsWithoutGaps) {
    R r;
    r.setText(R::targetingInfo, std::string(40, 't'));
    r.setInt32(R::hitsToDestroy, 0x11223344);
    r.setByte(R::collisionOn, 1);
    r.setByte(R::canTarget, 1);
    r.setByte(R::readyMadeGroup, 1);
    for (int a = 0; a < 3; ++a) {
        r.setInt32(R::scale(a), 10 + a);
        r.setInt32(R::reservedInt(a), 20 + a);
        r.setInt32(R::mainRotation(a), 30 + a);
        r.setInt32(R::chunkRotation(a), 40 + a);
        r.setInt32(R::alternateRotation(a), 50 + a);
    }
    r.setByte(R::reservedByte, 0x99);
    const std::uint8_t* b = r.bytes().data();
    EXPECT_EQ(b[295], 't');
    EXPECT_EQ(b[296], 0); // targeting info holds 29 characters
    EXPECT_EQ(common::getI32(b + 297), 0x11223344);
    EXPECT_EQ(b[301] + b[302] + b[303], 3);
    const int expected[][2] = {{304, 10}, {312, 12}, {316, 20}, {324, 22},
                               {328, 30}, {340, 40}, {352, 50}, {360, 52}};
    for (const auto& [offset, value] : expected)
        EXPECT_EQ(common::getI32(b + offset), value) << offset;
    EXPECT_EQ(b[364], 0x99);

    R texts;
    texts.stamp();
    texts.setText(R::menuText, "Menu");
    texts.setText(R::objectName, "tower1");
    texts.setText(R::alternateType, "sphere");
    texts.setText(R::reservedText, "kept");
    const std::uint8_t* t = texts.bytes().data();
    EXPECT_STREQ(reinterpret_cast<const char*>(t), "zevedit");
    EXPECT_STREQ(reinterpret_cast<const char*>(t + 16), "3.0");
    EXPECT_STREQ(reinterpret_cast<const char*>(t + 32), "Menu");
    EXPECT_STREQ(reinterpret_cast<const char*>(t + 67), "tower1");
    EXPECT_STREQ(reinterpret_cast<const char*>(t + 192), "sphere");
    EXPECT_STREQ(reinterpret_cast<const char*>(t + 242), "kept");
}

TEST_F(ObjectGroups, ListsGroupFilesByNameUpToTheFirstDot) {
    write("walls.odb", {});
    write("Rocks.ODB", {});
    write("old.walls.odb", {});
    write("notes.txt", {});
    write(".odb", {});
    fs::create_directories(group("dir.odb"));
    EXPECT_EQ(listObjectGroupFiles(home.path()),
              (std::vector<std::string>{".odb", "old.walls.odb", "Rocks.ODB", "walls.odb"}));
    EXPECT_EQ(listObjectGroupNames(home.path()),
              (std::vector<std::string>{"", "old", "Rocks", "walls"}));
    TempDir empty;
    EXPECT_TRUE(listObjectGroupFiles(empty.path()).empty());
}

TEST_F(ObjectGroups, ListsMenuTextsOfWholeRecordsOnly) {
    write("walls.odb", image({record("Wall A"), record("Wall B")}, 200));
    write("empty.odb", {});
    EXPECT_EQ(menus("walls"), (std::vector<std::string>{"Wall A", "Wall B"}));
    EXPECT_EQ(menus("WALLS"), (std::vector<std::string>{"Wall A", "Wall B"}));
    EXPECT_TRUE(menus("empty").empty());
    EXPECT_TRUE(menus("missing").empty());
    EXPECT_TRUE(menus("").empty());
}

TEST_F(ObjectGroups, ReadsAndRewritesOneRecordInPlace) {
    write("g.odb", image({record("A"), record("B"), record("C")}, 10));
    const auto b = readObjectRecord(group("g.odb"), 1);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->text(R::menuText), "B");
    EXPECT_FALSE(readObjectRecord(group("g.odb"), 3)); // only the partial tail there
    EXPECT_FALSE(readObjectRecord(group("missing.odb"), 0));

    ASSERT_TRUE(rewriteObjectRecord(group("g.odb"), 1, record("B2")));
    EXPECT_FALSE(rewriteObjectRecord(group("g.odb"), 3, record("D")));
    EXPECT_FALSE(rewriteObjectRecord(group("missing.odb"), 0, record("D")));
    EXPECT_EQ(fs::file_size(group("g.odb")), 3 * 365u + 10);
    EXPECT_EQ(menus("g"), (std::vector<std::string>{"A", "B2", "C"}));
}

TEST_F(ObjectGroups, AppendsToEmptyAndMissingGroups) {
    write("empty.odb", {});
    ASSERT_TRUE(appendObjectRecord(group("empty.odb"), record("First")));
    ASSERT_TRUE(appendObjectRecord(group("empty.odb"), record("Second")));
    EXPECT_EQ(menus("empty"), (std::vector<std::string>{"First", "Second"}));
    ASSERT_TRUE(appendObjectRecord(group("new.odb"), record("Only")));
    EXPECT_EQ(fs::file_size(group("new.odb")), 365u);
}

TEST_F(ObjectGroups, AppendsAfterAPartialTailOnARecordBoundary) {
    // Written after the 100 stray bytes, the new record would shift out of step and the group
    // would list a garbled record.
    write("g.odb", image({record("A")}, 100));
    ASSERT_TRUE(appendObjectRecord(group("g.odb"), record("B")));
    EXPECT_EQ(fs::file_size(group("g.odb")), 730u);
    EXPECT_EQ(menus("g"), (std::vector<std::string>{"A", "B"}));
}

TEST_F(ObjectGroups, DeletesARecordAndClosesTheGap) {
    R a = record("A");
    a.setByte(R::reservedByte, 7);
    a.setText(R::reservedText, "carried");
    write("g.odb", image({record("Zero"), a, record("B")}, 50));
    ASSERT_TRUE(deleteObjectRecord(group("g.odb"), 0));
    EXPECT_EQ(fs::file_size(group("g.odb")), 730u); // the partial tail is gone too
    const auto records = readObjectGroup(group("g.odb"));
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[0], a); // byte for byte
    EXPECT_EQ((*records)[1].text(R::menuText), "B");

    ASSERT_TRUE(deleteObjectRecord(group("g.odb"), 1));
    EXPECT_EQ(menus("g"), (std::vector<std::string>{"A"}));
}

TEST_F(ObjectGroups, RefusesToDeleteARecordThatIsNotThere) {
    const auto bytes = image({record("A"), record("B")}, 3);
    write("g.odb", bytes);
    EXPECT_FALSE(deleteObjectRecord(group("g.odb"), 2));
    EXPECT_FALSE(deleteObjectRecord(group("missing.odb"), 0));
    EXPECT_EQ(common::readWholeFile(group("g.odb")), bytes);
}

TEST_F(ObjectGroups, CreatesAndEmptiesGroupsByName) {
    common::RecordingReporter reporter;
    write("walls.odb", image({record("A")}));
    ASSERT_TRUE(createObjectGroup(home.path(), "walls", reporter));
    EXPECT_EQ(fs::file_size(group("walls.odb")), 0u);
    ASSERT_TRUE(createObjectGroup(home.path(), "Towers", reporter));
    EXPECT_TRUE(fs::exists(group("Towers.odb")));
    // An empty name gives a file of the extension alone.
    ASSERT_TRUE(createObjectGroup(home.path(), "", reporter));
    EXPECT_TRUE(fs::exists(group(".odb")));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ObjectGroups, RefusesGroupNamesThatLeadOutOfTheGroupDirectory) {
    // A dot would list the file as another group ("v1.2.odb" as "v1"); "x." would give "x..odb".
    for (const char* name : {"../evil", "..", "a/b", "a\\b", "/tmp/x", "x..y", "x.", "v1.2"}) {
        common::RecordingReporter reporter;
        EXPECT_FALSE(createObjectGroup(home.path(), name, reporter)) << name;
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].caption, "New Object Group Creation");
        EXPECT_EQ(reporter.messages[0].icon, common::MessageIcon::Stop);
    }
    EXPECT_FALSE(fs::exists(home.path() / "data" / "evil.odb"));
    EXPECT_TRUE(isAcceptableGroupName("Walls 2"));
}

TEST_F(ObjectGroups, MakesAMissingGroupDirectoryAndReportsTheFileThatCouldNotBeCreated) {
    TempDir fresh;
    common::RecordingReporter reporter;
    EXPECT_TRUE(createObjectGroup(fresh.path(), "walls", reporter));
    EXPECT_TRUE(fs::exists(objectGroupDirectory(fresh.path()) / "walls.odb"));

    // A file where the group directory should be: nothing can be created there.
    TempDir blocked;
    fs::create_directories(blocked.path() / "data");
    std::ofstream(blocked.path() / "data" / "odb") << "not a directory";
    EXPECT_FALSE(createObjectGroup(blocked.path(), "walls", reporter));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              (objectGroupDirectory(blocked.path()) / "walls.odb").string());
    EXPECT_EQ(reporter.messages[0].caption, "Error Creating File!");
    EXPECT_EQ(reporter.messages[0].icon, common::MessageIcon::Information);
}

TEST_F(ObjectGroups, DeletesGroupFiles) {
    write("walls.odb", {});
    common::RecordingReporter reporter;
    ASSERT_TRUE(deleteObjectGroup(home.path(), "walls.odb", reporter));
    EXPECT_FALSE(fs::exists(group("walls.odb")));
    EXPECT_FALSE(deleteObjectGroup(home.path(), "walls.odb", reporter));
    EXPECT_FALSE(deleteObjectGroup(home.path(), "../zevedit.ini", reporter));
    EXPECT_FALSE(deleteObjectGroup(home.path(), "..", reporter));
    ASSERT_EQ(reporter.messages.size(), 3u);
    // A listed file of an older version's odd name can be deleted like any other.
    write("x..odb", {});
    ASSERT_EQ(listObjectGroupFiles(home.path()), std::vector<std::string>{"x..odb"});
    EXPECT_TRUE(deleteObjectGroup(home.path(), "x..odb", reporter));
    EXPECT_TRUE(listObjectGroupFiles(home.path()).empty());
    EXPECT_EQ(reporter.messages[0],
              (common::ReportedMessage{"Error deleting ODB File..", "Object Database",
                                       common::MessageIcon::Stop}));
}

TEST(GroupRecordCopy, PutsTheGroupFieldsAtTheMissionObjectsOffsets) {
    R r;
    for (std::size_t i = 0; i < R::size; ++i)
        r.bytes()[i] = std::uint8_t(i * 7 + 1); // every byte distinct from its neighbours
    mission::MissionObjectRecord m;
    m.setText(mission::MissionObjectRecord::areaFile, "a1");
    copyGroupRecordInto(r, m);
    const auto* g = r.bytes().data();
    const auto* o = m.bytes().data();
    // Texts keep every byte of their fields, the bytes after the terminator too.
    EXPECT_EQ(0, std::memcmp(o, g, 297));
    EXPECT_EQ(common::getI32(o + 300), common::getI32(g + 297));
    EXPECT_EQ(o[304], g[301]);
    EXPECT_EQ(o[305], g[302]);
    EXPECT_EQ(o[306], g[303]);
    // Scale, reserved integers (the position), main, chunk and alternate rotations.
    EXPECT_EQ(0, std::memcmp(o + 308, g + 304, 60));
    EXPECT_EQ(o[368], g[364]);
    EXPECT_EQ(o[297], 0); // the alignment gap stays empty
    EXPECT_EQ(m.text(mission::MissionObjectRecord::areaFile), "a1");
    EXPECT_EQ(m.position(0).offset, 320u);
    EXPECT_EQ(m.int32(mission::MissionObjectRecord::position(2)), r.int32(R::reservedInt(2)));
}

TEST(ObjectGroupRecords, AreReadFromWholeRecordsOfAnImage) {
    EXPECT_TRUE(recordsFromBytes(std::vector<std::uint8_t>(364, 1)).empty());
    const auto records = recordsFromBytes(image({record("A"), record("B")}, 364));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].text(R::menuText), "B");
}

} // namespace
} // namespace zev::gamedata
