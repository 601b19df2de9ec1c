#include "KeyTable.h"

#include "common/FileIo.h"

#include <algorithm>
#include <cstring>

namespace zev::edit {

namespace {

constexpr const char* kProgramTitle = "ZEVEDIT 3D";
constexpr std::uint8_t kSpaceBar = 0x39;

struct DefaultKey {
    const char* action;
    std::uint8_t scanCode;
    const char* name;
};

constexpr DefaultKey kDefaults[KeyTable::kActions] = {
    {"Object Rotation Around Y Axis Increase", 0x34, "<"},
    {"Object Rotation Around Y Axis Decrease", 0x33, ">"},
    {"Object Rotation Around X Axis Increase", 0x48, "Up Arrow (Num Pad)"},
    {"Object Rotation Around X Axis Decrease", 0x50, "Down Arrow (Num Pad)"},
    {"Object Rotation Around Z Axis Increase", 0x4B, "Left Arrow (Num Pad)"},
    {"Object Rotation Around Z Axis Decrease", 0x4D, "Right Arrow (Num Pad)"},
    {"Object Movement X Axis Increase", 0x9C, "Enter (Num Pad)"},
    {"Object Movement X Axis Decrease", 0x53, "Delete (Num Pad)"},
    {"Object Movement Y Axis Increase", 0x4E, "+ (Num Pad)"},
    {"Object Movement Y Axis Decrease", 0x4A, "- (Num Pad)"},
    {"Object Movement Z Axis Increase", 0xB5, "/ (Num Pad)"},
    {"Object Movement Z Axis Decrease", 0x37, "* (Num Pad)"},
    {"Work Space Camera Move Ahead", 0xC8, "Up Arrow"},
    {"Work Space Camera Move Back", 0xD0, "Down Arrow"},
    {"Work Space Camera Steer left", 0xCB, "Left Arrow"},
    {"Work Space Camera Steer Right", 0xCD, "Right Arrow"},
    {"Set Camera to Top View", 0x14, "T"},
    {"Set Camera to Front View", 0x21, "F"},
    {"Work Space Camera Y Axis Increase", 0xC9, "PgUp (Page Up)"},
    {"Work Space Camera Y Axis Decrease", 0xD1, "PgDn (Page Down)"},
    {"Selected Object Deletion", 0xD3, "Delete Key"},
    {"Drop Mode", 0xD2, "Insert Key"},
    {"Mouse Mode", 0xC7, "Home Key"},
};

constexpr KeyChoice kChoices[] = {
    {"(NO ACTION)", 0x00},
    {"ESC        ", 0x01},
    {"1", 0x02},
    {"2 ", 0x03},
    {"3", 0x04},
    {"4", 0x05},
    {"5", 0x06},
    {"6", 0x07},
    {"7", 0x08},
    {"8", 0x09},
    {"9", 0x0A},
    {"0", 0x0B},
    {"MINUS  (on main keyboard)", 0x0C},
    {"EQUALS", 0x0D},
    {"BACK (backspace)", 0x0E},
    {"TAB", 0x0F},
    {"Q", 0x10},
    {"W", 0x11},
    {"E", 0x12},
    {"R", 0x13},
    {"T", 0x14},
    {"Y", 0x15},
    {"U", 0x16},
    {"I", 0x17},
    {"O", 0x18},
    {"P", 0x19},
    {"[", 0x1A},
    {"]", 0x1B},
    {"RETURN (Enter on main keyboard)", 0x1C},
    {"LEFT CONTROL", 0x1D},
    {"A", 0x1E},
    {"S", 0x1F},
    {"D", 0x20},
    {"F", 0x21},
    {"G", 0x22},
    {"H", 0x23},
    {"J", 0x24},
    {"K", 0x25},
    {"L", 0x26},
    {"SEMICOLON", 0x27},
    {"APOSTROPHE", 0x28},
    {"GRAVE (accent grave)", 0x29},
    {"LEFT SHIFT", 0x2A},
    {"BACK SLASH", 0x2B},
    {"Z", 0x2C},
    {"X", 0x2D},
    {"C", 0x2E},
    {"V", 0x2F},
    {"B", 0x30},
    {"N", 0x31},
    {"M", 0x32},
    {"COMMA", 0x33},
    {"PERIOD (on main keyboard)", 0x34},
    {"SLASH (on main keyboard)", 0x35},
    {"RIGHT SHIFT", 0x36},
    {"MULTIPLY  ( * on numeric keypad)", 0x37},
    {"LEFT MENU (left Alt)", 0x38},
    {"SPACE BAR", 0x39},
    {"CAPITAL", 0x3A},
    {"F1", 0x3B},
    {"F2", 0x3C},
    {"F3", 0x3D},
    {"F4", 0x3E},
    {"F5", 0x3F},
    {"F6", 0x40},
    {"F7", 0x41},
    {"F8", 0x42},
    {"F9", 0x43},
    {"F10", 0x44},
    {"NUM LOCK", 0x45},
    {"SCROLL (Scroll Lock)", 0x46},
    {"NUM PAD 7", 0x47},
    {"NUM PAD 8", 0x48},
    {"NUM PAD 9", 0x49},
    {"SUBTRACT  ( - on numeric keypad)", 0x4A},
    {"NUM PAD 4", 0x4B},
    {"NUM PAD 5", 0x4C},
    {"NUM PAD 6", 0x4D},
    {"NUM PAD ADD  ( + on numeric keypad)", 0x4E},
    {"NUM PAD 1", 0x4F},
    {"NUM PAD 2", 0x50},
    {"NUM PAD 3", 0x51},
    {"NUM PAD 0", 0x52},
    {"DECIMAL  ( . on numeric keypad)", 0x53},
    {"F11", 0x57},
    {"F12", 0x58},
    {"NUM PAD ENTER (Enter on numeric keypad)", 0x9C},
    {"RIGHT CONTROL", 0x9D},
    {"DIVIDE ( / on numeric keypad)", 0xB5},
    {"SYS REQUEST", 0xB7},
    {"RIGHT MENU (right Alt)", 0xB8},
    {"HOME", 0xC7},
    {"UP (Up Arrow) ", 0xC8},
    {"PRIOR (PgUp)", 0xC9},
    {"LEFT (LeftArrow)", 0xCB},
    {"RIGHT (RightArrow)", 0xCD},
    {"END (End)", 0xCF},
    {"DOWN  (DownArrow)", 0xD0},
    {"NEXT (PgDn)", 0xD1},
    {"INSERT (Insert)", 0xD2},
    {"DELETE (Delete)", 0xD3},
    {"NUM PAD STAR ( * on numeric keypad)", 0x37},
};
static_assert(std::size(kChoices) == 102);

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

KeyTable KeyTable::defaults() {
    KeyTable table;
    for (int action = 1; action <= kActions; ++action) {
        const DefaultKey& d = kDefaults[action - 1];
        table.entries_[std::size_t(action)] = {d.scanCode, d.name};
    }
    return table;
}

std::vector<std::uint8_t> KeyTable::fileImage() const {
    std::vector<std::uint8_t> image(kFileSize, 0);
    std::memcpy(image.data(), "MAP", 4);
    for (int i = 0; i < kEntries; ++i) {
        std::uint8_t* at = image.data() + 4 + i * kEntrySize;
        const Entry& e = entries_[std::size_t(i)];
        at[0] = e.scanCode;
        // The name field holds at most 49 characters and its terminator.
        std::memcpy(at + 1, e.name.data(), std::min<std::size_t>(e.name.size(), kEntrySize - 2));
    }
    return image;
}

std::optional<KeyTable> KeyTable::fromFileImage(std::span<const std::uint8_t> image) {
    // The magic is found as the loader found it: "MAP" within the first four bytes.
    if (image.size() < kFileSize ||
        std::string_view(reinterpret_cast<const char*>(image.data()), 4).find("MAP") ==
            std::string_view::npos)
        return std::nullopt;
    KeyTable table;
    for (int i = 0; i < kEntries; ++i) {
        const std::uint8_t* at = image.data() + 4 + i * kEntrySize;
        const char* name = reinterpret_cast<const char*>(at + 1);
        // As many characters as a written file keeps (the field's last byte is its terminator).
        table.entries_[std::size_t(i)] = {at[0], std::string(name, strnlen(name, kEntrySize - 2))};
    }
    return table;
}

KeyTable KeyTable::load(const std::filesystem::path& programDirectory) {
    const auto image = common::readWholeFile(programDirectory / "key.map", 1 << 20);
    if (image)
        if (auto table = fromFileImage(*image))
            return *table;
    return defaults();
}

bool KeyTable::save(const std::filesystem::path& programDirectory,
                    common::Reporter& reporter) const {
    std::error_code reason;
    const std::filesystem::path path = programDirectory / "key.map";
    if (common::writeWholeFile(path, fileImage(), &reason))
        return true;
    reporter.report(kMapWriteError, kProgramTitle, common::MessageIcon::Stop);
    reporter.detail(common::describeFileFailure("cannot write", path, reason));
    return false;
}

std::vector<int> KeyTable::actionsFor(std::span<const std::uint8_t, 256> keyboard) const {
    std::vector<int> actions;
    for (int code = 1; code < 256; ++code) {
        if ((keyboard[std::size_t(code)] & 0x80) == 0)
            continue;
        for (int i = 0; i < kEntries; ++i)
            if (entries_[std::size_t(i)].scanCode == code) {
                if (i >= 1 && i <= kActions)
                    actions.push_back(i);
                break;
            }
    }
    return actions;
}

bool KeyTable::runsAnAction(std::uint8_t scanCode) const {
    if (scanCode == 0)
        return false;
    for (int i = 0; i < kEntries; ++i)
        if (entries_[std::size_t(i)].scanCode == scanCode)
            return i >= 1 && i <= kActions;
    return false;
}

const char* workspaceActionText(int action) {
    return action >= 1 && action <= KeyTable::kActions ? kDefaults[action - 1].action : "";
}

std::span<const KeyChoice> keySelectionList() {
    return kChoices;
}

std::optional<std::size_t> findKeyChoice(std::string_view text) {
    const std::string_view wanted = trimBlanks(text);
    for (std::size_t i = 0; i < std::size(kChoices); ++i)
        if (trimBlanks(kChoices[i].text) == wanted)
            return i;
    return std::nullopt;
}

bool KeyMappingModel::choose(int action, std::size_t choice, common::Reporter& reporter) {
    if (action < 1 || action > KeyTable::kActions || choice >= std::size(kChoices))
        return false;
    const KeyChoice& item = kChoices[choice];
    if (item.scanCode == kSpaceBar) {
        reporter.report(kSpaceBarReserved, kProgramTitle, common::MessageIcon::Stop);
        return false;
    }
    if (item.scanCode != 0)
        for (int i = 0; i < KeyTable::kEntries; ++i)
            if (i != action && working_.entry(i).scanCode == item.scanCode) {
                reporter.report(kKeyAlreadyAssigned, kProgramTitle,
                                common::MessageIcon::Information);
                return false;
            }
    working_.setEntry(action, {item.scanCode, item.text});
    return true;
}

} // namespace zev::edit
