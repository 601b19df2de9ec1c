#include "AppTestSupport.h"

#include "app/SplashForm.h"
#include "platform/EditorSettings.h"
#include "workspace/RenderSettingsForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using namespace zev;
using app::TDesignForm;
using app::TSplashForm;
using platform::RenderChoice;
using platform::SettingsStore;

namespace {

constexpr const char* R = SettingsStore::kRenderOptions;

// A device set-up that records what it was asked and answers as told.
struct FakeSetup {
    bool succeed = true;
    int calls = 0;
    RenderChoice choice;
    bool splashVisible = false;
    bool mainWindowVisible = false;

    TSplashForm::WorkspaceSetup function() {
        return [this](TDesignForm& form, const RenderChoice& c, const TSplashForm& splash) {
            ++calls;
            choice = c;
            splashVisible = splash.isVisible();
            mainWindowVisible = form.isVisible();
            return succeed;
        };
    }
};

class StartupForm : public ::testing::Test {
protected:
    std::unique_ptr<TSplashForm> makeSplash() {
        auto splash = std::make_unique<TSplashForm>(sandbox.context(), setup.function());
        splash->show();
        return splash;
    }
    // Two windowed devices to choose from, whatever this machine offers.
    static void offerTwoDevices(TSplashForm& splash) {
        splash.DeviceBox->clear();
        splash.DeviceBox->addItem(QStringLiteral("first device"));
        splash.DeviceBox->addItem(QStringLiteral("second device"));
    }
    bool stored(const char* name) const { return sandbox.settings->contains(R, name); }
    int value(const char* name) const { return sandbox.settings->integer(R, name, -99); }

    apptest::EditorSandbox sandbox;
    FakeSetup setup;
};

TEST_F(StartupForm, FirstRunShowsTheWindowedPageWithNoStoredDeviceAndWritesNothing) {
    auto splash = makeSplash();
    EXPECT_EQ(splash->windowTitle(), "ZEVEDIT 3D");
    EXPECT_EQ(splash->LaunchControl->currentIndex(), 0);
    EXPECT_EQ(splash->LaunchControl->tabText(0), "   Windowed Mode   ");
    EXPECT_EQ(splash->LaunchControl->tabText(1), "    Fullscreen    ");
    EXPECT_EQ(splash->LaunchButton->text(), "Launch Editor");
    EXPECT_EQ(splash->LaunchButton->toolTip(),
              "Click Here to Launch Editor with Selected 3D Device");
    EXPECT_EQ(splash->BitBtn1->text(), "Render Settings");

    const RenderChoice& c = splash->choice();
    EXPECT_FALSE(c.fullScreen);
    EXPECT_EQ(c.windowedDevice, -1);
    EXPECT_EQ(c.fullscreenDriver, -1);
    EXPECT_EQ(c.fullscreenDevice, -1);
    // No mode chosen yet: the list's default mode (640 x 480 where listed).
    EXPECT_FALSE(c.displayModeStored);
    EXPECT_EQ(c.displayMode, splash->modes().defaultMode);
    EXPECT_FALSE(c.spriteMouse);
    EXPECT_FALSE(c.zBuffering);
    // With no stored device the box offers the preferred one of the list (none when empty).
    EXPECT_EQ(splash->DeviceBox->currentIndex(), splash->windowedDevices().preferred);
    EXPECT_EQ(splash->DeviceBox->count(), int(splash->windowedDevices().rows.size()));

    const platform::SpeedSettings ten;
    EXPECT_EQ(platform::readSpeeds(*sandbox.settings, false), ten);
    EXPECT_EQ(platform::readSpeeds(*sandbox.settings, true), ten);
    EXPECT_TRUE(ten.autoZoom);
    EXPECT_EQ(ten.cameraSteerSpeed, 10);
    EXPECT_EQ(platform::readColour(*sandbox.settings, platform::kGroundPlaneColour),
              (platform::Rgb{255, 128, 64}));
    EXPECT_EQ(platform::playerColour(*sandbox.settings, 8), (platform::Rgb{0, 0, 255}));

    sandbox.settings->sync();
    EXPECT_FALSE(std::filesystem::exists(sandbox.settingsFile()))
        << "reading the defaults must not create the store";
}

TEST_F(StartupForm, AStoredChoiceSelectsItsPageAndDevice) {
    sandbox.settings->setInteger(R, "Launch Mode", 1);
    sandbox.settings->setInteger(R, "Windowed Device", 2);
    sandbox.settings->setInteger(R, "Fullscreen Device", 1);
    sandbox.settings->setInteger(R, "Display Mode", 3);
    sandbox.settings->setInteger(R, "Use Sprite Mouse", 1);
    auto splash = makeSplash();
    EXPECT_EQ(splash->LaunchControl->currentIndex(), 1);
    EXPECT_EQ(splash->choice().windowedDevice, 1);
    EXPECT_EQ(splash->choice().fullscreenDevice, 0);
    EXPECT_EQ(splash->choice().displayMode, 2);
    EXPECT_TRUE(splash->choice().spriteMouse);
    if (splash->DeviceBox->count() > 1) {
        EXPECT_EQ(splash->DeviceBox->currentIndex(), 1);
    }
}

TEST_F(StartupForm, ASuccessfulWindowedLaunchWritesTheModeAndTheDeviceIndexPlusOne) {
    auto splash = makeSplash();
    offerTwoDevices(*splash);
    splash->DeviceBox->setCurrentIndex(1);
    splash->LaunchButton->click();

    EXPECT_EQ(setup.calls, 1);
    EXPECT_FALSE(setup.choice.fullScreen);
    EXPECT_EQ(setup.choice.windowedDevice, 1);
    EXPECT_EQ(value("Launch Mode"), 0);
    EXPECT_EQ(value("Windowed Device"), 2);
    EXPECT_FALSE(stored("Fullscreen Driver"));
    EXPECT_FALSE(stored("Display Mode"));
    ASSERT_NE(splash->mainWindow(), nullptr);
    EXPECT_TRUE(splash->mainWindow()->isVisible());
    EXPECT_FALSE(splash->isVisible());
    EXPECT_EQ(splash->mainWindow()->windowTitle(), "ZEVEDIT 3D");

    // Closing the main window brings the start-up form back; it reads the new choice.
    EXPECT_TRUE(splash->mainWindow()->close());
    apptest::settle();
    EXPECT_EQ(splash->mainWindow(), nullptr);
    EXPECT_TRUE(splash->isVisible());
    auto again = makeSplash();
    EXPECT_EQ(again->choice().windowedDevice, 1);
    EXPECT_EQ(again->LaunchControl->currentIndex(), 0);
}

TEST_F(StartupForm, AFailedWindowedSetUpWritesNothingAndTheStartUpFormStays) {
    setup.succeed = false;
    auto splash = makeSplash();
    offerTwoDevices(*splash);
    splash->DeviceBox->setCurrentIndex(1);
    splash->LaunchButton->click();
    EXPECT_EQ(setup.calls, 1);
    EXPECT_EQ(splash->mainWindow(), nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_FALSE(stored("Launch Mode"));
    EXPECT_FALSE(stored("Windowed Device"));

    // The user may choose again.
    setup.succeed = true;
    splash->LaunchButton->click();
    EXPECT_EQ(setup.calls, 2);
    EXPECT_EQ(value("Windowed Device"), 2);
}

TEST_F(StartupForm, ASuccessfulFullScreenLaunchWritesEveryChoiceIndexPlusOne) {
    sandbox.settings->setInteger(R, "Fullscreen Device", 2);
    sandbox.settings->setInteger(R, "Display Mode", 4);
    sandbox.settings->setInteger(R, "Use Sprite Mouse", 1);
    sandbox.settings->setInteger(R, "Windowed Device", 2);
    auto splash = makeSplash();
    splash->LaunchControl->setCurrentIndex(1);
    splash->LaunchButton->click();

    EXPECT_EQ(setup.calls, 1);
    EXPECT_TRUE(setup.choice.fullScreen);
    EXPECT_FALSE(setup.splashVisible) << "the start-up form hides before the full-screen set-up";
    EXPECT_TRUE(setup.mainWindowVisible);
    EXPECT_EQ(value("Launch Mode"), 1);
    EXPECT_EQ(value("Fullscreen Driver"), 1) << "no stored driver: the first one";
    EXPECT_EQ(value("Fullscreen Device"), 2);
    EXPECT_EQ(value("Display Mode"), 4);
    EXPECT_EQ(value("Use Sprite Mouse"), 1);
    EXPECT_EQ(value("Z-Buffering"), 0);
    EXPECT_EQ(value("Windowed Device"), 2) << "the windowed choice is left alone";
    ASSERT_NE(splash->mainWindow(), nullptr);
    EXPECT_FALSE(splash->isVisible());
}

TEST_F(StartupForm, AFailedFullScreenSetUpWritesNothingAndShowsTheStartUpFormAgain) {
    setup.succeed = false;
    auto splash = makeSplash();
    splash->LaunchControl->setCurrentIndex(1);
    splash->LaunchButton->click();
    EXPECT_EQ(setup.calls, 1);
    EXPECT_EQ(splash->mainWindow(), nullptr);
    EXPECT_TRUE(splash->isVisible());
    for (const char* name : {"Launch Mode", "Fullscreen Driver", "Fullscreen Device",
                             "Display Mode", "Use Sprite Mouse", "Z-Buffering"})
        EXPECT_FALSE(stored(name)) << name;
}

} // namespace

namespace {

// The resolution a mode number stands for, "none" when it indexes no listed mode.
std::string ModeAt(const workspace::ModeList& modes, int index) {
    if (index < 0 || index >= int(modes.rows.size()))
        return "none";
    return modes.rows[index].text.toStdString();
}

TEST_F(StartupForm, AFirstFullScreenRunOffersAndLaunchesThe640x480DefaultMode) {
    auto splash = makeSplash();
    const workspace::ModeList& modes = splash->modes();
    ASSERT_FALSE(modes.rows.empty()) << "the offscreen screen lists modes";
    const std::string standard = ModeAt(modes, modes.defaultMode);
    ASSERT_EQ(standard.rfind("640 x 480   (", 0), 0u) << standard;

    RenderChoice dialogChoice = splash->choice();
    workspace::TRenderSettingsForm dialog(splash->drivers(), {}, dialogChoice);
    EXPECT_EQ(dialog.VideoModesBox->currentText().toStdString(), standard)
        << "the settings dialog preselects the default mode";

    splash->LaunchControl->setCurrentIndex(1);
    splash->LaunchButton->click();
    ASSERT_EQ(setup.calls, 1);
    EXPECT_EQ(ModeAt(modes, setup.choice.displayMode), standard);
    EXPECT_EQ(value("Display Mode"), modes.defaultMode + 1);
}

} // namespace

TEST_F(StartupForm, OffersTheOneDeviceThatDrawsHereAndSaysSoOnBothPages) {
    auto splash = makeSplash();
    EXPECT_LE(splash->DeviceBox->count(), 1);
    const QList<QLabel*> notes = splash->findChildren<QLabel*>(QStringLiteral("DeviceNote"));
    ASSERT_EQ(notes.size(), 2);
    EXPECT_EQ(notes[0]->text(), QString::fromLatin1(workspace::kDeviceNote));
    EXPECT_TRUE(notes[0]->text().contains(QStringLiteral("LIBGL_ALWAYS_SOFTWARE=1")));
}
