#include "KeyboardState.h"

#include <QKeyEvent>
#include <QString>
#include <Qt>

namespace zev::workspace {

namespace {

struct KeyCode {
    int key;
    std::uint8_t scan;
};

// Main keyboard keys and their DirectInput scan codes.
constexpr KeyCode kMainKeys[] = {
    {Qt::Key_Escape, 0x01},     {Qt::Key_1, 0x02},           {Qt::Key_2, 0x03},
    {Qt::Key_3, 0x04},          {Qt::Key_4, 0x05},           {Qt::Key_5, 0x06},
    {Qt::Key_6, 0x07},          {Qt::Key_7, 0x08},           {Qt::Key_8, 0x09},
    {Qt::Key_9, 0x0A},          {Qt::Key_0, 0x0B},           {Qt::Key_Minus, 0x0C},
    {Qt::Key_Equal, 0x0D},      {Qt::Key_Backspace, 0x0E},   {Qt::Key_Tab, 0x0F},
    {Qt::Key_Q, 0x10},          {Qt::Key_W, 0x11},           {Qt::Key_E, 0x12},
    {Qt::Key_R, 0x13},          {Qt::Key_T, 0x14},           {Qt::Key_Y, 0x15},
    {Qt::Key_U, 0x16},          {Qt::Key_I, 0x17},           {Qt::Key_O, 0x18},
    {Qt::Key_P, 0x19},          {Qt::Key_BracketLeft, 0x1A}, {Qt::Key_BracketRight, 0x1B},
    {Qt::Key_Return, 0x1C},     {Qt::Key_Control, 0x1D},     {Qt::Key_A, 0x1E},
    {Qt::Key_S, 0x1F},          {Qt::Key_D, 0x20},           {Qt::Key_F, 0x21},
    {Qt::Key_G, 0x22},          {Qt::Key_H, 0x23},           {Qt::Key_J, 0x24},
    {Qt::Key_K, 0x25},          {Qt::Key_L, 0x26},           {Qt::Key_Semicolon, 0x27},
    {Qt::Key_Apostrophe, 0x28}, {Qt::Key_QuoteLeft, 0x29},   {Qt::Key_Shift, 0x2A},
    {Qt::Key_Backslash, 0x2B},  {Qt::Key_Z, 0x2C},           {Qt::Key_X, 0x2D},
    {Qt::Key_C, 0x2E},          {Qt::Key_V, 0x2F},           {Qt::Key_B, 0x30},
    {Qt::Key_N, 0x31},          {Qt::Key_M, 0x32},           {Qt::Key_Comma, 0x33},
    {Qt::Key_Period, 0x34},     {Qt::Key_Slash, 0x35},       {Qt::Key_Alt, 0x38},
    {Qt::Key_Space, 0x39},      {Qt::Key_CapsLock, 0x3A},    {Qt::Key_F1, 0x3B},
    {Qt::Key_F2, 0x3C},         {Qt::Key_F3, 0x3D},          {Qt::Key_F4, 0x3E},
    {Qt::Key_F5, 0x3F},         {Qt::Key_F6, 0x40},          {Qt::Key_F7, 0x41},
    {Qt::Key_F8, 0x42},         {Qt::Key_F9, 0x43},          {Qt::Key_F10, 0x44},
    {Qt::Key_NumLock, 0x45},    {Qt::Key_ScrollLock, 0x46},  {Qt::Key_F11, 0x57},
    {Qt::Key_F12, 0x58},        {Qt::Key_Home, 0xC7},        {Qt::Key_Up, 0xC8},
    {Qt::Key_PageUp, 0xC9},     {Qt::Key_Left, 0xCB},        {Qt::Key_Right, 0xCD},
    {Qt::Key_End, 0xCF},        {Qt::Key_Down, 0xD0},        {Qt::Key_PageDown, 0xD1},
    {Qt::Key_Insert, 0xD2},     {Qt::Key_Delete, 0xD3},      {Qt::Key_Pause, 0xC5},
    {Qt::Key_Print, 0xB7},      {Qt::Key_Meta, 0xDB},        {Qt::Key_Menu, 0xDD},
};

// Keys of the numeric keypad.
constexpr KeyCode kKeypadKeys[] = {
    {Qt::Key_7, 0x47},      {Qt::Key_Home, 0x47},     {Qt::Key_8, 0x48},
    {Qt::Key_Up, 0x48},     {Qt::Key_9, 0x49},        {Qt::Key_PageUp, 0x49},
    {Qt::Key_Minus, 0x4A},  {Qt::Key_4, 0x4B},        {Qt::Key_Left, 0x4B},
    {Qt::Key_5, 0x4C},      {Qt::Key_Clear, 0x4C},    {Qt::Key_6, 0x4D},
    {Qt::Key_Right, 0x4D},  {Qt::Key_Plus, 0x4E},     {Qt::Key_1, 0x4F},
    {Qt::Key_End, 0x4F},    {Qt::Key_2, 0x50},        {Qt::Key_Down, 0x50},
    {Qt::Key_3, 0x51},      {Qt::Key_PageDown, 0x51}, {Qt::Key_0, 0x52},
    {Qt::Key_Insert, 0x52}, {Qt::Key_Period, 0x53},   {Qt::Key_Delete, 0x53},
    {Qt::Key_Enter, 0x9C},  {Qt::Key_Slash, 0xB5},    {Qt::Key_Asterisk, 0x37},
};

// Kernel key codes past the first block that have a DirectInput scan code.
constexpr KeyCode kKernelExtendedKeys[] = {
    {96, 0x9C},  {97, 0x9D},  {98, 0xB5},  {99, 0xB7},  {100, 0xB8}, {102, 0xC7}, {103, 0xC8},
    {104, 0xC9}, {105, 0xCB}, {106, 0xCD}, {107, 0xCF}, {108, 0xD0}, {109, 0xD1}, {110, 0xD2},
    {111, 0xD3}, {119, 0xC5}, {125, 0xDB}, {126, 0xDC}, {127, 0xDD},
};

// The kernel's key codes 1 to 83 and 86 to 88 are the keyboard's own scan codes, which
// DirectInput uses unchanged; the keys after them differ.
std::uint8_t scanCodeOfKernelKey(std::uint32_t code) {
    if ((code >= 1 && code <= 83) || (code >= 86 && code <= 88))
        return static_cast<std::uint8_t>(code);
    for (const KeyCode& k : kKernelExtendedKeys)
        if (static_cast<std::uint32_t>(k.key) == code)
            return k.scan;
    return 0;
}

} // namespace

NativeKeyCodes nativeKeyCodesOf(const QString& platformName) {
    if (platformName == QLatin1String("xcb") || platformName.startsWith(QLatin1String("wayland")))
        return NativeKeyCodes::Xkb;
    if (platformName == QLatin1String("windows"))
        return NativeKeyCodes::Windows;
    return NativeKeyCodes::None;
}

std::uint8_t KeyboardState::scanCodeOfNative(std::uint32_t native, NativeKeyCodes codes) {
    switch (codes) {
    case NativeKeyCodes::Xkb:
        return native > 8 ? scanCodeOfKernelKey(native - 8) : 0;
    case NativeKeyCodes::Windows: {
        // The extended keys (arrows, right Ctrl and Alt, keypad Enter and /) set bit 0x100;
        // DirectInput puts them at 0x80 and above.
        const std::uint32_t scan = native & 0xFF;
        if (scan == 0 || scan >= 0x80)
            return 0;
        return static_cast<std::uint8_t>((native & 0x100) ? scan | 0x80 : scan);
    }
    case NativeKeyCodes::None:
        return 0;
    }
    return 0;
}

std::uint8_t KeyboardState::scanCodeOf(const QKeyEvent& event, NativeKeyCodes codes) {
    if (event.nativeScanCode() != 0)
        if (const std::uint8_t scan = scanCodeOfNative(event.nativeScanCode(), codes))
            return scan;
    return scanCodeOf(event.key(), event.modifiers() & Qt::KeypadModifier);
}

std::uint8_t KeyboardState::scanCodeOf(int qtKey, bool keypad) {
    if (keypad)
        for (const KeyCode& k : kKeypadKeys)
            if (k.key == qtKey)
                return k.scan;
    for (const KeyCode& k : kMainKeys)
        if (k.key == qtKey)
            return k.scan;
    if (qtKey == Qt::Key_Enter)
        return 0x9C;
    return 0;
}

void KeyboardState::pressScanCode(std::uint8_t scan) {
    if (scan) {
        state_[scan] = kDown;
        tapped_[scan] = kDown;
    }
}

bool KeyboardState::anyDown() const {
    for (std::uint8_t byte : state_)
        if (byte & kDown)
            return true;
    return false;
}

std::array<std::uint8_t, 256> KeyboardState::poll() {
    std::array<std::uint8_t, 256> seen;
    for (std::size_t i = 0; i < seen.size(); ++i)
        seen[i] = state_[i] | tapped_[i];
    tapped_.fill(0);
    return seen;
}

void KeyboardState::releaseScanCode(std::uint8_t scan) {
    if (scan)
        state_[scan] = 0;
}

} // namespace zev::workspace
