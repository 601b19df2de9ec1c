#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zev::common {

// Converts the leading number of a text as the C library's atoi does: leading blanks, an
// optional sign, then digits. Text that does not start with a number gives 0; values beyond
// the 32-bit range are clamped.
std::int32_t leadingInt(std::string_view text);

// A whole decimal number that is all of `text` (an optional minus, digits) and lies within
// [min, max]; nothing otherwise. Never throws, whatever the text.
std::optional<std::int64_t> parseDecimalInRange(std::string_view text, std::int64_t min,
                                                std::int64_t max);

// "%d" of a value.
std::string decimal(std::int64_t value);

// A floating-point value as printf writes it in the C locale, whatever the process locale (a
// GUI program runs in the user's, where "%f" may write "1,500000"): "%.<precision>f" for
// `fixed`, "%.<precision>g" for `general`, "%.<precision>e" for `scientific`. Every generated
// text writes its floats through this.
std::string cFloat(double value, std::chars_format format = std::chars_format::fixed,
                   int precision = 6);

// Game units from a workspace coordinate: 100 x the coordinate truncated toward zero.
std::int32_t gameUnitsFromWorkspace(double workspaceCoordinate);

} // namespace zev::common
