#include "IniFile.h"

#include "FileIo.h"

#include "Numbers.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace zev::common {

namespace {

std::string_view trim(std::string_view s) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view unquote(std::string_view s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

} // namespace

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

IniFile IniFile::load(const std::filesystem::path& path) {
    // A settings file is small; anything that is no regular file or is huge reads as missing.
    constexpr std::uintmax_t kMaxIniSize = 16u << 20;
    const auto bytes = readWholeFile(path, kMaxIniSize);
    if (!bytes)
        return {};
    return parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    Section* current = nullptr;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            const std::string_view name =
                trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            current = nullptr;
            for (auto& s : ini.sections_)
                if (equalsIgnoreCase(s.name, name))
                    current = &s;
            if (!current) {
                ini.sections_.push_back({std::string(name), {}});
                current = &ini.sections_.back();
            }
            continue;
        }
        const auto eq = line.find('=');
        if (!current || eq == std::string_view::npos)
            continue;
        const std::string_view key = trim(line.substr(0, eq));
        const std::string_view value = unquote(trim(line.substr(eq + 1)));
        bool seen = false;
        for (const auto& e : current->entries)
            seen = seen || equalsIgnoreCase(e.key, key);
        if (!seen)
            current->entries.push_back({std::string(key), std::string(value)});
    }
    return ini;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (const auto& s : sections_)
        if (equalsIgnoreCase(s.name, name))
            return &s;
    return nullptr;
}

const IniFile::Entry* IniFile::find(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s)
        return nullptr;
    for (const auto& e : s->entries)
        if (equalsIgnoreCase(e.key, key))
            return &e;
    return nullptr;
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
    const Entry* e = find(section, key);
    return std::string(e ? std::string_view(e->value) : defaultValue);
}

std::int32_t IniFile::getInt(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const {
    const Entry* e = find(section, key);
    return e ? leadingInt(e->value) : defaultValue;
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    return find(section, key) != nullptr;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    if (const Section* s = findSection(section))
        for (const auto& e : s->entries)
            out.push_back(e.key);
    return out;
}

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> out;
    for (const auto& s : sections_)
        out.push_back(s.name);
    return out;
}

std::vector<std::string> IniFile::itemList(std::string_view section) const {
    const std::int64_t count = getInt(section, "ITEM COUNT", 0);
    constexpr std::string_view prefix = "ITEM ";
    // The number n of a key as "ITEM %d" writes it, for 1 <= n <= count; else 0.
    const auto itemNumber = [&](std::string_view key) -> std::int64_t {
        if (key.size() <= prefix.size() || !equalsIgnoreCase(key.substr(0, prefix.size()), prefix))
            return 0;
        const std::string_view digits = key.substr(prefix.size());
        const auto n = parseDecimalInRange(digits, 1, count);
        return n && decimal(*n) == digits ? *n : 0;
    };
    std::vector<std::pair<std::int64_t, std::string>> items;
    for (const std::string& key : keys(section))
        if (const std::int64_t n = itemNumber(key); n > 0)
            if (std::string value = getString(section, key, ""); !value.empty())
                items.emplace_back(n, std::move(value));
    std::sort(items.begin(), items.end());
    std::vector<std::string> values;
    for (auto& item : items)
        values.push_back(std::move(item.second));
    return values;
}

} // namespace zev::common
