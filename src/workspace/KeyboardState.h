#pragma once

#include <array>
#include <cstdint>

class QKeyEvent;
class QString;

namespace zev::workspace {

// Where a key event's native scan code comes from: X11 and Wayland give XKB key codes (the
// kernel's key code + 8), Windows its keyboard scan code with the extended bit at 0x100. Other
// platforms (and synthetic events with no native code) fall back to the Qt key.
enum class NativeKeyCodes { None, Xkb, Windows };
NativeKeyCodes nativeKeyCodesOf(const QString& platformName);

// The 256-byte keyboard state the workspace polls once a frame: one byte per DirectInput scan
// code, bit 0x80 set while the key is down. Kept from the window's key press and release
// events. A key is known by the physical key (its native scan code), so the keyboard layout and
// the modifiers held never change which byte a press or a release sets: Shift pressed while "."
// is held still releases the key, and the right-hand Shift, Ctrl and Alt keys have codes of
// their own.
class KeyboardState {
public:
    static constexpr std::uint8_t kDown = 0x80;

    // Qt key (and whether it came from the keypad) to its scan code; 0 for keys without one.
    static std::uint8_t scanCodeOf(int qtKey, bool keypad);
    // A native scan code to its DirectInput scan code; 0 for keys without one.
    static std::uint8_t scanCodeOfNative(std::uint32_t native, NativeKeyCodes codes);
    // The scan code of a key event: by its native code where the platform gives one, else by
    // its Qt key.
    static std::uint8_t scanCodeOf(const QKeyEvent& event, NativeKeyCodes codes);

    void press(int qtKey, bool keypad) { pressScanCode(scanCodeOf(qtKey, keypad)); }
    void release(int qtKey, bool keypad) { releaseScanCode(scanCodeOf(qtKey, keypad)); }
    void pressScanCode(std::uint8_t scan);
    void releaseScanCode(std::uint8_t scan);
    // Whether any key is down.
    bool anyDown() const;
    // Everything up, as after the window loses the focus.
    void clear() {
        state_.fill(0);
        tapped_.fill(0);
    }
    // The state for this frame: the keys down, and the keys pressed since the last poll even
    // when they are up again (a tap quicker than a frame still runs its action once).
    std::array<std::uint8_t, 256> poll();

    bool isDown(std::uint8_t scanCode) const { return (state_[scanCode] & kDown) != 0; }
    const std::array<std::uint8_t, 256>& bytes() const { return state_; }

private:
    std::array<std::uint8_t, 256> state_{};
    std::array<std::uint8_t, 256> tapped_{};
};

} // namespace zev::workspace
