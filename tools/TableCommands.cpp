// Commands over the objective tables of a mission: export and import of one star's table as a
// ".tbl" file, over the mission table editor's model.

#include "CliCommand.h"

#include "common/Numbers.h"
#include "edit/MissionTables.h"
#include "mission/MissionFile.h"
#include "mission/MissionHeader.h"

#include <memory>

namespace zev::cli {

namespace {

using namespace zev::mission;

int runTable(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    const auto& p = args.positionals();
    if (p.size() != 4 || (p[0] != "export" && p[0] != "import"))
        return usageError(c, self, "export or import, a mission, a star and a table file expected");
    const auto star = common::parseDecimalInRange(p[2], 0, kObjectiveTableCount - 1);
    if (!star)
        return usageError(c, self, "STAR is a number from 0 to 7");

    auto document = std::make_unique<MissionDocument>();
    std::uint8_t patch = 0;
    if (!MissionFile::open(*document, patch, p[1], c.reporter))
        return kExitFailed;
    // The editor as it opens, on that star's tab.
    edit::MissionTablesModel model(document->objectives,
                                   document->header.text(MissionHeader::projectName));
    model.selectStar(static_cast<int>(*star));
    if (p[0] == "export")
        return model.saveTable(p[3], c.reporter) ? kExitOk : kExitFailed;

    if (!model.loadTable(p[3], c.reporter))
        return kExitFailed;
    document->objectives = model.working();
    const RecordPositions positions(*document);
    return MissionFile::save(*document, p[1], positions, patch, c.reporter) ? kExitOk : kExitFailed;
}

} // namespace

std::vector<CliCommand> tableCommands() {
    return {
        {"table", "export MISSION.mdb STAR OUT.tbl | import MISSION.mdb STAR IN.tbl",
         "export writes the objective table of star STAR (0 to 7) as a 22495-byte table file, as\n"
         "Save Table in the Mission Table Editor right after it opened (targets carried over to\n"
         "the project name, an empty table given its default first row). import reads the first\n"
         "22495 bytes of a table file into star STAR's table as Load Table does, takes the\n"
         "editor's tables as OK does and saves the mission; a file that cannot be read or is\n"
         "shorter leaves the mission as it was.",
         runTable},
    };
}

} // namespace zev::cli
