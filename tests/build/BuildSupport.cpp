#include "BuildSupport.h"

#include "mission/NewMission.h"

#include "common/FileIo.h"

namespace zev::build::test {

using namespace zev::mission;

std::unique_ptr<MissionDocument> newMission(const std::string& project, bool freeForAll) {
    auto document = std::make_unique<MissionDocument>();
    NewMissionSelection selection;
    selection.projectName = project;
    selection.missionName = "Test Mission";
    selection.freeForAll = freeForAll;
    storeSelection(*document, selection);
    TempDir noIni;
    resetToNewMission(*document, noIni.path(), 0);
    return document;
}

MissionObjectRecord plainObject(const std::string& name) {
    using R = MissionObjectRecord;
    MissionObjectRecord r;
    r.setText(R::objectName, name);
    r.setText(R::mainType, "orthorect");
    r.setText(R::objectType, "none");
    r.setText(R::objectParent, "world");
    r.setText(R::alternateType, "cylinder");
    r.setText(R::areaFile, "1");
    r.setText(R::gamethingRole, ".");
    for (int axis = 0; axis < 3; ++axis)
        r.setInt32(R::scale(axis), 1);
    r.setText(R::pathLooping, "oneshot");
    r.setText(R::pathRotation, "rotate");
    return r;
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

std::string textMode(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

int BuildRun::addObject(const MissionObjectRecord& record, std::array<std::int32_t, 3> position) {
    common::SilentReporter silent;
    const int slot = *document->objects.allocate(silent);
    document->objects.place(slot, record);
    scene.objects.push_back({slot, record.text(MissionObjectRecord::objectName), position});
    return slot;
}

bool BuildRun::build() {
    return buildMission(*document, scene, home.path(), reporter);
}

bool BuildRun::command() {
    return buildCommand(*document, scene, home.path(), reporter);
}

std::filesystem::path BuildRun::file(const std::string& suffix) const {
    const std::string project = document->header.text(MissionHeader::projectName);
    return home.path() / "source" / project / (project + suffix);
}

std::optional<std::string> BuildRun::read(const std::string& suffix) const {
    const auto bytes = common::readWholeFile(file(suffix));
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

std::vector<std::string> BuildRun::messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : reporter.messages)
        texts.push_back(m.text);
    return texts;
}

} // namespace zev::build::test
