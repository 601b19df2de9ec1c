#include "TWorld.h"

#include "ObjectScript.h"
#include "RtfBriefing.h"
#include "SourceFormat.h"
#include "WorldSources.h"

#include "common/FileIo.h"

#include <system_error>

namespace zev::build {

namespace fs = std::filesystem;
using namespace zev::mission;

namespace {

// A directory that exists, or is made when missing.
bool ensureDirectory(const fs::path& dir, std::error_code& reason) {
    reason.clear();
    if (fs::is_directory(dir, reason))
        return true;
    reason.clear();
    fs::create_directory(dir, reason);
    std::error_code ec;
    // Something else of that name: say what it is not rather than "File exists".
    if (fs::exists(fs::symlink_status(dir, ec)) && !fs::is_directory(dir, ec))
        reason = std::make_error_code(std::errc::not_a_directory);
    return !reason;
}

} // namespace

TWorld::TWorld(fs::path programDirectory, std::string project, common::Reporter& reporter)
    : programDirectory_(std::move(programDirectory)), project_(std::move(project)),
      reporter_(reporter) {}

fs::path TWorld::file(std::string_view suffix) const {
    return projectDirectory() / (project_ + std::string(suffix));
}

void TWorld::fatal(const std::string& message) {
    failed_ = true;
    reporter_.report(message, "Fatal Error!", common::MessageIcon::Stop);
}

bool TWorld::prepareDirectory() {
    std::error_code ec;
    if (programDirectory_.empty() || !fs::is_directory(programDirectory_, ec)) {
        fatal("Could Not Locate Working Directory!");
        return false;
    }
    if (!ensureDirectory(sourceDirectory(), ec)) {
        fatal(common::messageWithFile("Could Not Locate or Create Source Directory!",
                                      sourceDirectory(), ec));
        return false;
    }
    if (!ensureDirectory(projectDirectory(), ec)) {
        fatal(common::messageWithFile("Could Not Locate or Create Project Directory!",
                                      projectDirectory(), ec));
        return false;
    }
    return true;
}

// Through a temporary file: a source that cannot be written completely keeps its old text.
bool TWorld::writeText(std::string_view suffix, std::string_view text) {
    std::error_code reason;
    if (common::writeWholeFile(file(suffix), withCrLf(text), &reason))
        return true;
    reporter_.detail(common::describeFileFailure("cannot write", file(suffix), reason));
    return false;
}

bool TWorld::writeGroup(const std::vector<Output>& files, const char* failure) {
    if (!prepareDirectory())
        return false;
    for (const Output& f : files) {
        if (!writeText(f.suffix, f.text)) {
            fatal(failure);
            return false;
        }
    }
    return true;
}

bool TWorld::writeMainFile() {
    return writeGroup({{".wld", mainFileText(project_)}}, "Could Not Locate or Create Main File!");
}

bool TWorld::writeNameFile(const std::string& missionName) {
    return writeGroup({{"name.txt", nameFileText(missionName)}},
                      "Could Not Locate or Create Name File!");
}

bool TWorld::writeLimitFiles(const std::string& maxPlayers, bool freeForAll, int teamAMekGroup,
                             int teamBMekGroup) {
    return writeGroup({{"lim0.txt", limitFileText0(maxPlayers, freeForAll)},
                       {"lim1.txt", limitFileTextTeam(teamAMekGroup)},
                       {"lim2.txt", limitFileTextTeam(teamBMekGroup)}},
                      "Could Not Locate or Create Limit File(s)!");
}

void TWorld::openAreaFiles() {
    for (std::string& area : areas_)
        area.clear();
    areasOpen_ = true;
}

void TWorld::writeArea(int area, std::string_view text) {
    if (!areasOpen_ || area < 1 || area > static_cast<int>(areas_.size()))
        return;
    areas_[static_cast<std::size_t>(area - 1)] += text;
}

bool TWorld::closeAreaFiles() {
    if (!areasOpen_)
        return false;
    areasOpen_ = false;
    std::vector<Output> files;
    for (std::size_t i = 0; i < areas_.size(); ++i)
        files.push_back({"are" + std::to_string(i + 1) + ".wld", std::move(areas_[i])});
    return writeGroup(files, "Could Not Locate or Create Area File(s)!");
}

bool TWorld::writePaletteFile(const PaletteRecord& palette) {
    return writeGroup({{"pal1.wld", paletteFileText(palette)}},
                      "Could Not Locate or Create Palette File(s)!");
}

bool TWorld::writeNavPointFiles(const std::array<Star, kStarCount>& stars) {
    std::vector<Output> files;
    for (int s = 0; s < kStarCount; ++s)
        files.push_back({"nav" + std::to_string(s) + ".wld",
                         navPointFileText(stars[static_cast<std::size_t>(s)], s)});
    return writeGroup(files, "Could Not Locate or Create Navpoint File(s)!");
}

bool TWorld::writeStartPointFiles(const std::array<StartPointRecord, kPlayerCount>& startPoints) {
    std::vector<Output> files;
    for (int i = 1; i <= kPlayerCount; ++i)
        files.push_back({"st" + std::to_string(i - 1) + "1.wld",
                         startPointFileText(startPoints[static_cast<std::size_t>(i - 1)], i)});
    return writeGroup(files, "Could Not Locate or Create Star File(s)!");
}

bool TWorld::writeWorldFile() {
    return writeGroup({{"wld1.wld", worldFileText(project_)}},
                      "Could Not Locate or Create World File(s)!");
}

bool TWorld::writePlanetFile(const MissionHeader& header, const WeatherRecord& weather,
                             const PaletteRecord& palette) {
    return writeGroup({{"plt1.wld", planetFileText(project_, header, weather, palette)}},
                      "Could Not Locate or Create Planet File(s)!");
}

bool TWorld::writeSceneFile(const MissionDocument& document) {
    return writeGroup({{"scn1.wld", sceneFileText(project_, document)}},
                      "Could Not Locate or Create Scn File(s)!");
}

bool TWorld::writeBriefingFiles(
    const std::array<std::vector<std::uint8_t>, kBriefingCount>& pages) {
    static const char* const kCreateFailure = "Could Not Locate or Create Briefing File(s)!";
    if (!prepareDirectory())
        return false;
    for (int n = 0; n < kBriefingCount; ++n) {
        const BriefingConversion converted = convertBriefingRtf(pages[static_cast<std::size_t>(n)]);
        if (!writeText("brf" + std::to_string(n) + ".txt", converted.text)) {
            fatal(kCreateFailure);
            return false;
        }
        if (!converted.ok) {
            fatal("Could Not Convert Briefing File(s)!");
            return false;
        }
    }
    return true;
}

} // namespace zev::build
