#include "CommandTemplate.h"

namespace zev::platform {

const char* const kDefaultDosTemplate =
    R"(dosbox -noautoexec -c "mount c \"{progdir}\"" -c "mount d \"{gamedir}\"" -c "c:" )"
    R"(-c "{cmd}" -c "exit")";
const char* const kDefaultWindowsTemplate = "wine {cmd}";

std::optional<std::vector<TemplateWord>> splitTemplate(std::string_view t) {
    std::vector<TemplateWord> words;
    TemplateWord word;
    bool inWord = false;
    bool inQuotes = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '\\' && i + 1 < t.size() && t[i + 1] == '"') {
            word.text += '"';
            inWord = true;
            ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
            word.quoted = true;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (inWord)
                words.push_back(std::move(word));
            word = {};
            inWord = false;
        } else {
            word.text += c;
            inWord = true;
        }
    }
    if (inQuotes)
        return std::nullopt;
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool inQuotes = false;
    for (const char c : line) {
        if (c == '"') {
            inQuotes = !inQuotes;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

namespace {

std::string substitute(const std::string& text, const TemplateValues& v) {
    static const struct {
        const char* name;
        std::string TemplateValues::*value;
    } placeholders[] = {{"{progdir}", &TemplateValues::progdir},
                        {"{gamedir}", &TemplateValues::gamedir},
                        {"{cd}", &TemplateValues::cd},
                        {"{cmd}", &TemplateValues::cmd}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& p : placeholders) {
            const std::string_view name = p.name;
            if (text.compare(i, name.size(), name) == 0) {
                out += v.*(p.value);
                i += name.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

} // namespace

std::vector<std::string> expandTemplate(const std::vector<TemplateWord>& words,
                                        const TemplateValues& values) {
    std::vector<std::string> out;
    for (const auto& w : words) {
        if (!w.quoted && w.text == "{cmd}") {
            for (auto& part : splitCommandLine(values.cmd))
                out.push_back(std::move(part));
            continue;
        }
        out.push_back(substitute(w.text, values));
    }
    return out;
}

bool templateMountsDirectories(std::string_view t) {
    return t.find("{progdir}") != std::string_view::npos ||
           t.find("{gamedir}") != std::string_view::npos;
}

std::string wineDrivePath(const std::filesystem::path& path) {
    std::string text = std::filesystem::absolute(path).lexically_normal().generic_string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    for (char& c : text)
        if (c == '/')
            c = '\\';
    return "Z:" + text;
}

} // namespace zev::platform
