#include "edit/ObjectDatabaseModel.h"
#include "edit/ObjectQuickAdd.h"

#include "common/FileIo.h"
#include "gamedata/ObjectGroups.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using common::MessageIcon;
using common::ReportedMessage;
using gamedata::ObjectGroupRecord;
using R = ObjectGroupRecord;
namespace fs = std::filesystem;

namespace {

R sampleRecord(const std::string& name, bool readyMade = false) {
    R r;
    r.setText(R::creatorTag, "someone");
    r.setText(R::formatVersion, "1.0");
    r.setText(R::objectName, name);
    r.setText(R::menuText, "Menu " + name);
    r.setText(R::mainType, "cylinder");
    r.setText(R::alternateType, "null");
    r.setText(R::objectType, "far");
    r.setText(R::objectParent, "fixed");
    r.setText(R::reservedText, "carried");
    r.setInt32(R::hitsToDestroy, 4);
    r.setByte(R::collisionOn, 1);
    r.setByte(R::readyMadeGroup, readyMade ? 1 : 0);
    for (int axis = 0; axis < 3; ++axis) {
        r.setInt32(R::scale(axis), 2 + axis);
        r.setInt32(R::reservedInt(axis), 100 * (axis + 1));
        r.setInt32(R::mainRotation(axis), 10 + axis);
    }
    r.setByte(R::reservedByte, 7);
    return r;
}

// A program directory with the groups "tanks.odb" (tank, ruin as a ready-made group, wall)
// and an empty "trees.odb".
struct Program {
    TempDir dir;
    common::RecordingReporter reporter;
    Program() {
        fs::create_directories(gamedata::objectGroupDirectory(dir.path()));
        for (const R& r : {sampleRecord("tank"), sampleRecord("ruin", true), sampleRecord("wall")})
            gamedata::appendObjectRecord(file("tanks.odb"), r);
        common::writeWholeFile(file("trees.odb"), std::string_view());
    }
    fs::path file(const std::string& name) const {
        return gamedata::objectGroupFilePath(dir.path(), name);
    }
    std::vector<std::uint8_t> bytes(const std::string& name) const {
        return common::readWholeFile(file(name)).value_or(std::vector<std::uint8_t>{});
    }
    std::vector<R> records(const std::string& name) const {
        return gamedata::readObjectGroup(file(name)).value_or(std::vector<R>{});
    }
};

DatabaseControls browsing(bool group, bool record) {
    DatabaseControls c;
    c.groupList = c.objectList = c.newGroup = true;
    c.newObject = c.deleteGroup = group;
    c.deleteObject = record;
    return c;
}

DatabaseControls editingControls() {
    DatabaseControls c;
    c.saveData = c.abortChanges = true;
    return c;
}

} // namespace

TEST(ObjectDatabase, BrowsesGroupsAndRecordsAndLocksEverythingButSaveAndAbortWhileEditing) {
    Program p;
    ObjectDatabaseModel model(p.dir.path(), p.reporter);
    EXPECT_EQ(model.groups(), (std::vector<std::string>{"tanks.odb", "trees.odb"}));
    EXPECT_EQ(model.controls(), browsing(false, false));
    EXPECT_FALSE(model.newObject());

    EXPECT_TRUE(model.chooseGroup(0));
    EXPECT_EQ(model.objects(), (std::vector<std::string>{"tank", "ruin", "wall"}));
    EXPECT_EQ(model.controls(), browsing(true, false));
    EXPECT_TRUE(model.chooseRecord(2));
    EXPECT_EQ(model.controls(), browsing(true, true));
    const ObjectRecordValues& v = model.values();
    EXPECT_EQ(v.objectName, "wall");
    EXPECT_EQ(v.hitsToDestroy, "4");
    EXPECT_EQ(v.scale, (std::array<std::string, 3>{"2", "3", "4"}));
    EXPECT_EQ(v.mainType, 1);
    EXPECT_EQ(v.alternateType, 4);
    EXPECT_TRUE(v.collisionOn);
    EXPECT_FALSE(v.canTarget);
    EXPECT_EQ(v.objectType, "far");
    EXPECT_TRUE(model.recordDetailsEnabled());

    // Filling the controls is no edit.
    model.setLoading(true);
    EXPECT_FALSE(model.edit(ObjectRecordValues{}));
    model.setLoading(false);
    EXPECT_FALSE(model.editing());

    ObjectRecordValues changed = v;
    changed.menuText = "Changed";
    EXPECT_TRUE(model.edit(changed));
    EXPECT_EQ(model.controls(), editingControls());
    EXPECT_EQ(model.saveMode(), SaveMode::Rewrite);
    EXPECT_FALSE(model.chooseGroup(1));
    EXPECT_FALSE(model.chooseRecord(0));
    EXPECT_FALSE(model.deleteObject());
    EXPECT_FALSE(model.newGroup("x"));

    // Abort reads the record again; a record choice resets the ready-made rule.
    EXPECT_TRUE(model.abortChanges());
    EXPECT_EQ(model.values().menuText, "Menu wall");
    EXPECT_EQ(model.controls(), browsing(true, true));
    EXPECT_TRUE(model.chooseRecord(1));
    EXPECT_FALSE(model.recordDetailsEnabled());
    EXPECT_TRUE(model.chooseRecord(0));
    EXPECT_TRUE(model.recordDetailsEnabled());

    // Another group: no record chosen, so Delete Object is off.
    EXPECT_TRUE(model.chooseGroup(1));
    EXPECT_TRUE(model.objects().empty());
    EXPECT_EQ(model.controls(), browsing(true, false));
    EXPECT_TRUE(p.reporter.messages.empty());
}

TEST(ObjectDatabase, WritesNothingBeforeSaveData) {
    Program p;
    const auto before = p.bytes("tanks.odb");
    ObjectDatabaseModel model(p.dir.path(), p.reporter);
    model.chooseGroup(0);
    model.chooseRecord(1);
    ObjectRecordValues v = model.values();
    v.objectName = "edited";
    model.edit(v);
    model.abortChanges();
    model.newObject();
    model.abortChanges();
    EXPECT_EQ(p.bytes("tanks.odb"), before);
    EXPECT_EQ(model.changes(), 0);
    EXPECT_EQ(model.editBuffer(), sampleRecord("ruin", true));
}

TEST(ObjectDatabase, NewObjectTakesTheFieldsWithoutControlsFromTheRecordViewedLast) {
    Program p;
    ObjectDatabaseModel fresh(p.dir.path(), p.reporter);
    fresh.chooseGroup(0);
    EXPECT_TRUE(fresh.newObject());
    EXPECT_EQ(fresh.saveMode(), SaveMode::Append);
    EXPECT_EQ(fresh.values(), ObjectRecordValues{});
    ObjectRecordValues v;
    v.objectName = "hut";
    v.hitsToDestroy = "12abc";
    v.scale = {"1", "x", "-3"};
    v.mainType = 6;
    fresh.edit(v);
    EXPECT_TRUE(fresh.saveData());
    auto records = p.records("tanks.odb");
    ASSERT_EQ(records.size(), 4u);
    const R hut = records[3];
    EXPECT_EQ(hut.text(R::creatorTag), "zevedit");
    EXPECT_EQ(hut.text(R::formatVersion), "3.0");
    EXPECT_EQ(hut.text(R::objectName), "hut");
    EXPECT_EQ(hut.int32(R::hitsToDestroy), 12);
    EXPECT_EQ(hut.int32(R::scale(1)), 0);
    EXPECT_EQ(hut.int32(R::scale(2)), -3);
    EXPECT_EQ(hut.text(R::mainType), "sphere");
    EXPECT_EQ(hut.text(R::alternateType), "");
    EXPECT_EQ(hut.text(R::reservedText), "");
    EXPECT_EQ(hut.int32(R::reservedInt(0)), 0);
    EXPECT_EQ(hut.byte(R::reservedByte), 0);
    // The new record is listed and chosen, back in browsing with rewrite.
    EXPECT_EQ(fresh.objects().back(), "hut");
    EXPECT_EQ(fresh.selectedRecord(), 3);
    EXPECT_EQ(fresh.saveMode(), SaveMode::Rewrite);
    EXPECT_EQ(fresh.controls(), browsing(true, true));
    EXPECT_EQ(fresh.changes(), 1);

    ObjectDatabaseModel viewed(p.dir.path(), p.reporter);
    viewed.chooseGroup(0);
    viewed.chooseRecord(0);
    viewed.newObject();
    v.objectName = "bunker";
    viewed.edit(v);
    viewed.saveData();
    records = p.records("tanks.odb");
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[4].text(R::reservedText), "carried");
    EXPECT_EQ(records[4].int32(R::reservedInt(2)), 300);
    EXPECT_EQ(records[4].byte(R::reservedByte), 7);
    // The type words are what the new object's radio groups show: none chosen, none saved.
    EXPECT_EQ(records[4].text(R::mainType), "sphere");
    EXPECT_EQ(records[4].text(R::alternateType), "");
    EXPECT_EQ(records[3], hut);

    // Typing with no record chosen makes a new object too.
    ObjectDatabaseModel typed(p.dir.path(), p.reporter);
    typed.chooseGroup(1);
    typed.edit(v);
    EXPECT_EQ(typed.saveMode(), SaveMode::Append);
    typed.saveData();
    EXPECT_EQ(p.records("trees.odb").size(), 1u);
    EXPECT_TRUE(p.reporter.messages.empty());
}

TEST(ObjectDatabase, RewriteReplacesOnlyTheChosenRecordAndKeepsItsFieldsWithoutControls) {
    Program p;
    const auto before = p.records("tanks.odb");
    ObjectDatabaseModel model(p.dir.path(), p.reporter);
    model.chooseGroup(0);
    model.chooseRecord(1);
    EXPECT_FALSE(model.recordDetailsEnabled());
    // The ready-made rule locks the scales; saving stores them as they stand.
    ObjectRecordValues v = model.values();
    v.objectName = "ruins";
    model.edit(v);
    EXPECT_FALSE(model.recordDetailsEnabled());
    v.readyMade = false;
    model.edit(v);
    EXPECT_TRUE(model.recordDetailsEnabled());
    v.readyMade = true;
    v.scale[0] = "9";
    model.edit(v);
    EXPECT_TRUE(model.saveData());

    const auto after = p.records("tanks.odb");
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[2], before[2]);
    R expected = before[1];
    expected.stamp();
    expected.setText(R::objectName, "ruins");
    expected.setInt32(R::scale(0), 9);
    EXPECT_EQ(after[1], expected);
    EXPECT_EQ(model.objects()[1], "ruins");
    EXPECT_EQ(model.selectedRecord(), 1);
    EXPECT_FALSE(model.editing());
}

TEST(ObjectDatabase, DeletesObjectsAndGroups) {
    Program p;
    ObjectDatabaseModel model(p.dir.path(), p.reporter);
    model.chooseGroup(0);
    model.chooseRecord(0);
    EXPECT_TRUE(model.deleteObject());
    EXPECT_EQ(model.objects(), (std::vector<std::string>{"ruin", "wall"}));
    EXPECT_EQ(model.selectedRecord(), -1);
    EXPECT_EQ(model.controls(), browsing(true, false));
    EXPECT_EQ(p.bytes("tanks.odb").size(), 2 * R::size);

    EXPECT_TRUE(model.deleteGroup());
    EXPECT_FALSE(fs::exists(p.file("tanks.odb")));
    EXPECT_EQ(model.groups(), (std::vector<std::string>{"trees.odb"}));
    EXPECT_EQ(model.selectedGroup(), -1);
    EXPECT_TRUE(model.objects().empty());
    EXPECT_EQ(model.controls(), browsing(false, false));
    EXPECT_EQ(model.changes(), 2);
    EXPECT_TRUE(p.reporter.messages.empty());
}

TEST(ObjectDatabase, FailuresReportTheirMessagesAndLeaveTheFilesUnchanged) {
    Program p;
    ObjectDatabaseModel model(p.dir.path(), p.reporter);
    model.chooseGroup(0);
    model.chooseRecord(0);
    // Another program empties the group behind the editor's back.
    common::writeWholeFile(p.file("tanks.odb"), std::string_view());

    EXPECT_FALSE(model.chooseRecord(1));
    EXPECT_FALSE(model.deleteObject()); // nothing chosen any more
    model.chooseGroup(0);
    model.abortChanges();
    ObjectRecordValues v;
    v.objectName = "x";
    model.edit(v);
    EXPECT_EQ(model.saveMode(), SaveMode::Append);

    ObjectDatabaseModel stale(p.dir.path(), p.reporter);
    stale.chooseGroup(1);
    fs::remove(p.file("trees.odb"));
    fs::create_directories(p.file("trees.odb") / "inside"); // a group that no longer opens
    stale.newObject();
    stale.edit(v);
    EXPECT_FALSE(stale.saveData());
    EXPECT_TRUE(stale.editing());
    EXPECT_FALSE(stale.deleteGroup());
    stale.abortChanges();
    EXPECT_FALSE(stale.chooseGroup(1));
    EXPECT_TRUE(stale.objects().empty());
    EXPECT_EQ(stale.values(), ObjectRecordValues{});
    EXPECT_FALSE(stale.deleteGroup());
    EXPECT_TRUE(fs::is_directory(p.file("trees.odb")));

    ObjectDatabaseModel rewrite(p.dir.path(), p.reporter);
    common::writeWholeFile(p.file("tanks.odb"), std::span(sampleRecord("one").bytes()));
    rewrite.chooseGroup(0);
    rewrite.chooseRecord(0);
    common::writeWholeFile(p.file("tanks.odb"), std::string_view("short"));
    rewrite.edit(v);
    EXPECT_FALSE(rewrite.saveData());
    rewrite.abortChanges();
    EXPECT_EQ(rewrite.selectedRecord(), -1);
    EXPECT_EQ(p.bytes("tanks.odb"), (std::vector<std::uint8_t>{'s', 'h', 'o', 'r', 't'}));

    const ReportedMessage recordError{"Could not open File!", "File Error..", MessageIcon::Stop};
    const ReportedMessage writeError{"Error Opening Data Group File(odb)!", "Object Database...",
                                     MessageIcon::Stop};
    const ReportedMessage listError{"FileError...", "Could Not Open File!",
                                    MessageIcon::Information};
    const ReportedMessage deleteError{"Error deleting ODB File..", "Object Database",
                                      MessageIcon::Stop};
    EXPECT_EQ(p.reporter.messages,
              (std::vector<ReportedMessage>{recordError, writeError, listError, deleteError,
                                            writeError, recordError}));
    EXPECT_EQ(model.changes() + stale.changes() + rewrite.changes(), 0);
}

TEST(ObjectDatabase, NewGroupCreatesTheNameAsTypedAndRefusesNamesThatWouldHarmFiles) {
    Program p;
    ObjectDatabaseModel model(p.dir.path(), p.reporter);
    EXPECT_TRUE(model.newGroup(""));
    EXPECT_EQ(model.groups(), (std::vector<std::string>{".odb", "tanks.odb", "trees.odb"}));
    EXPECT_EQ(model.selectedGroup(), 0);
    EXPECT_EQ(gamedata::listObjectGroupNames(p.dir.path())[0], "");
    EXPECT_TRUE(model.newGroup("rocks"));
    EXPECT_EQ(model.groups()[model.selectedGroup()], "rocks.odb");
    EXPECT_EQ(model.changes(), 2);

    const auto before = p.bytes("tanks.odb");
    EXPECT_FALSE(model.newGroup("../escape"));
    EXPECT_FALSE(model.newGroup("a/b"));
    EXPECT_FALSE(model.newGroup("TANKS"));
    EXPECT_EQ(p.bytes("tanks.odb"), before);
    EXPECT_FALSE(fs::exists(p.dir / "data/escape.odb"));
    const ReportedMessage bad{gamedata::kBadGroupNameError, "New Object Group Creation",
                              MessageIcon::Stop};
    const ReportedMessage exists{kGroupExistsError, "New Object Group Creation", MessageIcon::Stop};
    EXPECT_EQ(p.reporter.messages, (std::vector<ReportedMessage>{bad, bad, exists}));
    EXPECT_EQ(model.groups()[model.selectedGroup()], "rocks.odb");
}

TEST(ObjectQuickAdd, PrefillsFromTheGeometryAndAppendsARecordWithZeroReservedFields) {
    Program p;
    ObjectQuickAddModel model(p.dir.path(), "watchtwr.geo", p.reporter);
    EXPECT_EQ(model.caption(), "ZEVEDIT 3D Object Database Quick Add [watchtwr.geo]");
    EXPECT_EQ(model.selectedGroup(), 0);
    const ObjectRecordValues& v = model.prefill();
    EXPECT_EQ(v.objectName, "watchtwr");
    EXPECT_EQ(v.menuText, "watchtwr");
    EXPECT_EQ(v.scale, (std::array<std::string, 3>{"1", "1", "1"}));
    EXPECT_GE(v.mainType, 0);
    EXPECT_GE(v.alternateType, 0);

    model.chooseGroup(1);
    ObjectRecordValues typed = v;
    typed.readyMade = true; // no such box here: always 0
    typed.hitsToDestroy = "3";
    EXPECT_TRUE(model.add(typed));
    const auto records = p.records("trees.odb");
    ASSERT_EQ(records.size(), 1u);
    R expected;
    expected.stamp();
    expected.setText(R::objectName, "watchtwr");
    expected.setText(R::menuText, "watchtwr");
    expected.setText(R::mainType, gamedata::kCollisionTypes[v.mainType]);
    expected.setText(R::alternateType, gamedata::kCollisionTypes[v.alternateType]);
    expected.setText(R::objectType, v.objectType);
    expected.setText(R::objectParent, v.objectParent);
    expected.setInt32(R::hitsToDestroy, 3);
    for (int axis = 0; axis < 3; ++axis)
        expected.setInt32(R::scale(axis), 1);
    EXPECT_EQ(records[0], expected);

    EXPECT_TRUE(model.newGroup("new"));
    EXPECT_EQ(model.groups()[model.selectedGroup()], "new.odb");
    EXPECT_EQ(model.changes(), 2);

    TempDir empty;
    ObjectQuickAddModel nowhere(empty.path(), "x", p.reporter);
    EXPECT_EQ(nowhere.selectedGroup(), -1);
    EXPECT_FALSE(nowhere.add(nowhere.prefill()));
    EXPECT_EQ(p.reporter.messages,
              (std::vector<ReportedMessage>{{"Error Opening Data Group File(odb)!",
                                             "Object Database Quick Add", MessageIcon::Stop}}));
}
