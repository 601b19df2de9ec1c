#include "MissionCheck.h"

#include "mission/ProjectName.h"

#include "MissionCheckParts.h"
#include "MissionCheckReferences.h"
#include "ObjectScript.h"

#include "common/Numbers.h"
#include "gamedata/GeometryLoader.h"
#include "gamedata/IndexFiles.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string_view>
#include <system_error>
#include <tuple>

namespace zev::build {

using namespace zev::mission;
using namespace check;
using Place = MissionProblem::Place;

namespace check {

void add(Problems& out, Severity severity, Place place, std::string placeText, std::string text) {
    out.push_back({severity, place, std::move(placeText), std::move(text)});
}

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool startPointIsSet(const StartPointRecord& r) {
    return !r.text(StartPointRecord::x).empty() || !r.text(StartPointRecord::y).empty() ||
           !r.text(StartPointRecord::z).empty();
}

} // namespace check

namespace {

// Positions are read as whole numbers (leading digits); anything else reads as something else.
template <typename Record>
void checkPositionTexts(const Record& r, Place place, const std::string& placeText, Problems& out) {
    const std::pair<const char*, TextField> axes[] = {
        {"X", Record::x}, {"Y", Record::y}, {"Z", Record::z}};
    for (const auto& [axis, field] : axes) {
        const std::string text = r.text(field);
        if (text.empty())
            add(out, Severity::Error, place, placeText,
                std::string(axis) + " position is empty (it is built as 0)");
        else if (!common::parseDecimalInRange(text, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()))
            add(out, Severity::Error, place, placeText,
                std::string(axis) + " position " + inQuotes(text) + " is not a whole number");
    }
}

void checkHeader(const MissionDocument& document, Problems& out) {
    const Place place{Kind::Header};
    const std::string project = document.header.text(MissionHeader::projectName);
    const char* problem = mission::projectNameProblem(project);
    if (project.empty())
        add(out, Severity::Error, place, "Mission header",
            "No project name: the Build refuses to run without one");
    else if (problem && std::string_view(problem) != mission::kProjectNameTooLong)
        add(out, Severity::Error, place, "Mission header",
            "Project name " + inQuotes(project) + ": " + problem +
                " (the Build refuses to run with it)");
    else if (project.size() < 4)
        add(out, Severity::Warning, place, "Mission header",
            "Project name " + inQuotes(project) +
                " is shorter than 4 characters: objective targets made from it hold blanks or "
                "read back as NULL");
    else if (project.size() > 4)
        add(out, Severity::Warning, place, "Mission header",
            "Project name " + inQuotes(project) +
                " is longer than 4 characters: generated file names pass 8 characters");
}

void checkStartPoints(const MissionDocument& document, Problems& out) {
    const std::string players = document.header.text(MissionHeader::numberOfPlayers);
    const auto count = common::parseDecimalInRange(players, 1, kPlayerCount);
    if (!count)
        add(out, Severity::Error, {Kind::Header}, "Mission header",
            "Number of players " + inQuotes(players) + " is not 1 to 8");
    for (int p = 1; p <= kPlayerCount; ++p) {
        const Place place{Kind::StartPoints, -1, -1, p};
        const std::string placeText = "Start point " + std::to_string(p);
        const StartPointRecord& record = document.startPoint(p);
        if (startPointIsSet(record))
            checkPositionTexts(record, place, placeText, out);
        else if (count && p <= *count)
            add(out, Severity::Error, place, placeText,
                "Not set, but the mission has " + std::to_string(*count) + " players");
    }
}

std::string objectPlaceText(int slot, const MissionObjectRecord& o) {
    const std::string menu = o.text(MissionObjectRecord::menuText);
    return "Object " + std::to_string(slot) + (menu.empty() ? "" : " " + inQuotes(menu));
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void checkGeometry(const MissionObjectRecord& o, const Place& place, const std::string& placeText,
                   const gamedata::GeometryIndex* index, const CheckContext& context,
                   Problems& out) {
    const std::string name = o.text(MissionObjectRecord::objectName);
    if (name.empty()) {
        add(out, Severity::Error, place, placeText, "No geometry name");
    } else if (o.isReadyMadeGroup()) {
        if (!context.archivePath)
            return;
        const auto path = gamedata::readyMadeGroupPath(*context.archivePath, name);
        if (!path || !fileExists(*path))
            add(out, Severity::Error, place, placeText,
                "Ready-made group " + inQuotes(name) + " has no file RMG/" + name +
                    ".bwd beside the archive");
    } else if (index && !index->find(name)) {
        add(out, Severity::Error, place, placeText,
            "Geometry " + inQuotes(name) + " is not in WTB.IDX");
    }
}

using PositionKey = std::tuple<std::string, std::int32_t, std::int32_t, std::int32_t>;

std::map<int, std::array<std::int32_t, 3>> objectPositions(const MissionDocument& document,
                                                           const CheckContext& context) {
    const RecordPositions records(document);
    const ScenePositions& source = context.objectPositions ? *context.objectPositions : records;
    std::map<int, std::array<std::int32_t, 3>> out;
    for (const FramePlacement& f : source.objectFrames())
        out.emplace(f.tag, f.position);
    return out;
}

void checkObjects(const MissionDocument& document, const CheckContext& context, Problems& out) {
    const gamedata::GeometryIndex* index = gamedata::cachedGeometryIndex(
        gamedata::indexFilePath(context.programDirectory, gamedata::IndexKind::Poly));
    const auto positions = objectPositions(document, context);
    std::map<PositionKey, int> firstAt;
    bool standardObjects = false;
    for (int slot : document.objects.occupiedSlots()) {
        const MissionObjectRecord& o = *document.objects.find(slot);
        const Place place{Kind::Object, slot};
        const std::string placeText = objectPlaceText(slot, o);
        standardObjects = standardObjects || !o.isReadyMadeGroup();

        const int area = objectArea(o);
        if (area < 1 || area > 8)
            add(out, Severity::Error, place, placeText,
                "Area file " + inQuotes(o.text(MissionObjectRecord::areaFile)) +
                    " is not 1 to 8: the object is left out of every area file");
        checkGeometry(o, place, placeText, index, context, out);

        const auto at = positions.find(slot);
        if (at == positions.end())
            continue;
        const PositionKey key{o.text(MissionObjectRecord::objectName), at->second[0], at->second[1],
                              at->second[2]};
        const auto [first, isNew] = firstAt.emplace(key, slot);
        if (!isNew)
            add(out, Severity::Warning, place, placeText,
                "Stands where object " + std::to_string(first->second) +
                    " stands, with the same geometry");
    }
    if (!index && standardObjects)
        add(out, Severity::Warning, {Kind::IndexFiles}, "Index files",
            "WTB.IDX not found: the objects' geometries were not checked");
}

void checkNavPoints(const MissionDocument& document, Problems& out) {
    for (int s = 0; s < kStarCount; ++s)
        for (int n = 0; n < kNavPointsPerStar; ++n)
            if (document.navPoint(s, n).isInUse())
                checkPositionTexts(document.navPoint(s, n), {Kind::NavPoint, -1, s, n},
                                   "Star " + std::to_string(s) + " nav point " + std::to_string(n),
                                   out);
}

void checkIndexFiles(const CheckContext& context, Problems& out) {
    const Place place{Kind::IndexFiles};
    if (!context.archivePath) {
        add(out, Severity::Warning, place, "Index files",
            "No archive given: the index files and ready-made groups were not checked");
        return;
    }
    const std::string reason =
        gamedata::indexStaleReason(*context.archivePath, context.programDirectory);
    if (!reason.empty())
        add(out, Severity::Warning, place, "Index files",
            "Missing or out of date (" + reason + "): run Scan Geo Table from the Utilitys menu");
}

} // namespace

std::vector<MissionProblem> checkMission(const MissionDocument& document,
                                         const CheckContext& context) {
    Problems out;
    checkHeader(document, out);
    checkStartPoints(document, out);
    checkObjects(document, context, out);
    checkNavPoints(document, out);
    const std::ptrdiff_t objectivesFrom = std::ssize(out);
    checkObjectives(document, out);
    checkReferences(document, context, out);
    // The cross-references' findings on objectives join the others of their row.
    std::stable_sort(out.begin() + objectivesFrom, out.end(),
                     [](const MissionProblem& a, const MissionProblem& b) {
                         const auto key = [](const MissionProblem& p) {
                             return std::tuple(p.place.kind != Kind::Objective, p.place.star,
                                               p.place.row);
                         };
                         return key(a) < key(b);
                     });
    checkIndexFiles(context, out);
    // The geometry notice joins the other index file findings at the end.
    std::stable_partition(out.begin(), out.end(),
                          [](const MissionProblem& p) { return p.place.kind != Kind::IndexFiles; });
    return out;
}

bool hasErrors(const std::vector<MissionProblem>& problems) {
    return std::any_of(problems.begin(), problems.end(),
                       [](const MissionProblem& p) { return p.severity == Severity::Error; });
}

std::string_view severityWord(MissionProblem::Severity severity) {
    return severity == Severity::Error ? "ERROR" : "WARNING";
}

} // namespace zev::build
