#include "FixedText.h"

#include <algorithm>

namespace zev::common {

std::string readFixedText(std::span<const std::uint8_t> field) {
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

void writeFixedText(std::span<std::uint8_t> field, std::string_view text) {
    if (field.empty())
        return;
    const std::size_t n = std::min(text.size(), field.size() - 1);
    std::copy_n(text.begin(), n, field.begin());
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), std::uint8_t{0});
}

std::string fitToField(std::string_view text, std::size_t width) {
    if (width == 0)
        return {};
    return std::string(text.substr(0, width - 1));
}

} // namespace zev::common
