#include "CustomPaletteModel.h"

#include "common/FixedText.h"
#include "common/IniFile.h"
#include "common/Numbers.h"

#include <algorithm>
#include <utility>

namespace zev::edit {

namespace {

using mission::PaletteRecord;

constexpr std::string_view kSection = "CUSTOM COLOR PALETTES";
} // namespace

CustomPaletteModel::CustomPaletteModel(const PaletteRecord& palette)
    : original_(palette), names_(mission::paletteNames(palette)),
      useCustom_(palette.byte(PaletteRecord::flag) != 0) {
    for (std::string& name : names_)
        name.resize(std::min(name.size(), kNameChars));
}

void CustomPaletteModel::setName(int entry, std::string_view name) {
    names_.at(std::size_t(entry)) = std::string(name.substr(0, kNameChars));
}

bool CustomPaletteModel::loadFromFile(const std::filesystem::path& path,
                                      common::Reporter& reporter) {
    auto loaded = mission::readCustomPaletteFile(path, reporter);
    if (!loaded)
        return false;
    names_ = std::move(*loaded);
    return true;
}

bool CustomPaletteModel::saveToFile(const std::filesystem::path& path,
                                    common::Reporter& reporter) const {
    return mission::writeCustomPaletteFile(path, names_, reporter);
}

PaletteRecord CustomPaletteModel::compose() const {
    PaletteRecord out = original_;
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        if (names_[std::size_t(i)] != original_.text(PaletteRecord::entry(i)))
            out.setText(PaletteRecord::entry(i), names_[std::size_t(i)]);
    if (useCustom_ != (original_.byte(PaletteRecord::flag) != 0))
        out.setByte(PaletteRecord::flag, useCustom_ ? 1 : 0);
    return out;
}

std::vector<std::string> readCustomPaletteChoices(const std::filesystem::path& iniFile) {
    return common::IniFile::load(iniFile).itemList(kSection);
}

} // namespace zev::edit
