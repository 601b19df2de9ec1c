// Commands over the custom palette of a mission: export and import of its twenty entry names as
// a ".ccp" file, over the custom palette builder's model.

#include "CliCommand.h"

#include "edit/CustomPaletteModel.h"
#include "mission/MissionFile.h"

#include <memory>

namespace zev::cli {

namespace {

using namespace zev::mission;

int runPalette(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    const auto& p = args.positionals();
    if (p.size() != 3 || (p[0] != "export" && p[0] != "import"))
        return usageError(c, self, "export or import, a mission and a palette file expected");

    auto document = std::make_unique<MissionDocument>();
    std::uint8_t patch = 0;
    if (!MissionFile::open(*document, patch, p[1], c.reporter))
        return kExitFailed;
    edit::CustomPaletteModel model(document->palette);
    if (p[0] == "export")
        return model.saveToFile(p[2], c.reporter) ? kExitOk : kExitFailed;

    if (!model.loadFromFile(p[2], c.reporter))
        return kExitFailed;
    document->palette = model.compose();
    const RecordPositions positions(*document);
    return MissionFile::save(*document, p[1], positions, patch, c.reporter) ? kExitOk : kExitFailed;
}

} // namespace

std::vector<CliCommand> paletteCommands() {
    return {
        {"palette", "export MISSION.mdb OUT.ccp | import MISSION.mdb IN.ccp",
         "export writes the mission's twenty custom palette entry names as a 616-byte custom\n"
         "palette file, as Save to File in the Custom Color Pallette Builder right after it\n"
         "opened. import reads a custom palette file as Load from File does, takes the builder's\n"
         "names as OK does and saves the mission; the \"use custom color pallette\" flag stays as\n"
         "it was. A file that cannot be read, is shorter than 616 bytes or lacks the \"1.6 COL\"\n"
         "tag leaves the mission as it was.",
         runPalette},
    };
}

} // namespace zev::cli
