// Feeds arbitrary bytes to the "zevedit.ini" reader. Every section and key it reports must be
// found again under any case with a trimmed, single-line value, and the profile written back as
// text must read back the same.

#include "common/IniFile.h"
#include "common/Numbers.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using zev::common::IniFile;

void require(bool condition) {
    if (!condition)
        std::abort();
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool trimmed(std::string_view s) {
    return s.empty() || (!isBlank(s.front()) && !isBlank(s.back()));
}

std::string swappedCase(std::string s) {
    for (char& c : s) {
        const auto u = static_cast<unsigned char>(c);
        c = static_cast<char>(std::islower(u) ? std::toupper(u) : std::tolower(u));
    }
    return s;
}

void requireDistinct(const std::vector<std::string>& names) {
    std::vector<std::string> lower;
    for (const std::string& name : names) {
        std::string& l = lower.emplace_back(name);
        for (char& c : l)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::sort(lower.begin(), lower.end());
    require(std::adjacent_find(lower.begin(), lower.end()) == lower.end());
}

// A value cannot hold a line end, so this default shows when a lookup found nothing.
constexpr std::string_view kAbsent = "\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IniFile ini = IniFile::parse(text);

    const std::vector<std::string> sections = ini.sections();
    requireDistinct(sections);
    const std::string eol = size % 2 ? "\r\n" : "\n";
    std::string rewritten = "; written back\n";
    for (const std::string& section : sections) {
        require(trimmed(section) && section.find(']') == std::string::npos &&
                section.find('\n') == std::string::npos);
        rewritten += "[" + section + "]" + eol;
        const std::vector<std::string> keys = ini.keys(section);
        requireDistinct(keys);
        for (const std::string& key : keys) {
            require(trimmed(key) && key.find('=') == std::string::npos);
            require(key.empty() || (key.front() != ';' && key.front() != '['));
            const std::string value = ini.getString(section, key, kAbsent);
            require(value.find('\n') == std::string::npos);
            require(ini.hasKey(section, key));
            require(ini.getString(swappedCase(section), swappedCase(key), kAbsent) == value);
            require(ini.getInt(section, key, 7) == zev::common::leadingInt(value));
            // Quoted, so blanks kept inside a pair of quotes survive the trimming.
            rewritten += key + "=\"" + value + "\"" + eol;
        }
        require(!ini.hasKey(section, "a=b"));
        require(ini.getInt(section, "line\nend", -5) == -5);
    }
    require(ini.getString("no]such", "key", kAbsent) == kAbsent);

    const IniFile again = IniFile::parse(rewritten);
    require(again.sections() == sections);
    for (const std::string& section : sections) {
        require(again.keys(section) == ini.keys(section));
        for (const std::string& key : ini.keys(section))
            require(again.getString(section, key, kAbsent) == ini.getString(section, key, kAbsent));
    }
    return 0;
}
