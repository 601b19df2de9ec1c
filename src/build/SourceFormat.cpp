#include "SourceFormat.h"

#include <cstdarg>
#include <cstdio>

namespace zev::build {

void appendf(std::string& out, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed > 0) {
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(out.data() + start, static_cast<std::size_t>(needed) + 1, format, args);
        out.resize(start + static_cast<std::size_t>(needed));
    }
    va_end(args);
}

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

} // namespace zev::build
