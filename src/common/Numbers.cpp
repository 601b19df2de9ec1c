#include "Numbers.h"

#include <charconv>

#include <cmath>
#include <limits>

namespace zev::common {

std::int32_t leadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            value = limit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        value = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::optional<std::int64_t> parseDecimalInRange(std::string_view text, std::int64_t min,
                                                std::int64_t max) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < min || value > max)
        return std::nullopt;
    return value;
}

std::string decimal(std::int64_t value) {
    return std::to_string(value);
}

std::string cFloat(double value, std::chars_format format, int precision) {
    // Fixed notation of a large double takes over 300 digits: grow until it fits.
    std::string out(64, '\0');
    for (;;) {
        const auto [end, error] =
            std::to_chars(out.data(), out.data() + out.size(), value, format, precision);
        if (error == std::errc()) {
            out.resize(static_cast<std::size_t>(end - out.data()));
            return out;
        }
        out.resize(out.size() * 2);
    }
}

std::int32_t gameUnitsFromWorkspace(double workspaceCoordinate) {
    const double truncated = std::trunc(workspaceCoordinate);
    if (!(truncated * 100.0 < 2147483647.0) || !(truncated * 100.0 > -2147483648.0))
        return truncated < 0 ? std::numeric_limits<std::int32_t>::min()
                             : std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(truncated) * 100;
}

} // namespace zev::common
