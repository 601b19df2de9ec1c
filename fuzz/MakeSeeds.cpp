// Writes small valid inputs for every fuzz target into CORPUS/<target>/, made by this program's
// own writers (the demo game data, a new mission, a package, briefing pages):
//   ./build-fuzz/fuzz/fuzz_make_seeds build-fuzz/corpus
// (and the key table and the JSON of a new mission)

#include "build/MissionPackage.h"
#include "build/RtfBriefing.h"
#include "common/FileIo.h"
#include "common/Reporter.h"
#include "edit/KeyTable.h"
#include "gamedata/DemoData.h"
#include "gamedata/DemoGeometry.h"
#include "gamedata/GeometryWriter.h"
#include "mission/CustomPaletteFile.h"
#include "mission/MissionFile.h"
#include "mission/NewMission.h"

#include "MissionJson.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace zev;

class PrintingReporter : public common::Reporter {
public:
    void report(const std::string& text, const std::string& caption, common::MessageIcon) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
};

struct Seeds {
    fs::path corpus;
    int written = 0;

    void bytes(const char* target, const std::string& name, std::span<const std::uint8_t> data) {
        fs::create_directories(corpus / target);
        if (common::writeWholeFile(corpus / target / ("seed-" + name), data))
            ++written;
    }
    void text(const char* target, const std::string& name, std::string_view data) {
        bytes(target, name, {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()});
    }
    void file(const char* target, const fs::path& path) {
        if (const auto data = common::readWholeFile(path))
            bytes(target, path.filename().string(), *data);
    }
    void filesIn(const char* target, const fs::path& dir, std::string_view extension) {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(dir, ec))
            if (e.is_regular_file() && e.path().extension() == extension)
                file(target, e.path());
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    Seeds seeds{argv[1]};
    PrintingReporter reporter;

    const fs::path demoDir = fs::temp_directory_path() / ("zev-seeds-" + std::to_string(getpid()));
    if (!gamedata::demo::writeDemoData(demoDir, reporter))
        return 1;
    const auto paths = gamedata::demo::demoDataPaths(demoDir);
    seeds.file("fuzz_project_archive", paths.archive);
    seeds.filesIn("fuzz_ready_made_group", paths.gameDirectory / "RMG", ".bwd");
    seeds.filesIn("fuzz_object_group", paths.programDirectory / "data" / "odb", ".odb");
    seeds.filesIn("fuzz_index_files", paths.programDirectory, ".IDX");
    seeds.file("fuzz_ini_file", paths.programDirectory / "zevedit.ini");
    std::size_t geometries = 0;
    for (const auto& g : gamedata::demo::demoGeometries())
        if (geometries++ < 6)
            seeds.bytes("fuzz_geometry_converter", g.stem + ".geo",
                        gamedata::encodeGeometry(g.geometry));

    mission::MissionDocument doc;
    mission::resetToNewMission(doc, paths.programDirectory, 0);
    seeds.bytes("fuzz_mission_file", "new.mdb",
                mission::MissionFile::encode(doc, doc.objects.occupiedSlots()));
    seeds.bytes("fuzz_custom_palette", "new.ccp",
                mission::customPaletteImage(mission::paletteNames(doc.palette)));

    const std::string page =
        build::writeBriefingRtf({{"Mission briefing\n", build::kBriefingRed},
                                 {"Destroy the tower.", build::kBriefingGreen}});
    seeds.text("fuzz_rtf_briefing", "page.rtf", page);
    seeds.text("fuzz_rtf_briefing", "plain.rtf", "{\\rtf1\\ansi {\\b bold}\\par \\'e9}");
    const auto member = [](const char* name, std::string_view data) {
        return build::PackageMember{name, std::vector<std::uint8_t>(data.begin(), data.end())};
    };
    seeds.bytes("fuzz_mission_package", "small.zvm",
                build::packageImage(
                    {member("ABCD.nam", "ABCD"), member("brf0.bwd", page), member("empty", "")}));

    seeds.text("fuzz_sky_ground", "crlf.par",
               "# sky and ground\r\nmission=ABCD globalintensity=1\r\nmission=other x=2\r\n");
    seeds.text("fuzz_sky_ground", "lf.par", "mission=xyz a=1\nMISSION=abcd b=2\n");
    seeds.text("fuzz_mission_model", "small", "ABCD\\Test Mission\\\x01\x02\x03\x04");

    // The load path: a new mission's dump in both forms.
    doc.header.setText(mission::MissionHeader::projectName, "ABCD");
    const auto framing = mission::MissionFile::Framing::standard();
    seeds.text("fuzz_mission_json", "short.json", cli::missionToJson(doc, framing, false).dump(1));
    seeds.text("fuzz_mission_json", "full.json", cli::missionToJson(doc, framing, true).dump());
    seeds.bytes("fuzz_key_map", "key.map", edit::KeyTable::defaults().fileImage());

    std::error_code ec;
    fs::remove_all(demoDir, ec);
    std::printf("%d seed files written below %s\n", seeds.written, argv[1]);
    return 0;
}
