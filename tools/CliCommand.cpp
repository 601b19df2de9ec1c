#include "CliCommand.h"

#include "common/Latin1Text.h"

#include <algorithm>
#include <ostream>

namespace zev::cli {

void StreamReporter::report(const std::string& text, const std::string& caption,
                            common::MessageIcon) {
    // Message texts break lines with CR LF as a message box shows them; print them on one line.
    std::string oneLine;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            oneLine += ' ';
            ++i;
        } else {
            oneLine += text[i];
        }
    }
    err_ << caption << ": " << oneLine << '\n';
}

void StreamReporter::detail(const std::string& text) {
    err_ << "  " << text << '\n';
}

ArgParser::ArgParser(const std::vector<std::string>& args, std::vector<std::string> valueOptions,
                     std::vector<std::string> flagOptions) {
    const auto known = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0 || a == "--") {
            positionals_.push_back(a);
            continue;
        }
        const std::string name = a.substr(2);
        if (known(flagOptions, name)) {
            flags_.push_back(name);
        } else if (known(valueOptions, name)) {
            if (i + 1 >= args.size()) {
                error_ = "option " + a + " needs a value";
                return;
            }
            values_.emplace_back(name, args[++i]);
        } else {
            error_ = "unknown option " + a;
            return;
        }
    }
}

bool ArgParser::flag(const std::string& name) const {
    return std::find(flags_.begin(), flags_.end(), name) != flags_.end();
}

bool ArgParser::has(const std::string& name) const {
    return std::any_of(values_.begin(), values_.end(),
                       [&](const auto& v) { return v.first == name; });
}

std::string ArgParser::value(const std::string& name, const std::string& fallback) const {
    for (auto it = values_.rbegin(); it != values_.rend(); ++it)
        if (it->first == name)
            return it->second;
    return fallback;
}

std::vector<std::string> ArgParser::values(const std::string& name) const {
    std::vector<std::string> all;
    for (const auto& v : values_)
        if (v.first == name)
            all.push_back(v.second);
    return all;
}

std::optional<std::string> typedText(std::string_view utf8, std::size_t maxLength,
                                     std::string& problem) {
    auto latin1 = common::utf8ToLatin1(utf8);
    if (!latin1) {
        problem = "holds a character the files cannot store (they keep Latin-1 texts)";
        return std::nullopt;
    }
    if (latin1->size() > maxLength) {
        problem = "is " + std::to_string(latin1->size()) + " characters long; at most " +
                  std::to_string(maxLength) + " fit";
        return std::nullopt;
    }
    return latin1;
}

int usageError(const CliContext& context, const CliCommand& command, const std::string& problem) {
    context.err << "zevedit-cli " << command.name << ": " << problem << '\n'
                << "usage: zevedit-cli " << command.name << ' ' << command.synopsis << '\n';
    return kExitUsage;
}

} // namespace zev::cli
