// The eight area files of the object script, compared whole and byte for byte.

#include "BuildSupport.h"
#include "DecimalCommaLocale.h"

#include "build/HeadlessScene.h"

#include <gtest/gtest.h>

using namespace zev::build;
using namespace zev::build::test;
using zev::mission::MissionObjectRecord;
using R = zev::mission::MissionObjectRecord;

namespace {

const std::string kHeader = "mangle_on\r\n"
                            "block -346771,-16473,-336214 698624,90632,698625\r\n";
const std::string kTrailer = "endblock\r\nmangle_off\r\n";
const std::string kEmptyArea = kHeader + kTrailer;

std::string area(const std::string& sections) {
    return kHeader + textMode(sections) + kTrailer;
}

void expectEmptyAreasExcept(const BuildRun& run, std::initializer_list<int> used) {
    for (int a = 1; a <= 8; ++a) {
        if (std::find(used.begin(), used.end(), a) != used.end())
            continue;
        EXPECT_EQ(run.read("are" + std::to_string(a) + ".wld"), kEmptyArea) << "area " << a;
    }
}

void setTriple(R& r, zev::common::Int32Field (*field)(int), int x, int y, int z) {
    r.setInt32(field(0), x);
    r.setInt32(field(1), y);
    r.setInt32(field(2), z);
}

void setPathPoint(R& r, int p, std::array<int, 7> v) {
    r.setByte(R::pathPointEnabled(p), 1);
    for (int axis = 0; axis < 3; ++axis) {
        r.setInt32(R::pathPointPosition(p, axis), v[axis]);
        r.setInt16(R::pathPointRotation(p, axis), static_cast<std::int16_t>(v[3 + axis]));
    }
    r.setInt16(R::pathPointTime(p), static_cast<std::int16_t>(v[6]));
}

// An object with every field the script knows set, and every task enabled.
R fullObject() {
    R r = plainObject("bldg01");
    r.setText(R::objectType, "flame");
    r.setText(R::objectParent, "fixed");
    r.setText(R::alternateName, "bldg01d");
    r.setText(R::chunkName, "chunk01");
    r.setByte(R::collisionOn, 1);
    r.setByte(R::canTarget, 1);
    r.setInt32(R::hitsToDestroy, 25);
    r.setText(R::gamethingRole, "defend;destroy");
    r.setText(R::targetingInfo, "Command Post");
    r.setText(R::inspectionInfo, "Holds the uplink");
    setTriple(r, R::scale, 2, 3, 4);
    setTriple(r, R::mainRotation, 10, 20, 30);
    setTriple(r, R::chunkRotation, 7, 8, 9);
    setTriple(r, R::alternateRotation, 4, 5, 6);

    r.setByte(R::spinnerEnabled, 1);
    r.setInt16(R::spinnerPeriod, 3);
    r.setInt16(R::spinnerRotation(0), 0);
    r.setInt16(R::spinnerRotation(1), 90);
    r.setInt16(R::spinnerRotation(2), -45);
    r.setFloat32(R::spinnerTime, 2.5f);

    r.setByte(R::colorSpinEnabled, 1);
    r.setInt16(R::colorSpinPeriod, 4);
    for (int c = 0; c < R::colorSpinColorCount; ++c)
        r.setInt16(R::colorSpinColor(c), static_cast<std::int16_t>(10 + c));

    r.setByte(R::flyCircleEnabled, 1);
    r.setInt16(R::flyCirclePeriod, 5);
    r.setInt32(R::flyCircleRadius, 700);
    r.setInt16(R::flyCircleInterval, 12);
    r.setByte(R::flyCircleActive, 1);

    r.setByte(R::ambientSoundEnabled, 1);
    r.setInt32(R::ambientSoundRadius, 300);
    r.setText(R::ambientSoundFile, "WTRXPLO1");
    r.setByte(R::ambientSoundActive, 1);

    r.setByte(R::pathEnabled, 1);
    r.setInt16(R::pathPeriod, 6);
    r.setText(R::pathLooping, "loop");
    r.setText(R::pathRotation, "norotate");
    setPathPoint(r, 0, {100, 200, 300, 10, 20, 30, 5});
    setPathPoint(r, 1, {1, 1, 1, 1, 1, 1, 1});
    r.setByte(R::pathPointEnabled(1), 0); // values kept, point off
    setPathPoint(r, 2, {-100, 0, 50, 0, -90, 0, 15});
    return r;
}

R readyMadeGroup() {
    R r = plainObject("rmg_base");
    r.setByte(R::readyMadeGroup, 1);
    setTriple(r, R::mainRotation, 0, 45, 0);
    // Fields a group ignores.
    r.setText(R::alternateName, "ignored");
    r.setText(R::chunkName, "ignored");
    r.setByte(R::canTarget, 1);
    r.setByte(R::collisionOn, 1);
    r.setByte(R::spinnerEnabled, 1);
    r.setByte(R::ambientSoundEnabled, 1);
    return r;
}

} // namespace

TEST(ObjectScript, AMissionWithoutObjectsHasEightAreaFilesOfHeaderAndTrailerOnly) {
    BuildRun run;
    ASSERT_TRUE(run.build());
    expectEmptyAreasExcept(run, {});
    EXPECT_FALSE(run.read("are0.wld"));
    EXPECT_FALSE(run.read("are9.wld"));
}

TEST(ObjectScript, AStandardObjectWritesEveryRowAndTaskInOrder) {
    BuildRun run;
    R plain = plainObject("tree01");
    plain.setText(R::areaFile, "2");
    run.addObject(plain, {0, 0, 0});
    run.addObject(fullObject(), {1200, -300, 4500});
    ASSERT_TRUE(run.build());

    EXPECT_EQ(run.read("are1.wld"),
              area("\n"
                   "#   Object number 2 def begin\n"
                   "       path object_main1_path\n"
                   "         100 200 300 10 20 30 5\n"
                   "         -100 0 50 0 -90 0 15\n"
                   "       end\n"
                   "       object object_alt1=bldg01d 2,3,4 4,5,6 1200,-300,4500 0 none world\n"
                   "          collision object_alt1 cylinder\n"
                   "       object object_main1=bldg01 2,3,4 10,20,30 1200,-300,4500 0 flame fixed\n"
                   "          collision object_main1 orthorect\n"
                   "          gamething object_main1 25 object_alt1 defend;destroy "
                   "\"Command Post\" \"Holds the uplink\"\n"
                   "       object object_chunk11=chunk01 2,3,4 7,8,9 1200,-300,4500 0 none "
                   "object_alt1\n"
                   "          gamething object_chunk11 0 . . \"none\" chunky\n"
                   "       task spinner 3 object_main1;0,90,-45,2.500000\n"
                   "       task colorspin 4 object_main1;10,11,12,13 14 15 16 17 18 19 20 21 22 "
                   "23 24 25\n"
                   "       task flycircle 5 object_main1;700,12 1\n"
                   "       task ambientsound 0 object_main1;300,WTRXPLO1,1\n"
                   "       task path 6 object_main1;loop,norotate,object_main1_path\n"
                   "#   Object number 2 def end\n"));
    EXPECT_EQ(run.read("are2.wld"),
              area("\n"
                   "#   Object number 1 def begin\n"
                   "       object object_main0=tree01 1,1,1 0,0,0 0,0,0 0 none world\n"
                   "#   Object number 1 def end\n"));
    expectEmptyAreasExcept(run, {1, 2});
}

TEST(ObjectScript, TargetingRowsFollowCanTargetAlternateNameAndChunk) {
    BuildRun run;
    // Can target without an alternate name: a dot stands for the alternate object.
    R tower = plainObject("tower");
    tower.setByte(R::canTarget, 1);
    tower.setByte(R::collisionOn, 1);
    tower.setInt32(R::hitsToDestroy, 10);
    tower.setText(R::gamethingRole, "recon");
    tower.setText(R::inspectionInfo, "Tower");
    tower.setText(R::chunkName, "tchunk");
    run.addObject(tower);
    // Alternate name and chunk without can target: neither is written.
    R wall = plainObject("wall");
    wall.setText(R::alternateName, "walld");
    wall.setText(R::chunkName, "wchunk");
    wall.setInt32(R::hitsToDestroy, 3);
    run.addObject(wall, {-1, 2, -3});
    ASSERT_TRUE(run.build());

    EXPECT_EQ(run.read("are1.wld"),
              area("\n"
                   "#   Object number 1 def begin\n"
                   "       object object_main0=tower 1,1,1 0,0,0 0,0,0 0 none world\n"
                   "          collision object_main0 orthorect\n"
                   "          gamething object_main0 10 . recon \"\" \"Tower\"\n"
                   "       object object_chunk10=tchunk 1,1,1 0,0,0 0,0,0 0 none object_alt0\n"
                   "          gamething object_chunk10 0 . . \"none\" chunky\n"
                   "#   Object number 1 def end\n"
                   "\n"
                   "#   Object number 2 def begin\n"
                   "       object object_main1=wall 1,1,1 0,0,0 -1,2,-3 0 none world\n"
                   "#   Object number 2 def end\n"));
}

TEST(ObjectScript, AReadyMadeGroupWritesItsTransformAndIncludeAndAPathOnlyWhenEnabled) {
    BuildRun run;
    R group = readyMadeGroup();
    run.addObject(group, {500, 0, -500});
    R moving = readyMadeGroup();
    moving.setText(R::areaFile, "4");
    moving.setByte(R::pathEnabled, 1);
    moving.setInt16(R::pathPeriod, 9);
    setPathPoint(moving, 7, {1, 2, 3, 4, 5, 6, 7});
    run.addObject(moving, {0, 100, 0});
    ASSERT_TRUE(run.build());

    EXPECT_EQ(run.read("are1.wld"), area("\n"
                                         "#   Object number 1 def begin\n"
                                         "       block_xform 1,1,1 0,45,0 500,0,-500\n"
                                         "       include rmg_base\n"
                                         "#   Object number 1 def end\n"));
    EXPECT_EQ(run.read("are4.wld"), area("\n"
                                         "#   Object number 2 def begin\n"
                                         "       path object_main1_path\n"
                                         "         1 2 3 4 5 6 7\n"
                                         "       end\n"
                                         "       block_xform 1,1,1 0,45,0 0,100,0\n"
                                         "       include rmg_base\n"
                                         "#   Object number 2 def end\n"));
    expectEmptyAreasExcept(run, {1, 4});
}

TEST(ObjectScript, ObjectsAreNumberedInSceneOrderAcrossAreasSkippingGroupMembers) {
    BuildRun run;
    R first = plainObject("first");
    first.setText(R::areaFile, "3");
    R second = plainObject("second");
    second.setText(R::areaFile, "3");
    const int a = run.addObject(first, {1, 1, 1});
    const int b = run.addObject(second, {2, 2, 2});
    // The workspace lists the second object first, with a group member frame between.
    run.scene.objects = {{b, "second", {2, 2, 2}},
                         {zev::mission::kReadyMadeMemberTag, "member", {9, 9, 9}},
                         {a, "first", {1, 1, 1}}};
    ASSERT_TRUE(run.build());

    EXPECT_EQ(run.read("are3.wld"),
              area("\n"
                   "#   Object number 1 def begin\n"
                   "       object object_main0=second 1,1,1 0,0,0 2,2,2 0 none world\n"
                   "#   Object number 1 def end\n"
                   "\n"
                   "#   Object number 2 def begin\n"
                   "       object object_main1=first 1,1,1 0,0,0 1,1,1 0 none world\n"
                   "#   Object number 2 def end\n"));
    expectEmptyAreasExcept(run, {3});
}

TEST(ObjectScript, AnAreaOutsideOneToEightLeavesTheObjectOutButKeepsItsNumber) {
    BuildRun run;
    for (const char* areaText : {"9", "0", "x", "-1", ""}) {
        R lost = plainObject("lost");
        lost.setText(R::areaFile, areaText);
        run.addObject(lost);
    }
    R kept = plainObject("kept");
    kept.setText(R::areaFile, " 8");
    run.addObject(kept);
    ASSERT_TRUE(run.build());

    EXPECT_EQ(run.read("are8.wld"),
              area("\n"
                   "#   Object number 6 def begin\n"
                   "       object object_main5=kept 1,1,1 0,0,0 0,0,0 0 none world\n"
                   "#   Object number 6 def end\n"));
    expectEmptyAreasExcept(run, {8});
}

TEST(ObjectScript, AHeadlessBuildWritesObjectsAtOneHundredTimesTheTruncatedWorkspacePosition) {
    BuildRun run;
    R object = plainObject("crate");
    object.setInt32(R::position(0), 150);  // 1.5 in the workspace
    object.setInt32(R::position(1), -270); // -2.7
    object.setInt32(R::position(2), 1000); // 10.0
    zev::common::SilentReporter silent;
    const int slot = *run.document->objects.allocate(silent);
    run.document->objects.place(slot, object);
    const HeadlessScene scene(*run.document);
    ASSERT_TRUE(buildMission(*run.document, scene, run.home.path(), run.reporter));

    EXPECT_EQ(run.read("are1.wld"),
              area("\n"
                   "#   Object number 1 def begin\n"
                   "       object object_main0=crate 1,1,1 0,0,0 100,-200,1000 0 none world\n"
                   "#   Object number 1 def end\n"));
}

// A GUI program runs in the user's locale: a German one writes "%f" with a decimal comma.
TEST(ObjectScript, TheSpinnerTimeKeepsItsDecimalPointUnderADecimalCommaLocale) {
    DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << comma.why();
    BuildRun run;
    R spinning = plainObject("fan");
    spinning.setByte(R::spinnerEnabled, 1);
    spinning.setInt16(R::spinnerPeriod, 2);
    spinning.setFloat32(R::spinnerTime, 1.5f);
    run.addObject(spinning);
    ASSERT_TRUE(run.build());
    const std::string script = run.read("are1.wld").value_or("");
    EXPECT_NE(script.find("task spinner 2 object_main0;0,0,0,1.500000\r\n"), std::string::npos)
        << script;
    EXPECT_EQ(script.find("1,500000"), std::string::npos);
}
