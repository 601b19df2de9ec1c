#include "workspace/DescribeResult.h"
#include "workspace/DeviceEnumeration.h"
#include "workspace/KeyboardState.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace zev::workspace;

namespace {

TEST(DeviceLists, ModeAndDriverTextsFollowTheirFormatsAndWidths) {
    EXPECT_EQ(modeText(640, 480, 16), "640 x 480   (16 bit)");
    EXPECT_EQ(modeText(1920, 1080, 24), "1920 x 1080   (24 bit)");
    EXPECT_LE(modeText(100000, 100000, 32).size(), 30);
    EXPECT_EQ(driverText(QStringLiteral("Display"), QStringLiteral("VGA-1")), "Display (VGA-1)");
    EXPECT_EQ(driverText(QString(40, QLatin1Char('d')), QStringLiteral("name")).size(), 47);
    const QString longText = driverText(QString(60, QLatin1Char('d')), QStringLiteral("name"));
    EXPECT_EQ(longText, QString(50, QLatin1Char('d')));
}

TEST(DeviceLists, ModesUpToTheScreenSizeWith640x480AsTheDefault) {
    const ModeList modes = displayModes(1280, 1024, 24, 9);
    ASSERT_FALSE(modes.rows.empty());
    std::set<std::pair<int, int>> seen;
    bool hasScreenSize = false;
    for (const ModeRow& m : modes.rows) {
        EXPECT_LE(m.width, 1280);
        EXPECT_LE(m.height, 1024);
        EXPECT_EQ(m.depth, 24);
        EXPECT_EQ(m.text, modeText(m.width, m.height, 24));
        EXPECT_TRUE(seen.insert({m.width, m.height}).second) << "listed twice: " << m.width;
        hasScreenSize |= m.width == 1280 && m.height == 1024;
    }
    EXPECT_TRUE(hasScreenSize);
    ASSERT_GE(modes.defaultMode, 0);
    ASSERT_LT(modes.defaultMode, int(modes.rows.size()));
    EXPECT_EQ(modes.rows[modes.defaultMode].width, 640);
    EXPECT_EQ(modes.rows[modes.defaultMode].height, 480);

    // A screen of exactly 640 x 480 lists it once.
    const ModeList small = displayModes(640, 480, 16);
    EXPECT_EQ(small.rows.back().width, 640);
    EXPECT_EQ(small.rows[small.defaultMode].height, 480);
    int count640 = 0;
    for (const ModeRow& m : small.rows)
        count640 += m.width == 640 && m.height == 480;
    EXPECT_EQ(count640, 1);
}

TEST(DeviceLists, WithoutA640x480ModeTheDefaultKeepsItsPreviousValue) {
    const ModeList modes = displayModes(600, 400, 16, 7);
    EXPECT_EQ(modes.defaultMode, 7);
    for (const ModeRow& m : modes.rows)
        EXPECT_FALSE(m.width == 640 && m.height == 480);
    EXPECT_FALSE(modes.rows.empty());
    // No screen: no modes, the default untouched.
    const ModeList none = displayModes(0, 0, 24, 3);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.defaultMode, 3);
}

TEST(DeviceLists, AHugeScreenListsAtMostFiftyModes) {
    const ModeList modes = displayModes(16384, 16384, 32);
    EXPECT_LE(int(modes.rows.size()), kMaxModes);
    EXPECT_EQ(kMaxModes, 50);
    EXPECT_EQ(modes.rows.back().width, 16384) << "the screen's own size closes the list";
    EXPECT_EQ(modes.rows[modes.defaultMode].width, 640);
}

DeviceRow Device(const char* name, bool hardware) {
    DeviceRow row;
    row.text = QString::fromLatin1(name);
    row.hardware = hardware;
    row.software = !hardware;
    return row;
}

TEST(DeviceLists, TheWindowedListPrefersHardwareAndHoldsAtMostFiveDevices) {
    WindowedDeviceList list;
    EXPECT_EQ(list.preferred, -1);
    addWindowedDevice(list, Device("soft A", false));
    EXPECT_EQ(list.preferred, 0) << "the first device is preferred";
    addWindowedDevice(list, Device("soft B", false));
    EXPECT_EQ(list.preferred, 0);
    addWindowedDevice(list, Device("hard A", true));
    EXPECT_EQ(list.preferred, 2) << "hardware replaces software";
    addWindowedDevice(list, Device("hard B", true));
    addWindowedDevice(list, Device("soft C", false));
    EXPECT_EQ(list.preferred, 2) << "neither another hardware nor a software device replaces it";
    addWindowedDevice(list, Device("hard sixth", true));
    ASSERT_EQ(list.rows.size(), 5u);
    EXPECT_EQ(list.rows.back().text, "soft C");
    EXPECT_EQ(list.preferred, 2);

    WindowedDeviceList hardFirst;
    addWindowedDevice(hardFirst, Device("hard", true));
    addWindowedDevice(hardFirst, Device("soft", false));
    EXPECT_EQ(hardFirst.preferred, 0);
}

TEST(KeyboardState, MapsKeysToTheirScanCodesWithKeypadKeysApart) {
    using K = KeyboardState;
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Up, false), 0xC8);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Down, false), 0xD0);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Left, false), 0xCB);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Right, false), 0xCD);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Up, true), 0x48);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_8, true), 0x48);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_8, false), 0x09);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Plus, true), 0x4E);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Minus, true), 0x4A);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Minus, false), 0x0C);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Enter, true), 0x9C);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Return, false), 0x1C);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_A, false), 0x1E);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_W, false), 0x11);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Z, false), 0x2C);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Space, false), 0x39);
    EXPECT_EQ(K::scanCodeOf(Qt::Key_F35, false), 0);
    // A keypad flag on a key the keypad lacks falls back to the main keyboard.
    EXPECT_EQ(K::scanCodeOf(Qt::Key_Q, true), 0x10);
}

TEST(KeyboardState, PressAndReleaseSetAndClearOneByte) {
    KeyboardState keys;
    keys.press(Qt::Key_Up, false);
    keys.press(Qt::Key_8, true);
    EXPECT_TRUE(keys.isDown(0xC8));
    EXPECT_TRUE(keys.isDown(0x48));
    EXPECT_FALSE(keys.isDown(0x09)) << "keypad 8 is not the main 8";
    EXPECT_EQ(keys.bytes()[0xC8], KeyboardState::kDown);
    int down = 0;
    for (std::uint8_t b : keys.bytes())
        down += b != 0;
    EXPECT_EQ(down, 2);

    keys.release(Qt::Key_Up, false);
    EXPECT_FALSE(keys.isDown(0xC8));
    EXPECT_TRUE(keys.isDown(0x48));
    keys.press(Qt::Key_F35, false); // no scan code: nothing changes
    keys.release(Qt::Key_F35, false);
    EXPECT_TRUE(keys.isDown(0x48));
    keys.clear();
    for (std::uint8_t b : keys.bytes())
        EXPECT_EQ(b, 0);

    // A tap between two polls is seen by the next poll once; a held key by every poll.
    keys.press(Qt::Key_Home, false);
    keys.release(Qt::Key_Home, false);
    keys.press(Qt::Key_Up, false);
    EXPECT_EQ(keys.poll()[0xC7], KeyboardState::kDown);
    const auto next = keys.poll();
    EXPECT_EQ(next[0xC7], 0);
    EXPECT_EQ(next[0xC8], KeyboardState::kDown);
}

TEST(KeyboardState, KnowsKeysByTheirPhysicalCodeWhateverTheLayoutOrModifiers) {
    using K = KeyboardState;
    const auto xkb = [](std::uint32_t kernelCode) {
        return K::scanCodeOfNative(kernelCode + 8, NativeKeyCodes::Xkb);
    };
    // X11 key codes: the kernel's code + 8; the first block is the scan code itself.
    EXPECT_EQ(xkb(1), 0x01);   // Esc
    EXPECT_EQ(xkb(20), 0x14);  // T
    EXPECT_EQ(xkb(52), 0x34);  // the "." key, with or without Shift (">")
    EXPECT_EQ(xkb(42), 0x2A);  // left Shift
    EXPECT_EQ(xkb(54), 0x36);  // right Shift
    EXPECT_EQ(xkb(97), 0x9D);  // right Ctrl
    EXPECT_EQ(xkb(100), 0xB8); // AltGr, the right Alt
    EXPECT_EQ(xkb(96), 0x9C);  // keypad Enter
    EXPECT_EQ(xkb(98), 0xB5);  // keypad /
    EXPECT_EQ(xkb(72), 0x48);  // keypad 8
    EXPECT_EQ(xkb(103), 0xC8); // Up
    EXPECT_EQ(xkb(109), 0xD1); // Page Down
    EXPECT_EQ(xkb(111), 0xD3); // Delete
    EXPECT_EQ(xkb(87), 0x57);  // F11
    EXPECT_EQ(xkb(85), 0);     // no scan code of the table
    EXPECT_EQ(K::scanCodeOfNative(5, NativeKeyCodes::Xkb), 0);
    // Windows: the extended bit puts a key at 0x80 and above.
    EXPECT_EQ(K::scanCodeOfNative(0x1D, NativeKeyCodes::Windows), 0x1D);
    EXPECT_EQ(K::scanCodeOfNative(0x11D, NativeKeyCodes::Windows), 0x9D);
    EXPECT_EQ(K::scanCodeOfNative(0x148, NativeKeyCodes::Windows), 0xC8);
    EXPECT_EQ(K::scanCodeOfNative(0x48, NativeKeyCodes::Windows), 0x48);
    EXPECT_EQ(K::scanCodeOfNative(0x52, NativeKeyCodes::None), 0);
    EXPECT_EQ(nativeKeyCodesOf(QStringLiteral("xcb")), NativeKeyCodes::Xkb);
    EXPECT_EQ(nativeKeyCodesOf(QStringLiteral("wayland-egl")), NativeKeyCodes::Xkb);
    EXPECT_EQ(nativeKeyCodesOf(QStringLiteral("offscreen")), NativeKeyCodes::None);

    // "." held, Shift pressed, the key released as ">": the same physical key goes up.
    KeyboardState keys;
    const QKeyEvent press(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, 52 + 8, 0, 0);
    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_Greater, Qt::ShiftModifier, 52 + 8, 0, 0);
    keys.pressScanCode(K::scanCodeOf(press, NativeKeyCodes::Xkb));
    EXPECT_TRUE(keys.isDown(0x34));
    keys.releaseScanCode(K::scanCodeOf(release, NativeKeyCodes::Xkb));
    EXPECT_FALSE(keys.isDown(0x34));
    // An event without a native code (a synthetic one) is known by its Qt key.
    const QKeyEvent synthetic(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    EXPECT_EQ(K::scanCodeOf(synthetic, NativeKeyCodes::Xkb), 0xC8);
}

TEST(DescribeResult, KnownCodesHaveTheirTextsAndOthersAreUnrecognized) {
    EXPECT_EQ(DescribeResult(RenderResult::kOk), "No error.");
    EXPECT_EQ(DescribeResult(0x0505), "There is not enough memory left to execute the command.");
    EXPECT_EQ(DescribeResult(RenderResult::kNoContext),
              "No OpenGL rendering context could be created.");
    EXPECT_EQ(DescribeResult(RenderResult::kVersionTooOld),
              "The OpenGL rendering context is older than version 3.3.");
    for (std::uint32_t code :
         {RenderResult::kNoScreen, RenderResult::kNoFramebuffer, RenderResult::kShaderFailed,
          RenderResult::kNoModeFits, std::uint32_t(0x0500), std::uint32_t(0x0506)})
        EXPECT_NE(DescribeResult(code), "Unrecognized error value.") << std::hex << code;
    for (std::uint32_t code : {std::uint32_t(1), std::uint32_t(0x04FF), std::uint32_t(0x0508),
                               std::uint32_t(0x5A450000), std::uint32_t(0xFFFFFFFF)})
        EXPECT_EQ(DescribeResult(code), "Unrecognized error value.") << std::hex << code;
}

} // namespace
