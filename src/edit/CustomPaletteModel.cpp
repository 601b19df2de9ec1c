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
constexpr std::string_view kItemPrefix = "ITEM ";

// The number n of a key that "ITEM %d" composes for 1 <= n <= count, else 0.
std::int64_t itemNumber(std::string_view key, std::int64_t count) {
    if (key.size() <= kItemPrefix.size() ||
        !common::equalsIgnoreCase(key.substr(0, kItemPrefix.size()), kItemPrefix))
        return 0;
    const std::string_view digits = key.substr(kItemPrefix.size());
    const auto n = common::parseDecimalInRange(digits, 1, count);
    return n && common::decimal(*n) == digits ? *n : 0;
}

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
    const common::IniFile ini = common::IniFile::load(iniFile);
    const std::int32_t count = ini.getInt(kSection, "ITEM COUNT", 0);
    // Only keys the file holds can give a name, so a huge count costs nothing.
    std::vector<std::pair<std::int64_t, std::string>> items;
    for (const std::string& key : ini.keys(kSection))
        if (const std::int64_t n = itemNumber(key, count); n > 0)
            if (std::string value = ini.getString(kSection, key, ""); !value.empty())
                items.emplace_back(n, std::move(value));
    std::sort(items.begin(), items.end());
    std::vector<std::string> names;
    for (auto& item : items)
        names.push_back(std::move(item.second));
    return names;
}

} // namespace zev::edit
