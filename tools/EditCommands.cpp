// Commands over the editor's own settings files: keymap.

#include "CliCommand.h"

#include "common/Latin1Text.h"
#include "common/Numbers.h"
#include "edit/KeyTable.h"

#include <ostream>

namespace zev::cli {

namespace {

int runKeymap(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"set"}, {"reset"});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (!args.positionals().empty())
        return usageError(c, self, "no file expected");
    const std::vector<std::string> sets = args.values("set");
    if (args.flag("reset")) {
        if (!sets.empty())
            return usageError(c, self, "--reset and --set do not go together");
        return edit::KeyTable::defaults().save(c.programDirectory, c.reporter) ? kExitOk
                                                                               : kExitFailed;
    }
    const edit::KeyTable table = edit::KeyTable::load(c.programDirectory);
    if (sets.empty()) {
        for (int action = 1; action <= edit::KeyTable::kActions; ++action)
            c.out << action << '\t' << edit::workspaceActionText(action) << '\t'
                  << common::printableText(table.entry(action).name) << '\n';
        return kExitOk;
    }
    // Every choice as the mapping dialog makes it, then OK; a refusal writes nothing.
    edit::KeyMappingModel model(table);
    for (const std::string& set : sets) {
        const auto eq = set.find('=');
        const auto row = eq == std::string::npos
                             ? std::nullopt
                             : common::parseDecimalInRange(std::string_view(set).substr(0, eq), 1,
                                                           edit::KeyTable::kActions);
        if (!row)
            return usageError(c, self, "--set takes N=ITEM with N from 1 to 23");
        const auto item = common::utf8ToLatin1(std::string_view(set).substr(eq + 1));
        const auto choice = item ? edit::findKeyChoice(*item) : std::nullopt;
        if (!choice)
            return usageError(c, self, "no key selection item '" + set.substr(eq + 1) + "'");
        if (!model.choose(static_cast<int>(*row), *choice, c.reporter))
            return kExitFailed;
    }
    return model.working().save(c.programDirectory, c.reporter) ? kExitOk : kExitFailed;
}

} // namespace

std::vector<CliCommand> editCommands() {
    return {
        {"keymap", "[--set N=ITEM]... [--reset]",
         "Without options, lists the workspace key table of the program directory's key.map\n"
         "(the defaults where there is none) as N<TAB>ACTION<TAB>KEY. --set chooses the key\n"
         "selection item ITEM (such as F1 or \"NUM PAD 7\") for action N as the Keyboard\n"
         "Mapping dialog does and writes key.map; a refused choice writes nothing. --reset\n"
         "writes the default table.",
         runKeymap},
    };
}

} // namespace zev::cli
