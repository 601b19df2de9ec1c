#pragma once

#include "common/Reporter.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zev::cli {

// Exit statuses of every command.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // a reported failure
constexpr int kExitUsage = 2;  // bad usage

// What a command gets: its own arguments (after the command name), the program directory and
// a reporter that prints "CAPTION: TEXT" on standard error.
struct CliContext {
    std::vector<std::string> args;
    std::filesystem::path programDirectory;
    common::Reporter& reporter;
    std::ostream& out;
    std::ostream& err;
    // The defaults installed with the program (share/zevedit); empty when there are none.
    std::filesystem::path defaultsDirectory = {};
};

struct CliCommand {
    std::string name;
    std::string synopsis; // one line: arguments and options
    std::string help;     // what it does
    // Gets the command itself so it can print its own usage.
    std::function<int(CliContext&, const CliCommand&)> run;
};

// Prints "CAPTION: TEXT" on the given stream, one message per line.
class StreamReporter : public common::Reporter {
public:
    explicit StreamReporter(std::ostream& err) : err_(err) {}
    void report(const std::string& text, const std::string& caption,
                common::MessageIcon icon) override;
    void detail(const std::string& text) override;

private:
    std::ostream& err_;
};

// A small argument parser: positionals and "--name value" / "--flag" options.
class ArgParser {
public:
    ArgParser(const std::vector<std::string>& args, std::vector<std::string> valueOptions,
              std::vector<std::string> flagOptions);
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::vector<std::string>& positionals() const { return positionals_; }
    bool flag(const std::string& name) const;
    // The value of an option, or `fallback` when it was not given.
    std::string value(const std::string& name, const std::string& fallback = {}) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> values(const std::string& name) const;
    bool has(const std::string& name) const;

private:
    std::vector<std::string> positionals_;
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> flags_;
    std::string error_;
};

// A text typed on the command line as a file keeps it: the Latin-1 bytes of the UTF-8 text, at
// most `maxLength` of them. Nothing, and `problem` saying why, when a character is not Latin-1
// or the text is longer than its field (it is never cut silently).
std::optional<std::string> typedText(std::string_view utf8, std::size_t maxLength,
                                     std::string& problem);

// Prints the usage of `command` and returns kExitUsage.
int usageError(const CliContext& context, const CliCommand& command, const std::string& problem);

// The commands of the tool, in the order `--help` lists them.
std::vector<CliCommand> missionCommands();
std::vector<CliCommand> archiveCommands();
std::vector<CliCommand> gameDataCommands();
std::vector<CliCommand> buildCommands();
std::vector<CliCommand> launchCommands();
std::vector<CliCommand> renderCommands();
std::vector<CliCommand> editCommands();
std::vector<CliCommand> tableCommands();
std::vector<CliCommand> paletteCommands();
std::vector<CliCommand> checkCommands();

} // namespace zev::cli
