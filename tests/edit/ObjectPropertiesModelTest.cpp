#include "edit/ObjectPropertiesModel.h"

#include "gamedata/ArchiveWriter.h"

#include "TempDir.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using mission::MissionObjectRecord;
using R = MissionObjectRecord;

namespace {

MissionObjectRecord standardObject() {
    R r = mission::support::sampleObject("tower", 100, 0, -250);
    r.setText(R::alternateName, "towerdst");
    r.setText(R::mainType, "cylinder");
    r.setText(R::alternateType, "null");
    r.setText(R::objectType, "glass");
    r.setText(R::objectParent, "fixed");
    r.setText(R::targetingInfo, "Radar Tower");
    r.setText(R::inspectionInfo, "A tall tower");
    r.setText(R::gamethingRole, "destroy");
    r.setText(R::areaFile, "3");
    r.setByte(R::collisionOn, 1);
    r.setByte(R::canTarget, 1);
    for (int axis = 0; axis < 3; ++axis) {
        r.setInt32(R::mainRotation(axis), 10 + axis);
        r.setInt32(R::chunkRotation(axis), 20 + axis);
        r.setInt32(R::alternateRotation(axis), 30 + axis);
    }
    return r;
}

MissionObjectRecord readyMadeObject() {
    R r = standardObject();
    r.setByte(R::readyMadeGroup, 1);
    return r;
}

} // namespace

TEST(ObjectProperties, ShowsTheRecordAndNamesItInTheCaption) {
    const ObjectPropertiesModel model(standardObject());
    const ObjectPropertyValues& v = model.shown();
    EXPECT_TRUE(model.detailsEnabled());
    EXPECT_EQ(model.caption(), "Object Property [Menu tower tower towerdst]");
    EXPECT_EQ(v.scale, (std::array<std::string, 3>{"1", "1", "1"}));
    EXPECT_EQ(v.position, (std::array<std::string, 3>{"100", "0", "-250"}));
    EXPECT_EQ(v.mainRotation[2], "12");
    EXPECT_EQ(v.chunkRotation[0], "20");
    EXPECT_EQ(v.alternateRotation[1], "31");
    EXPECT_EQ(v.hitsToDestroy, "3");
    EXPECT_TRUE(v.collisionOn && v.canTarget);
    EXPECT_EQ(v.roles, (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(v.mainType, 1);
    EXPECT_EQ(v.alternateType, 4);
    EXPECT_EQ(v.objectType, "glass");
    EXPECT_EQ(v.objectParent, "fixed");
    EXPECT_EQ(v.targetingInfo, "Radar Tower");
    EXPECT_EQ(v.inspectionInfo, "A tall tower");
    EXPECT_EQ(v.alternateName, "towerdst");
    EXPECT_EQ(v.areaFile, 3);

    // Unchanged controls give back the record as it was.
    EXPECT_EQ(model.compose(v), standardObject());
}

TEST(ObjectProperties, RecognisesRoleWordsTypesAndAreasAsTheControlsCanShowThem) {
    R r = standardObject();
    r.setText(R::gamethingRole, "recon;defend");
    // A later word in radio order wins: "ground" comes after "cylinder".
    r.setText(R::mainType, "cylinder ground");
    r.setText(R::alternateType, "unknown");
    r.setText(R::objectType, "flame"); // offered elsewhere, not by this box
    r.setText(R::objectParent, "somewhere else");
    r.setText(R::areaFile, "12");
    ObjectPropertiesModel model(r);
    EXPECT_EQ(model.shown().roles, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(model.shown().mainType, 5);
    EXPECT_EQ(model.shown().alternateType, -1);
    EXPECT_EQ(model.shown().objectType, "");
    EXPECT_EQ(model.shown().objectParent, "somewhere else");
    EXPECT_EQ(model.shown().areaFile, 8);
    EXPECT_EQ(collisionTypeIndex("orthorotate"), 3);
    EXPECT_EQ(collisionTypeIndex(""), -1);

    r.setText(R::areaFile, "abc");
    EXPECT_EQ(ObjectPropertiesModel(r).shown().areaFile, 1);

    // The type is stored empty unless typed again; no alternate type entry keeps the field.
    const R out = model.compose(model.shown());
    EXPECT_EQ(out.text(R::objectType), "");
    EXPECT_EQ(out.text(R::alternateType), "unknown");
    EXPECT_EQ(out.text(R::mainType), "ground");
    EXPECT_EQ(out.text(R::gamethingRole), "defend;recon");
    EXPECT_EQ(out.text(R::areaFile), "8");
}

TEST(ObjectProperties, OkStoresTheRoleWordsNumbersAndTextsAsTyped) {
    EXPECT_EQ(roleText({false, false, false}), ".");
    EXPECT_EQ(roleText({true, true, true}), "defend;destroy;recon");
    EXPECT_EQ(roleText({false, true, true}), "destroy;recon");
    EXPECT_EQ(roleText({true, false, false}), "defend");

    const ObjectPropertiesModel model(standardObject());
    ObjectPropertyValues v = model.shown();
    v.scale = {"2", " 3x", "abc"};
    v.position = {"-40", "+7", ""};
    v.hitsToDestroy = "99999999999";
    v.chunkRotation[1] = "-5 degrees";
    v.collisionOn = false;
    v.roles = {false, false, false};
    v.mainType = 7;
    v.alternateType = 0;
    v.objectType = "my own type that runs far too long";
    v.objectParent = "world";
    v.targetingInfo = std::string(40, 't');
    v.inspectionInfo = std::string(60, 'i');
    v.alternateName = std::string(30, 'a');
    v.areaFile = 5;
    const R out = model.compose(v);
    EXPECT_EQ(out.int32(R::scale(0)), 2);
    EXPECT_EQ(out.int32(R::scale(1)), 3);
    EXPECT_EQ(out.int32(R::scale(2)), 0);
    EXPECT_EQ(out.int32(R::position(0)), -40);
    EXPECT_EQ(out.int32(R::position(1)), 7);
    EXPECT_EQ(out.int32(R::position(2)), 0);
    EXPECT_EQ(out.int32(R::hitsToDestroy), 2147483647);
    EXPECT_EQ(out.int32(R::chunkRotation(1)), -5);
    EXPECT_EQ(out.byte(R::collisionOn), 0);
    EXPECT_EQ(out.byte(R::canTarget), 1);
    EXPECT_EQ(out.text(R::gamethingRole), ".");
    EXPECT_EQ(out.text(R::mainType), "allpoly");
    EXPECT_EQ(out.text(R::alternateType), "orthorect");
    EXPECT_EQ(out.text(R::objectType), "my own type that runs fa");
    EXPECT_EQ(out.text(R::objectParent), "world");
    EXPECT_EQ(out.text(R::targetingInfo), std::string(29, 't'));
    EXPECT_EQ(out.text(R::inspectionInfo), std::string(49, 'i'));
    EXPECT_EQ(out.text(R::alternateName), std::string(24, 'a'));
    EXPECT_EQ(out.text(R::areaFile), "5");
    // What the dialog does not edit stays.
    EXPECT_EQ(out.text(R::menuText), "Menu tower");
    EXPECT_EQ(out.text(R::chunkName), "");
    EXPECT_EQ(out.byte(R::readyMadeGroup), 0);
}

TEST(ObjectProperties, AReadyMadeGroupLeavesItsDetailsUnfilledAndOkStoresThemEmpty) {
    const ObjectPropertiesModel model(readyMadeObject());
    const ObjectPropertyValues& v = model.shown();
    EXPECT_FALSE(model.detailsEnabled());
    EXPECT_EQ(v.position[0], "100");
    EXPECT_EQ(v.mainRotation[0], "10");
    EXPECT_EQ(v.mainType, 1);
    EXPECT_EQ(v.roles[1], true);
    EXPECT_EQ(v.areaFile, 3);
    EXPECT_EQ(v.hitsToDestroy, "");
    EXPECT_EQ(v.chunkRotation[0], "");
    EXPECT_EQ(v.alternateType, -1);
    EXPECT_FALSE(v.collisionOn || v.canTarget);
    EXPECT_EQ(v.objectParent, "");

    const R out = model.compose(v);
    EXPECT_EQ(out.int32(R::hitsToDestroy), 0);
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(out.int32(R::alternateRotation(axis)), 0);
        EXPECT_EQ(out.int32(R::chunkRotation(axis)), 0);
        EXPECT_EQ(out.int32(R::mainRotation(axis)), 10 + axis);
    }
    EXPECT_EQ(out.byte(R::collisionOn), 0);
    EXPECT_EQ(out.byte(R::canTarget), 0);
    for (auto field :
         {R::objectType, R::objectParent, R::targetingInfo, R::inspectionInfo, R::alternateName})
        EXPECT_EQ(out.text(field), "");
    EXPECT_EQ(out.text(R::alternateType), "null");
    EXPECT_EQ(out.text(R::mainType), "cylinder");
    EXPECT_EQ(out.text(R::gamethingRole), "destroy");
    EXPECT_EQ(out.text(R::areaFile), "3");
    EXPECT_EQ(out.byte(R::readyMadeGroup), 1);
}

TEST(ObjectProperties, TaskChangesReachTheRecordOnlyThroughCompose) {
    const R original = standardObject();
    ObjectPropertiesModel model(original);
    SpinnerValues spinner = model.tasks().spinner();
    spinner.enabled = true;
    spinner.period = "4";
    model.tasks().setSpinner(spinner);
    EXPECT_EQ(model.original(), original);
    EXPECT_EQ(model.summary()[0], "task spinner 4 tower;0,0,0,0 enabled(1)");
    const R out = model.compose(model.shown());
    EXPECT_EQ(out.byte(R::spinnerEnabled), 1);
    EXPECT_EQ(out.int16(R::spinnerPeriod), 4);
}

TEST(AmbientSoundChoices, OffersTheArchiveSoundsOrTheInventoryEnds) {
    EXPECT_EQ(ambientSoundChoices(""), (std::vector<std::string>{"1", "AEROTCH1", "WTRXPLO1"}));
    TempDir dir;
    EXPECT_EQ(ambientSoundChoices(dir.path()).size(), 3u) << "no archive there";

    gamedata::ArchiveWriter writer;
    writer.addSection("POLY").addEntry("TOWER", "tower.geo", std::string_view("x"));
    auto& sounds = writer.addSection("WAV");
    sounds.addEntry("BOOM1", "boom1.wav", std::string_view("riff"));
    sounds.addEntry("HUM2", "hum2.wav", std::string_view("riff"));
    sounds.addEntry("WAVEND", "wavend.dat");
    ASSERT_TRUE(writer.writeTo(dir / "ZEV.PRJ"));
    EXPECT_EQ(ambientSoundChoices(dir.path()), (std::vector<std::string>{"1", "BOOM1", "HUM2"}));
}
