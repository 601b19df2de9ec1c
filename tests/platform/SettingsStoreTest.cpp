#include "TempDir.h"

#include "platform/EditorSettings.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include <memory>

using namespace zev::platform;

namespace {

constexpr const char* R = SettingsStore::kRenderOptions;
constexpr const char* S = SettingsStore::kSetup;

class Settings : public ::testing::Test {
protected:
    QString file() const { return QString::fromStdString((dir.path() / "store.ini").string()); }
    // A second store on the same file sees only what the first has written out.
    std::unique_ptr<SettingsStore> reopen() {
        store->sync();
        return std::make_unique<SettingsStore>(file());
    }

    TempDir dir;
    std::unique_ptr<SettingsStore> store = std::make_unique<SettingsStore>(file());
};

TEST_F(Settings, AnEmptyStoreGivesEveryDefault) {
    const RenderChoice c = readRenderChoice(*store);
    EXPECT_FALSE(c.fullScreen);
    EXPECT_EQ(c.windowedDevice, -1);
    EXPECT_EQ(c.fullscreenDriver, -1);
    EXPECT_EQ(c.fullscreenDevice, -1);
    EXPECT_EQ(c.displayMode, 0);
    EXPECT_FALSE(c.spriteMouse);
    EXPECT_FALSE(c.zBuffering);

    for (bool fullScreen : {false, true}) {
        const SpeedSettings s = readSpeeds(*store, fullScreen);
        EXPECT_EQ(s.objectRotation, 10);
        EXPECT_EQ(s.objectMovement, 10);
        EXPECT_EQ(s.cameraMovement, 10);
        EXPECT_EQ(s.cameraUpDown, 10);
        EXPECT_EQ(s.cameraSteerSpeed, 10);
        EXPECT_TRUE(s.autoZoom);
    }

    EXPECT_EQ(readColour(*store, kGroundPlaneColour), (Rgb{255, 128, 64}));
    EXPECT_EQ(readColour(*store, kStandardObjectColour), (Rgb{0, 255, 64}));
    EXPECT_EQ(readColour(*store, kRmgObjectColour), (Rgb{198, 122, 255}));
    EXPECT_EQ(readColour(*store, kSelectedObjectColour), (Rgb{255, 0, 0}));
    EXPECT_EQ(readColour(*store, kNavPointsColour), (Rgb{150, 150, 150}));
    for (int player = 1; player <= 8; ++player)
        EXPECT_EQ(playerColour(*store, player), (Rgb{0, 0, 255})) << player;

    const ViewAids aids = readViewAids(*store);
    EXPECT_TRUE(aids.groundGrid);
    EXPECT_TRUE(aids.editorLighting);

    const SetupValues v = readSetup(*store);
    EXPECT_TRUE(v.projectPath.isEmpty());
    EXPECT_TRUE(v.cdRomLocation.isEmpty());
    EXPECT_EQ(v.mekChassis, "VORLANE");
    EXPECT_EQ(v.mekConfiguration, "VRL00STD");
    EXPECT_TRUE(v.exeOverride.isEmpty());
    EXPECT_FALSE(v.hideInfoForm);

    store->sync();
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "store.ini"))
        << "reads alone must not create the store";
}

TEST_F(Settings, RenderChoicesAreStoredAsIndexPlusOneAndReadBack) {
    writeWindowedChoice(*store, 2);
    EXPECT_EQ(store->integer(R, "Launch Mode", -1), 0);
    EXPECT_EQ(store->integer(R, "Windowed Device", -1), 3);
    EXPECT_EQ(readRenderChoice(*reopen()).windowedDevice, 2);

    // No device chosen stores 0, which reads back as none.
    writeWindowedChoice(*store, -1);
    EXPECT_EQ(store->integer(R, "Windowed Device", -1), 0);
    EXPECT_EQ(readRenderChoice(*store).windowedDevice, -1);

    RenderChoice full;
    full.fullscreenDriver = 0;
    full.fullscreenDevice = 1;
    full.displayMode = 5;
    full.spriteMouse = true;
    full.zBuffering = true;
    writeFullScreenChoice(*store, full);
    EXPECT_EQ(store->integer(R, "Launch Mode", -1), 1);
    EXPECT_EQ(store->integer(R, "Fullscreen Driver", -1), 1);
    EXPECT_EQ(store->integer(R, "Fullscreen Device", -1), 2);
    EXPECT_EQ(store->integer(R, "Display Mode", -1), 6);
    EXPECT_EQ(store->integer(R, "Use Sprite Mouse", -1), 1);
    EXPECT_EQ(store->integer(R, "Z-Buffering", -1), 1);
    const RenderChoice back = readRenderChoice(*reopen());
    EXPECT_TRUE(back.fullScreen);
    EXPECT_EQ(back.fullscreenDriver, 0);
    EXPECT_EQ(back.fullscreenDevice, 1);
    EXPECT_EQ(back.displayMode, 5);
    EXPECT_TRUE(back.spriteMouse);
    EXPECT_TRUE(back.zBuffering);
    EXPECT_EQ(back.windowedDevice, -1) << "the windowed choice is kept apart";

    // Any launch mode other than 0 is full screen; flags are "greater than 0".
    store->setInteger(R, "Launch Mode", 7);
    store->setInteger(R, "Use Sprite Mouse", -1);
    EXPECT_TRUE(readRenderChoice(*store).fullScreen);
    EXPECT_FALSE(readRenderChoice(*store).spriteMouse);
}

TEST_F(Settings, AStoredDisplayModeOfZeroLeavesTheModeNumberAtZero) {
    store->setInteger(R, "Fullscreen Device", 1);
    store->setInteger(R, "Display Mode", 0);
    EXPECT_EQ(readRenderChoice(*store).displayMode, 0);
    store->setInteger(R, "Display Mode", 3);
    EXPECT_EQ(readRenderChoice(*store).displayMode, 2);
    // The mode belongs to a device: without a stored device it is not taken.
    store->setInteger(R, "Fullscreen Device", 0);
    EXPECT_EQ(readRenderChoice(*store).displayMode, 0);
}

TEST_F(Settings, AValueThatIsNotANumberGivesTheDefault) {
    store->setText(R, "Windowed Device", QStringLiteral("two"));
    store->setText(R, "WCamera Movement", QStringLiteral(""));
    EXPECT_EQ(readRenderChoice(*store).windowedDevice, -1);
    EXPECT_EQ(readSpeeds(*store, false).cameraMovement, 10);
}

// The launch runs the override's name: the directories must go, not the name.
TEST_F(Settings, TheExecutableOverrideKeepsTheFileNameUpToNineteenCharacters) {
    store->setText(S, "ZEV Exe Override", QStringLiteral("C:\\GAMES\\ZEV\\ZEVSIM95.EXE"));
    EXPECT_EQ(readSetup(*store).exeOverride, "ZEVSIM95.EXE");
    EXPECT_EQ(limitExeOverride(QStringLiteral("/home/user/games/zev/zev3dfx.exe")), "zev3dfx.exe");
    EXPECT_EQ(limitExeOverride(QStringLiteral("/games\\dos/ZEV.EXE")), "ZEV.EXE");
    EXPECT_EQ(limitExeOverride(QStringLiteral("zev.exe")), "zev.exe");
    EXPECT_EQ(limitExeOverride(QStringLiteral("/g/a-long-program-name.exe")),
              "a-long-program-name");
    EXPECT_EQ(limitExeOverride(QStringLiteral("/games/")), "");
    EXPECT_EQ(limitExeOverride(QString()), "");
}

TEST_F(Settings, SetupTextsAreKeptAsTypedAndLongLaunchNamesAreCut) {
    store->setText(S, "Prj Path", QStringLiteral("/Games/ZEV/ZEV.PRJ"));
    store->setText(S, "Mek Chassis", QString(40, QLatin1Char('C')));
    store->setBoolean(S, "Hide Info Form", true);
    const SetupValues v = readSetup(*reopen());
    EXPECT_EQ(v.projectPath, "/Games/ZEV/ZEV.PRJ")
        << "case-sensitive file systems need the path as typed";
    EXPECT_EQ(v.mekChassis.size(), 34) << "the 35-byte field holds 34 characters";
    EXPECT_TRUE(v.hideInfoForm);
}

TEST_F(Settings, SpeedsAreKeptApartForWindowedAndFullScreenRuns) {
    SpeedSettings windowed;
    windowed.objectRotation = 3;
    windowed.objectMovement = 4;
    windowed.cameraMovement = 5;
    windowed.cameraUpDown = 6;
    windowed.cameraSteerSpeed = 7;
    windowed.autoZoom = false;
    writeSpeeds(*store, false, windowed);
    EXPECT_EQ(store->integer(R, "WObject Rotation", 0), 3);
    EXPECT_EQ(store->integer(R, "WObj Movement", 0), 4);
    EXPECT_EQ(store->integer(R, "WCamera Movement", 0), 5);
    EXPECT_EQ(store->integer(R, "WCamera UpDown", 0), 6);
    EXPECT_EQ(store->integer(R, "WCamera Steer Speed", 0), 7);
    EXPECT_FALSE(store->boolean(R, "WAuto Zoom", true));
    EXPECT_FALSE(store->contains(R, "fsObject Rotation"));

    const auto again = reopen();
    EXPECT_EQ(readSpeeds(*again, false), windowed);
    EXPECT_EQ(readSpeeds(*again, true), SpeedSettings{});

    SpeedSettings full;
    full.cameraSteerSpeed = 25;
    writeSpeeds(*store, true, full);
    EXPECT_EQ(store->integer(R, "fsCamera Steer Speed", 0), 25);
    EXPECT_TRUE(store->boolean(R, "fsAuto Zoom", false));
    EXPECT_EQ(readSpeeds(*store, false), windowed);
}

TEST_F(Settings, ColoursAreStoredAsThreeNamedValues) {
    writeColour(*store, kGroundPlaneColour.prefix, {1, 2, 3});
    EXPECT_EQ(store->integer(R, "Ground Plane Red", 0), 1);
    EXPECT_EQ(store->integer(R, "Ground Plane Green", 0), 2);
    EXPECT_EQ(store->integer(R, "Ground Plane Blue", 0), 3);
    EXPECT_EQ(readColour(*reopen(), kGroundPlaneColour), (Rgb{1, 2, 3}));
    EXPECT_EQ(readColour(*store, kSelectedObjectColour), (Rgb{255, 0, 0}));

    store->setInteger(R, "Player 3 Green", 200);
    EXPECT_EQ(playerColour(*store, 3), (Rgb{0, 200, 255}));
    EXPECT_EQ(playerColour(*store, 2), (Rgb{0, 0, 255}));
    EXPECT_EQ(readColour(*store, kNavPointsColour), (Rgb{150, 150, 150}));
}

TEST_F(Settings, ViewAidsAreStoredApartAndReadBackAsWritten) {
    writeViewAids(*store, {false, true});
    EXPECT_FALSE(store->boolean(R, "Ground Grid", true));
    EXPECT_TRUE(store->boolean(R, "Editor Lighting", false));
    EXPECT_EQ(readViewAids(*reopen()), (ViewAids{false, true}));
    writeViewAids(*store, {true, false});
    EXPECT_EQ(readViewAids(*reopen()), (ViewAids{true, false}));

    // A store edited by hand may hold 0 or 1.
    store->setText(R, "Ground Grid", QStringLiteral("0"));
    store->setText(R, "Editor Lighting", QStringLiteral("1"));
    EXPECT_EQ(readViewAids(*reopen()), (ViewAids{false, true}));
}

} // namespace
