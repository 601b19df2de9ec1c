#pragma once

#include <array>
#include <cstdint>

namespace zev::workspace {

// The 256-byte keyboard state the workspace polls once a frame: one byte per DirectInput scan
// code, bit 0x80 set while the key is down. Kept from the window's key press and release
// events (Qt key codes, mapped to scan codes).
class KeyboardState {
public:
    static constexpr std::uint8_t kDown = 0x80;

    // Qt key (and whether it came from the keypad) to its scan code; 0 for keys without one.
    static std::uint8_t scanCodeOf(int qtKey, bool keypad);

    void press(int qtKey, bool keypad);
    void release(int qtKey, bool keypad);
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
