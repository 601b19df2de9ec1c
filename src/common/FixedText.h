#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Texts stored in fixed-width fields: NUL-terminated within the field, so a field of width w
// holds at most w - 1 characters. A field without a terminator is read up to its width.
namespace zev::common {

std::string readFixedText(std::span<const std::uint8_t> field);

// Stores `text` cut to the width less one and zero-fills the rest of the field, so no stale
// bytes of an earlier value survive behind the terminator.
void writeFixedText(std::span<std::uint8_t> field, std::string_view text);

// The text cut as a field of `width` would cut it.
std::string fitToField(std::string_view text, std::size_t width);

} // namespace zev::common
