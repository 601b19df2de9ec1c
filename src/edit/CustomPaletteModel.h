#pragma once

#include "common/Reporter.h"
#include "mission/CustomPaletteFile.h"
#include "mission/PaletteRecord.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zev::edit {

// The custom palette builder's working copy of a mission's palette record: the twenty entry
// names as the combo boxes hold them and the "use custom palette" check box. Files load into
// and save from the working copy; `compose` hands the record back for OK.
class CustomPaletteModel {
public:
    // A name holds at most 29 characters, the width of its field less the terminator.
    static constexpr std::size_t kNameChars = mission::PaletteRecord::entry(0).width - 1;

    explicit CustomPaletteModel(const mission::PaletteRecord& palette);

    const mission::PaletteNames& names() const { return names_; }
    const std::string& name(int entry) const { return names_.at(std::size_t(entry)); }
    // Keeps the first 29 characters.
    void setName(int entry, std::string_view name);
    bool useCustom() const { return useCustom_; }
    void setUseCustom(bool use) { useCustom_ = use; }

    // Replaces the twenty names with a file's; the check box stays. A refused file is reported
    // and changes nothing.
    bool loadFromFile(const std::filesystem::path& path, common::Reporter& reporter);
    bool saveToFile(const std::filesystem::path& path, common::Reporter& reporter) const;

    // The record with the working names and the check box as its flag (1 or 0). What was not
    // changed keeps its stored bytes, so an OK without edits gives the record back as it was.
    mission::PaletteRecord compose() const;

private:
    mission::PaletteRecord original_;
    mission::PaletteNames names_;
    bool useCustom_ = false;
};

// The names the settings file lists in "CUSTOM COLOR PALETTES" under "ITEM 1" .. "ITEM <ITEM
// COUNT>", in item order. A missing file or section gives none.
std::vector<std::string> readCustomPaletteChoices(const std::filesystem::path& iniFile);

} // namespace zev::edit
