// Commands over mission files: new, dump, load, save-as.

#include "CliCommand.h"
#include "MissionJson.h"
#include "MissionJsonText.h"

#include "mission/MissionFile.h"
#include "mission/NewMission.h"
#include "mission/ProjectName.h"

#include "common/FileIo.h"
#include "common/Numbers.h"

#include <memory>
#include <ostream>

namespace zev::cli {

using namespace zev::mission;

namespace {

int runNew(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"project", "mission", "players"}, {"team-play", "patch"});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 1)
        return usageError(c, self, "one output file expected");
    NewMissionSelection selection;
    if (!args.has("project"))
        return usageError(c, self, "--project is required");
    if (!args.has("mission"))
        return usageError(c, self, "--mission is required");
    std::string problem;
    const auto project =
        typedText(args.value("project"), MissionHeader::projectName.width - 1, problem);
    if (!project)
        return usageError(c, self, "--project " + problem);
    if (const char* nameProblem = projectNameProblem(*project))
        return usageError(c, self, std::string("--project: ") + nameProblem);
    const auto mission =
        typedText(args.value("mission"), MissionHeader::missionName.width - 1, problem);
    if (!mission)
        return usageError(c, self, "--mission " + problem);
    selection.projectName = *project;
    selection.missionName = *mission;
    const auto players = common::parseDecimalInRange(args.value("players", "4"), 2, 8);
    if (!players)
        return usageError(c, self, "--players takes a number from 2 to 8");
    selection.players = static_cast<int>(*players);
    selection.freeForAll = !args.flag("team-play");
    selection.patch = args.flag("patch");

    auto document = std::make_unique<MissionDocument>();
    storeSelection(*document, selection);
    const std::uint8_t patch = selection.patch ? 1 : 0;
    resetToNewMission(*document, c.programDirectory, patch);
    const RecordPositions positions(*document);
    if (!MissionFile::save(*document, args.positionals()[0], positions, patch, c.reporter))
        return kExitFailed;
    return kExitOk;
}

std::unique_ptr<MissionDocument> openDocument(CliContext& c, const std::string& path,
                                              std::uint8_t& patch,
                                              MissionFile::Framing* framing = nullptr) {
    auto document = std::make_unique<MissionDocument>();
    if (!MissionFile::open(*document, patch, path, c.reporter, framing))
        return nullptr;
    return document;
}

int runDump(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {"full"});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 1)
        return usageError(c, self, "one mission file expected");
    std::uint8_t patch = 0;
    MissionFile::Framing framing = MissionFile::Framing::standard();
    auto document = openDocument(c, args.positionals()[0], patch, &framing);
    if (!document)
        return kExitFailed;
    c.out << missionToJson(*document, framing, args.flag("full")).dump(2) << '\n';
    return kExitOk;
}

// Far above any dump (a full one of the largest mission Open reads); keeps a stray huge file
// from being read whole.
constexpr std::uintmax_t kJsonSizeCap = 64u << 20;
constexpr const char* kLoadCaption = "JSON Load Error";

int runLoad(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 2)
        return usageError(c, self, "a JSON file and an output file expected");
    const std::string& in = args.positionals()[0];
    std::error_code reason;
    const auto text = common::readWholeFile(in, kJsonSizeCap, &reason);
    if (!text) {
        c.reporter.report("Couldn't Open File...", kLoadCaption, common::MessageIcon::Stop);
        c.reporter.detail(common::describeFileFailure("cannot read", in, reason));
        return kExitFailed;
    }
    ParsedJson parsed = parseMissionJsonText(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
    if (!parsed.value) {
        c.reporter.report(in + ": not valid JSON: " + parsed.problem, kLoadCaption,
                          common::MessageIcon::Stop);
        return kExitFailed;
    }
    const nlohmann::ordered_json& j = *parsed.value;
    MissionFromJson loaded = missionFromJson(j);
    if (!loaded.document) {
        c.reporter.report(loaded.refusal, kLoadCaption, common::MessageIcon::Stop);
        return kExitFailed;
    }
    if (!MissionFile::saveAsStored(*loaded.document, loaded.framing, args.positionals()[1],
                                   c.reporter))
        return kExitFailed;
    return kExitOk;
}

int runSaveAs(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 2)
        return usageError(c, self, "an input and an output file expected");
    std::uint8_t patch = 0;
    auto document = openDocument(c, args.positionals()[0], patch);
    if (!document)
        return kExitFailed;
    const RecordPositions positions(*document);
    if (!MissionFile::save(*document, args.positionals()[1], positions, patch, c.reporter))
        return kExitFailed;
    return kExitOk;
}

} // namespace

std::vector<CliCommand> missionCommands() {
    return {
        {"new", "OUT.mdb --project NAME --mission NAME [--players N] [--team-play] [--patch]",
         "Creates a new mission with the program directory's defaults and saves it.\n"
         "Free for all unless --team-play; 2 to 8 players (default 4).",
         runNew},
        {"dump", "MISSION.mdb [--full]",
         "Prints the whole mission as JSON on standard output: nav points and objective rows\n"
         "in use. --full adds every slot and every byte, so load gives the file back exactly.",
         runDump},
        {"load", "IN.json OUT.mdb",
         "Writes the mission a dump describes (either form). A refused value prints its JSON\n"
         "path and writes nothing.",
         runLoad},
        {"save-as", "IN.mdb OUT.mdb", "Opens a mission and saves it again under another name.",
         runSaveAs},
    };
}

} // namespace zev::cli
