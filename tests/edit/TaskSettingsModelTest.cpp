#include "edit/TaskSettingsModel.h"

#include "DecimalCommaLocale.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using mission::MissionObjectRecord;
using R = MissionObjectRecord;

namespace {

MissionObjectRecord taskObject() {
    return mission::support::sampleObject("crane", 0, 0, 0);
}

} // namespace

TEST(TaskSettings, SpinnerShowsItsTimeWithSixDecimalsAndReadsNumbersBack) {
    R r = taskObject();
    r.setInt16(R::spinnerPeriod, 2);
    r.setInt16(R::spinnerRotation(1), -45);
    r.setFloat32(R::spinnerTime, 1.5f);
    TaskSettingsModel model(r);
    SpinnerValues v = model.spinner();
    EXPECT_EQ(v.rotation, (std::array<std::string, 3>{"0", "-45", "0"}));
    EXPECT_EQ(v.period, "2");
    EXPECT_EQ(v.time, "1.500000");
    EXPECT_FALSE(v.enabled);

    // Confirming a change and opening the dialog again shows it.
    v.enabled = true;
    v.time = " 2.25s";
    v.rotation = {"70000", "-70000", "ten"};
    model.setSpinner(v);
    const SpinnerValues again = model.spinner();
    EXPECT_TRUE(again.enabled);
    EXPECT_EQ(again.time, "2.250000");
    EXPECT_EQ(again.rotation, (std::array<std::string, 3>{"32767", "-32768", "0"}));

    EXPECT_EQ(leadingFloat("-.5"), -0.5f);
    EXPECT_EQ(leadingFloat("+3e2"), 300.0f);
    EXPECT_EQ(leadingFloat("1,75"), 1.0f);
    for (const char* nothing : {"", "abc", "inf", "nan", "-", ".", "1e40", "+-2"})
        EXPECT_EQ(leadingFloat(nothing), 0.0f) << nothing;
}

TEST(TaskSettings, TheTimeIgnoresADecimalCommaLocale) {
    DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << comma.why();
    R r = taskObject();
    r.setFloat32(R::spinnerTime, 0.75f);
    TaskSettingsModel model(r);
    EXPECT_EQ(model.spinner().time, "0.750000");
    SpinnerValues v = model.spinner();
    v.time = "3.5";
    model.setSpinner(v);
    EXPECT_EQ(model.spinner().time, "3.500000");
}

TEST(TaskSettings, ColourSpinFlyCircleAndAmbientSoundStoreEveryControl) {
    TaskSettingsModel model(taskObject());
    ColorSpinValues colors = model.colorSpin();
    EXPECT_EQ(colors.colors[15], "0");
    for (int c = 0; c < 16; ++c)
        colors.colors[std::size_t(c)] = std::to_string(c + 1);
    colors.period = "9";
    colors.enabled = true;
    model.setColorSpin(colors);
    EXPECT_EQ(model.colorSpin(), colors);

    FlyCircleValues fly{"3", "12", "-800", true, true};
    model.setFlyCircle(fly);
    EXPECT_EQ(model.flyCircle(), fly);

    AmbientSoundValues sound{true, false, "2500", "ABCDEFGHIJKLMNOPQRST"};
    model.setAmbientSound(sound);
    EXPECT_EQ(model.ambientSound().soundFile, "ABCDEFGHIJKLMN");
    EXPECT_EQ(model.ambientSound().radius, "2500");

    R out = taskObject();
    model.copyInto(out);
    EXPECT_EQ(out.int16(R::colorSpinColor(15)), 16);
    EXPECT_EQ(out.int32(R::flyCircleRadius), -800);
    EXPECT_EQ(out.int16(R::flyCircleInterval), 12);
    EXPECT_EQ(out.byte(R::flyCircleActive), 1);
    EXPECT_EQ(out.byte(R::ambientSoundActive), 0);
    EXPECT_EQ(out.text(R::ambientSoundFile), "ABCDEFGHIJKLMN");
}

TEST(TaskSettings, PathWordsComeFromTheirChoicesAndPointsFromTheGrid) {
    R r = taskObject();
    r.setText(R::pathLooping, "reloop");
    r.setText(R::pathRotation, "norotate");
    r.setInt32(R::pathPointPosition(7, 2), -123456);
    r.setInt16(R::pathPointTime(7), 40);
    r.setByte(R::pathPointEnabled(7), 1);
    TaskSettingsModel model(r);
    PathValues v = model.path();
    EXPECT_EQ(v.looping, PathLooping::Loop);
    EXPECT_EQ(v.rotation, PathRotation::NonRotate);
    EXPECT_TRUE(v.points[7].enabled);
    EXPECT_EQ(v.points[7].cells[2], "-123456");
    EXPECT_EQ(v.points[7].cells[6], "40");

    for (const auto& [stored, shown] : {std::pair{"repeat", PathLooping::Repeat},
                                        {"oneshot", PathLooping::Oneshot},
                                        {"", PathLooping::Oneshot},
                                        {"loop", PathLooping::Loop}}) {
        r.setText(R::pathLooping, stored);
        EXPECT_EQ(TaskSettingsModel(r).path().looping, shown) << stored;
    }
    r.setText(R::pathRotation, "norotate ");
    EXPECT_EQ(TaskSettingsModel(r).path().rotation, PathRotation::Rotate);

    v.looping = PathLooping::Repeat;
    v.rotation = PathRotation::NonRotate;
    v.points[0] = {true, {"1", "2", "3", "4", "5", "6", "7x"}};
    model.setPath(v);
    R out = taskObject();
    model.copyInto(out);
    EXPECT_EQ(out.text(R::pathLooping), "repeat");
    EXPECT_EQ(out.text(R::pathRotation), "norotate");
    EXPECT_EQ(out.byte(R::pathPointEnabled(0)), 1);
    EXPECT_EQ(out.int32(R::pathPointPosition(0, 1)), 2);
    EXPECT_EQ(out.int16(R::pathPointRotation(0, 2)), 6);
    EXPECT_EQ(out.int16(R::pathPointTime(0)), 7);
    // A path saved with "Non Rotate" opens with it again.
    EXPECT_EQ(TaskSettingsModel(out).path().rotation, PathRotation::NonRotate);
}

TEST(TaskSettings, SummaryListsTheFiveTasksAndKeepsTheBytesBetweenFields) {
    R r = taskObject();
    r.setInt16(R::spinnerPeriod, 1);
    r.setInt16(R::spinnerRotation(0), 5);
    r.setFloat32(R::spinnerTime, -2.75f);
    r.setByte(R::spinnerEnabled, 1);
    for (int c = 0; c < 16; ++c)
        r.setInt16(R::colorSpinColor(c), std::int16_t(c * 10));
    r.setInt32(R::flyCircleRadius, 500);
    r.setInt16(R::flyCircleInterval, 6);
    r.setText(R::ambientSoundFile, "HUM2");
    r.setInt32(R::ambientSoundRadius, 90);
    r.setByte(R::ambientSoundEnabled, 1);
    // Bytes between the task fields belong to no control.
    for (std::size_t offset : {717u, 726u, 727u, 769u, 779u, 814u, 815u, 817u, 818u, 819u})
        r.bytes()[offset] = 0xA5;
    TaskSettingsModel model(r);
    EXPECT_EQ(model.summary("crane"),
              (std::vector<std::string>{
                  "task spinner 1 crane;5,0,0,-2 enabled(1)",
                  "task colorspin 0 crane;0,10,20,30 40 50 60 70 80 90 100 110 120 130 140 150 "
                  "enabled(0)",
                  "task flycircle 0 crane;500,6 enabled(0)",
                  "task path 0 crane;oneshot,rotate enaled(0)",
                  "task ambientsound 0 crane;90,HUM2 enabled(1)",
              }));

    model.setSpinner(model.spinner());
    model.setColorSpin(model.colorSpin());
    model.setFlyCircle(model.flyCircle());
    model.setPath(model.path());
    model.setAmbientSound(model.ambientSound());
    R out = taskObject();
    out.setText(R::menuText, "kept");
    model.copyInto(out);
    EXPECT_EQ(out.text(R::menuText), "kept");
    EXPECT_TRUE(std::equal(out.bytes().begin() + 524, out.bytes().end(), r.bytes().begin() + 524));

    // A time no whole number can hold shows as the nearest one.
    r.setFloat32(R::spinnerTime, 1e20f);
    EXPECT_EQ(TaskSettingsModel(r).summary("crane")[0],
              "task spinner 1 crane;5,0,0,2147483647 enabled(1)");
}
