#include "Build.h"

#include "ObjectScript.h"
#include "TWorld.h"

#include "common/Numbers.h"

#include "mission/ProjectName.h"

namespace zev::build {

using namespace zev::mission;

namespace {

void reportProjectError(common::Reporter& reporter, const char* problem) {
    reporter.report(problem, "Project Error..", common::MessageIcon::Stop);
}

template <typename Record> void setPosition(Record& record, const std::array<std::int32_t, 3>& p) {
    record.setText(Record::x, common::decimal(p[0]));
    record.setText(Record::y, common::decimal(p[1]));
    record.setText(Record::z, common::decimal(p[2]));
}

// The start point and nav point position texts from where their frames stand.
void refreshMarkerTexts(MissionDocument& document, const ScenePositions& scene) {
    for (const FramePlacement& f : scene.startPointFrames()) {
        const int index = f.tag - kStartPointTagBase;
        if (index >= 0 && index < kPlayerCount)
            setPosition(document.startPoints[static_cast<std::size_t>(index)], f.position);
    }
    for (const FramePlacement& f : scene.navPointFrames()) {
        const int star = f.tag - kNavPointTagBase;
        const int nav = common::leadingInt(f.name);
        if (star >= 0 && star < kStarCount && nav >= 0 && nav < kNavPointsPerStar)
            setPosition(document.navPoint(star, nav), f.position);
    }
}

void writeObjectScript(TWorld& world, const MissionDocument& document,
                       const ScenePositions& scene) {
    world.openAreaFiles();
    const std::string header = areaHeader();
    for (int area = 1; area <= 8; ++area)
        world.writeArea(area, header);
    int k = 0;
    for (const FramePlacement& frame : scene.objectFrames()) {
        if (frame.tag == kReadyMadeMemberTag)
            continue;
        const MissionObjectRecord* object = document.objects.find(frame.tag);
        if (!object)
            continue;
        world.writeArea(objectArea(*object), objectSection(k, *object, frame.position));
        ++k;
    }
    const std::string trailer = areaTrailer();
    for (int area = 1; area <= 8; ++area)
        world.writeArea(area, trailer);
}

} // namespace

bool buildMission(MissionDocument& document, const ScenePositions& scene,
                  const std::filesystem::path& programDirectory, common::Reporter& reporter,
                  bool* everyFileWritten) {
    if (everyFileWritten)
        *everyFileWritten = false;
    const MissionHeader& h = document.header;
    const std::string project = h.text(MissionHeader::projectName);
    // The project name becomes a directory name: it must stay inside "source".
    if (const char* problem = projectNameProblem(project)) {
        reportProjectError(reporter, problem);
        return false;
    }
    TWorld world(programDirectory, project, reporter);

    bool ok = world.writeMainFile() && world.writeNameFile(h.text(MissionHeader::missionName)) &&
              world.writeLimitFiles(
                  h.text(MissionHeader::numberOfPlayers), h.byte(MissionHeader::freeForAll) != 0,
                  h.int32(MissionHeader::teamAMekGroup), h.int32(MissionHeader::teamBMekGroup));
    if (ok) {
        writeObjectScript(world, document, scene);
        ok = world.closeAreaFiles();
    }

    refreshMarkerTexts(document, scene);

    world.writePaletteFile(document.palette);
    world.writeNavPointFiles(document.stars);
    world.writeStartPointFiles(document.startPoints);
    world.writeWorldFile();
    world.writePlanetFile(document.header, document.weather, document.palette);
    world.writeSceneFile(document);
    world.writeBriefingFiles(document.briefings);
    if (everyFileWritten)
        *everyFileWritten = world.everyFileWritten();
    return ok;
}

bool buildCommand(MissionDocument& document, const ScenePositions& scene,
                  const std::filesystem::path& programDirectory, common::Reporter& reporter,
                  bool* everyFileWritten) {
    if (everyFileWritten)
        *everyFileWritten = false;
    if (const char* problem =
            projectNameProblem(document.header.text(MissionHeader::projectName))) {
        reportProjectError(reporter, problem);
        return false;
    }
    if (buildMission(document, scene, programDirectory, reporter, everyFileWritten)) {
        reporter.report("Text File Build Complete...", "ZEVEDIT 3D",
                        common::MessageIcon::Information);
        return true;
    }
    reporter.report("Error Building Text Files!!", "ZEVEDIT 3D", common::MessageIcon::Stop);
    return false;
}

} // namespace zev::build
