#include "Latin1Text.h"

#include <cstdio>

namespace zev::common {

std::string latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> utf8ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const bool twoByteLatin1 = (c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
                                   (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80;
        if (!twoByteLatin1)
            return std::nullopt;
        out += static_cast<char>(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
    }
    return out;
}

std::string printableText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const unsigned char c : bytes) {
        if (c < 0x20 || (c >= 0x7f && c < 0xa0)) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        } else if (c >= 0xa0) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace zev::common
