#pragma once

#include "mission/MissionDocument.h"

#include "common/Reporter.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zev::build {

// The source writer: writes the mission's source texts into the project directory
// "source/<project>" of the program directory, every file named by the project name followed
// by its suffix, every "\n" stored as CR LF. Each writer prepares the directory first
// (creating "source" and the project directory when missing), reports its own failure with the
// caption "Fatal Error!" and returns whether it succeeded; a writer of several files stops at
// the first that fails, and the files written before stay.
class TWorld {
public:
    TWorld(std::filesystem::path programDirectory, std::string project, common::Reporter& reporter);

    const std::string& prefix() const { return project_; }
    std::filesystem::path sourceDirectory() const { return programDirectory_ / "source"; }
    std::filesystem::path projectDirectory() const { return sourceDirectory() / project_; }
    std::filesystem::path file(std::string_view suffix) const;

    // Makes sure the program, source and project directories exist; reports the first that
    // cannot be found or created.
    bool prepareDirectory();

    bool writeMainFile();
    bool writeNameFile(const std::string& missionName);
    bool writeLimitFiles(const std::string& maxPlayers, bool freeForAll, int teamAMekGroup,
                         int teamBMekGroup);

    // The eight area files of the object script. Lines written to an area outside 1 to 8 go
    // nowhere. Closing writes them; its failure is reported.
    void openAreaFiles();
    void writeArea(int area, std::string_view text);
    bool closeAreaFiles();

    bool writePaletteFile(const mission::PaletteRecord& palette);
    bool writeNavPointFiles(const std::array<mission::Star, mission::kStarCount>& stars);
    bool writeStartPointFiles(
        const std::array<mission::StartPointRecord, mission::kPlayerCount>& startPoints);
    bool writeWorldFile();
    bool writePlanetFile(const mission::MissionHeader& header,
                         const mission::WeatherRecord& weather,
                         const mission::PaletteRecord& palette);
    bool writeSceneFile(const mission::MissionDocument& document);
    // Passes each page through its temporary file "brfN.brf" in the program directory and
    // converts it into the briefing file N; a page that fails to convert stops the rest.
    bool
    writeBriefingFiles(const std::array<std::vector<std::uint8_t>, mission::kBriefingCount>& pages);

    // False once any file could not be written (each failure reported as it happened).
    bool everyFileWritten() const { return !failed_; }

private:
    struct Output {
        std::string suffix;
        std::string text;
    };
    // Prepares the directory and writes the files in order, reporting `failure` for the first
    // that cannot be created or written.
    bool writeGroup(const std::vector<Output>& files, const char* failure);
    bool writeText(std::string_view suffix, std::string_view text);
    void fatal(const std::string& message);

    std::filesystem::path programDirectory_;
    std::string project_;
    common::Reporter& reporter_;
    std::array<std::string, 8> areas_;
    bool areasOpen_ = false;
    bool failed_ = false;
};

} // namespace zev::build
