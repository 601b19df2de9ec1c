// Commands over game geometry, ready-made groups, object groups and the demo game data.

#include "CliCommand.h"
#include "SampleMission.h"

#include "common/FileIo.h"
#include "common/Latin1Text.h"
#include "gamedata/DemoData.h"
#include "gamedata/GeometryLoader.h"
#include "gamedata/IndexFiles.h"
#include "gamedata/ObjExport.h"
#include "gamedata/ObjectGroups.h"
#include "platform/ProgramDirectory.h"

#include <ostream>

namespace zev::cli {

using namespace zev::gamedata;

namespace {

const char* const kProgramCaption = "ZEVEDIT 3D";

int runExportObj(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"archive", "group"}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (!args.has("archive"))
        return usageError(c, self, "--archive is required");
    const bool group = args.has("group");
    if (args.positionals().size() != (group ? 1u : 2u))
        return usageError(
            c, self, group ? "one output file expected" : "a name and an output file expected");
    const std::string archive = args.value("archive");
    const std::string out = args.positionals().back();

    // Geometry is found through the index files: ones built from another archive (or an older
    // state of it) would read through wrong offsets. The same check as `fresh`.
    const std::string stale = indexStaleReason(archive, c.programDirectory);
    if (!stale.empty()) {
        c.err << "zevedit-cli export-obj: the index files are not current: " << stale
              << " (zevedit-cli scan --archive PATH builds them)\n";
        return kExitFailed;
    }

    std::string lastError;
    std::vector<PlacedMesh> meshes;
    Mesh single;
    ReadyMadeGroup members;
    if (group) {
        if (!loadReadyMadeGroup(archive, c.programDirectory, args.value("group"), members,
                                lastError)) {
            c.reporter.report(lastError, kProgramCaption, common::MessageIcon::Stop);
            return kExitFailed;
        }
        // A group whose index could not be read is still a group, but an empty one.
        if (!lastError.empty())
            c.reporter.report(lastError, kProgramCaption, common::MessageIcon::Warning);
        for (std::size_t i = 0; i < members.members.size(); ++i) {
            const ReadyMadeMember& m = members.members[i];
            meshes.push_back(
                {"member" + std::to_string(i + 1) + "_entry" + std::to_string(m.record.entryNumber),
                 &m.mesh, m.placement});
        }
    } else {
        const std::string& name = args.positionals()[0];
        if (!loadObjectMesh(archive, c.programDirectory, name, {1, 1, 1}, single, lastError)) {
            c.reporter.report(lastError, kProgramCaption, common::MessageIcon::Stop);
            return kExitFailed;
        }
        meshes.push_back({name, &single, {}});
    }

    const std::string text = meshesToObj(meshes);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    std::error_code reason;
    if (!common::writeWholeFile(out, bytes, &reason)) {
        c.reporter.report(common::describeFileFailure("Could not write", out, reason),
                          kProgramCaption, common::MessageIcon::Stop);
        return kExitFailed;
    }
    std::size_t faces = 0, vertices = 0;
    for (const PlacedMesh& m : meshes) {
        faces += m.mesh->faceCount();
        vertices += m.mesh->vertexCount();
    }
    c.out << out << ": " << meshes.size() << (meshes.size() == 1 ? " mesh, " : " meshes, ") << faces
          << " faces, " << vertices << " corners\n";
    return kExitOk;
}

int runGroups(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (!args.positionals().empty())
        return usageError(c, self, "no arguments expected");
    // No program directory is a mistake to say, not a directory without groups.
    std::error_code ec;
    const auto status = std::filesystem::status(c.programDirectory, ec);
    if (!std::filesystem::is_directory(status)) {
        const std::error_code why =
            std::filesystem::exists(status)
                ? std::make_error_code(std::errc::not_a_directory)
                : std::make_error_code(std::errc::no_such_file_or_directory);
        c.reporter.report(
            common::describeFileFailure("no program directory at", c.programDirectory, why),
            kProgramCaption, common::MessageIcon::Stop);
        return kExitFailed;
    }
    for (const std::string& name : listObjectGroupNames(c.programDirectory))
        c.out << name << '\n';
    return kExitOk;
}

int runGroupObjects(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 1)
        return usageError(c, self, "one group name expected");
    const std::string& name = args.positionals()[0];
    const std::filesystem::path path = objectGroupPath(c.programDirectory, name);
    std::error_code reason = std::make_error_code(std::errc::no_such_file_or_directory);
    const auto records = name.empty() ? std::nullopt : readObjectGroup(path, &reason);
    if (!records || (!records->empty() && !hasEditorRecords(*records))) {
        const std::string why =
            records ? "no record written by this editor: not an object group" : reason.message();
        c.reporter.report(common::messageWithFile(kDropOpenError, path, why), "Error...",
                          common::MessageIcon::Stop);
        return kExitFailed;
    }
    for (const ObjectGroupRecord& r : *records)
        c.out << common::printableText(r.text(ObjectGroupRecord::menuText)) << '\t'
              << common::printableText(r.text(ObjectGroupRecord::objectName)) << '\n';
    return kExitOk;
}

int runDemo(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 1)
        return usageError(c, self, "one directory expected");
    const std::filesystem::path dir = args.positionals()[0];
    common::NewFilesWriter files;
    if (!demo::writeDemoData(dir, files, c.reporter))
        return kExitFailed;
    const demo::DemoDataPaths paths = demo::demoDataPaths(dir);
    c.out << "archive:           " << paths.archive.string() << '\n'
          << "program directory: " << paths.programDirectory.string() << '\n';
    for (const std::filesystem::path& kept : files.kept())
        c.out << "kept (already there): " << kept.string() << '\n';
    // The sample mission is the user's to change: one already there is kept.
    const std::filesystem::path sample = sampleMissionPath(dir);
    std::error_code ec;
    if (std::filesystem::exists(sample, ec)) {
        c.out << "sample mission:    " << sample.string() << " (already there, kept)\n";
        return kExitOk;
    }
    if (!writeSampleMission(sample, paths.programDirectory, c.reporter))
        return kExitFailed;
    c.out << "sample mission:    " << sample.string() << '\n';
    return kExitOk;
}

int runExamples(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"from"}, {});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (!args.positionals().empty())
        return usageError(c, self, "no arguments expected");
    const std::filesystem::path from =
        args.has("from") ? std::filesystem::path(args.value("from")) : c.defaultsDirectory;
    const platform::ExampleCopy copy =
        platform::copyExampleGroups(c.programDirectory, from, c.reporter);
    if (!copy.ok)
        return kExitFailed;
    c.out << "copied " << copy.copied << " example object groups to "
          << (c.programDirectory / "data" / "odb").string();
    if (copy.kept > 0)
        c.out << " (" << copy.kept << " already there, kept)";
    c.out << '\n';
    return kExitOk;
}

} // namespace

std::vector<CliCommand> gameDataCommands() {
    return {
        {"export-obj", "--archive PATH (NAME | --group GROUP) OUT.obj",
         "Finds a geometry by name through WTB.IDX of the program directory, converts it as the\n"
         "workspace does and writes it as a Wavefront OBJ file (workspace units, texture\n"
         "coordinates, corner order as converted). --group exports the ready-made group\n"
         "RMG/GROUP.bwd beside the archive with its members placed.",
         runExportObj},
        {"groups", "",
         "Lists the object groups of the program directory, as the main window's tabs.", runGroups},
        {"group-objects", "GROUP",
         "Lists the records of an object group in order: menu text and object name, separated by\n"
         "a tab.",
         runGroupObjects},
        {"demo", "DIR",
         "Writes demo game data made by this program: DIR/game (archive ZEV.PRJ, ready-made\n"
         "groups in RMG, an empty missions directory), DIR/home (zevedit.ini, object groups\n"
         "in data/odb and the index files built for the archive) and the sample mission\n"
         "DIR/missions/sample.mdb (a small base to open, build and compile; one already there\n"
         "is kept).",
         runDemo},
        {"examples", "[--from DIR]",
         "Copies the example object groups installed with the program (share/zevedit/examples,\n"
         "or those below DIR) into data/odb of the program directory. Groups already there are\n"
         "kept, so edits made to them survive.",
         runExamples},
    };
}

} // namespace zev::cli
