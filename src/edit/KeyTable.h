#pragma once

#include "common/Reporter.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zev::edit {

// The workspace key table: 30 entries of 51 bytes, entry i for workspace action i (1 to 23;
// entry 0 and 24 to 29 belong to no action). Each entry holds a scan code (0: no key) and the
// key's name as the mapping dialog shows it.
class KeyTable {
public:
    static constexpr int kEntries = 30;
    static constexpr int kEntrySize = 51;
    static constexpr int kActions = 23;
    static constexpr std::size_t kFileSize = 4 + kEntries * kEntrySize;

    struct Entry {
        std::uint8_t scanCode = 0;
        std::string name;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // Entries 1 to 23 with their default keys.
    static KeyTable defaults();
    // "key.map" as the file holds it: "MAP", a NUL, then the 30 entries.
    std::vector<std::uint8_t> fileImage() const;
    // The table of a file image; nothing for a foreign or short file.
    static std::optional<KeyTable> fromFileImage(std::span<const std::uint8_t> image);
    // The defaults, then "key.map" of the program directory over them when it is a key map.
    static KeyTable load(const std::filesystem::path& programDirectory);
    // Writes "key.map" through a temporary file; "Error Writing Map File!" when it fails.
    bool save(const std::filesystem::path& programDirectory, common::Reporter& reporter) const;

    const Entry& entry(int index) const { return entries_.at(std::size_t(index)); }
    void setEntry(int index, Entry entry) { entries_.at(std::size_t(index)) = std::move(entry); }

    // The actions to run this frame for the keys down in a 256-byte keyboard state (bit 0x80):
    // keys in scan-code order, each running the first entry (from 0 upward) that holds it.
    std::vector<int> actionsFor(std::span<const std::uint8_t, 256> keyboard) const;
    // Whether a key runs a workspace action.
    bool runsAnAction(std::uint8_t scanCode) const;

    friend bool operator==(const KeyTable&, const KeyTable&) = default;

private:
    std::array<Entry, kEntries> entries_{};
};

// The dialog text of a workspace action (1 to 23).
const char* workspaceActionText(int action);

// The 102 items of the key selection list with their scan codes.
struct KeyChoice {
    const char* text;
    std::uint8_t scanCode;
};
std::span<const KeyChoice> keySelectionList();
// The item whose text, trimmed of blanks, is `text` trimmed; nothing when none is.
std::optional<std::size_t> findKeyChoice(std::string_view text);

constexpr const char* kSpaceBarReserved = "Space Bar is reserved by Editor Work Space!";
constexpr const char* kKeyAlreadyAssigned =
    "This Key has already been asigned to a WorkSpace Function!";
constexpr const char* kMapWriteError = "Error Writing Map File!";

// The mapping dialog's working copy: choosing a key for a row with its two refusals, OK
// writing the table.
class KeyMappingModel {
public:
    explicit KeyMappingModel(const KeyTable& table) : working_(table) {}
    const KeyTable& working() const { return working_; }
    // Chooses item `choice` of the selection list for `action` (1 to 23). A refusal is
    // reported (caption "ZEVEDIT 3D") and changes nothing; false then.
    bool choose(int action, std::size_t choice, common::Reporter& reporter);

private:
    KeyTable working_;
};

} // namespace zev::edit
