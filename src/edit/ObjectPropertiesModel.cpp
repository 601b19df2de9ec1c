#include "ObjectPropertiesModel.h"

#include "TripleTexts.h"

#include "common/Numbers.h"
#include "gamedata/ObjectGroupRecord.h"
#include "gamedata/ProjectArchive.h"

#include <algorithm>
#include <iterator>

namespace zev::edit {

using mission::MissionObjectRecord;
using R = MissionObjectRecord;

namespace {

constexpr int kCollisionTypeCount = int(std::size(gamedata::kCollisionTypes));

} // namespace

int collisionTypeIndex(std::string_view text) {
    int found = -1;
    for (int i = 0; i < kCollisionTypeCount; ++i)
        if (text.find(gamedata::kCollisionTypes[i]) != std::string_view::npos)
            found = i;
    return found;
}

std::string roleText(const std::array<bool, 3>& roles) {
    std::string text;
    for (std::size_t i = 0; i < roles.size(); ++i)
        if (roles[i])
            text += (text.empty() ? "" : ";") + std::string(kRoleWords[i]);
    return text.empty() ? "." : text;
}

ObjectPropertiesModel::ObjectPropertiesModel(const MissionObjectRecord& record)
    : record_(record), tasks_(record) {
    ObjectPropertyValues& v = shown_;
    showTriple(v.scale, record, &R::scale);
    showTriple(v.position, record, &R::position);
    showTriple(v.mainRotation, record, &R::mainRotation);
    const std::string role = record.text(R::gamethingRole);
    for (std::size_t i = 0; i < v.roles.size(); ++i)
        v.roles[i] = role.find(kRoleWords[i]) != std::string::npos;
    v.mainType = collisionTypeIndex(record.text(R::mainType));
    v.areaFile =
        std::clamp(common::leadingInt(record.text(R::areaFile)), kAreaFileMin, kAreaFileMax);
    if (!detailsEnabled())
        return; // a ready-made group's details stay unfilled
    v.collisionOn = record.byte(R::collisionOn) != 0;
    v.canTarget = record.byte(R::canTarget) != 0;
    v.hitsToDestroy = common::decimal(record.int32(R::hitsToDestroy));
    showTriple(v.alternateRotation, record, &R::alternateRotation);
    showTriple(v.chunkRotation, record, &R::chunkRotation);
    v.alternateType = collisionTypeIndex(record.text(R::alternateType));
    // The type box shows only its own words; any other type opens empty.
    const std::string type = record.text(R::objectType);
    if (std::find(std::begin(kPropertyObjectTypes), std::end(kPropertyObjectTypes), type) !=
        std::end(kPropertyObjectTypes))
        v.objectType = type;
    v.objectParent = record.text(R::objectParent);
    v.targetingInfo = record.text(R::targetingInfo);
    v.inspectionInfo = record.text(R::inspectionInfo);
    v.alternateName = record.text(R::alternateName);
}

std::string ObjectPropertiesModel::caption() const {
    return "Object Property [" + record_.text(R::menuText) + " " + record_.text(R::objectName) +
           " " + record_.text(R::alternateName) + "]";
}

std::vector<std::string> ObjectPropertiesModel::summary() const {
    return tasks_.summary(record_.text(R::objectName));
}

MissionObjectRecord ObjectPropertiesModel::compose(const ObjectPropertyValues& v) const {
    R out = record_;
    storeTriple(out, v.scale, &R::scale);
    storeTriple(out, v.position, &R::position);
    out.setInt32(R::hitsToDestroy, common::leadingInt(v.hitsToDestroy));
    storeTriple(out, v.mainRotation, &R::mainRotation);
    storeTriple(out, v.alternateRotation, &R::alternateRotation);
    storeTriple(out, v.chunkRotation, &R::chunkRotation);
    out.setByte(R::collisionOn, v.collisionOn ? 1 : 0);
    out.setByte(R::canTarget, v.canTarget ? 1 : 0);
    out.setText(R::gamethingRole, roleText(v.roles));
    // No entry selected leaves the type as it was.
    if (v.mainType >= 0 && v.mainType < kCollisionTypeCount)
        out.setText(R::mainType, gamedata::kCollisionTypes[v.mainType]);
    if (v.alternateType >= 0 && v.alternateType < kCollisionTypeCount)
        out.setText(R::alternateType, gamedata::kCollisionTypes[v.alternateType]);
    // Texts longer than their fields are cut to the width less one.
    out.setText(R::objectType, v.objectType);
    out.setText(R::objectParent, v.objectParent);
    out.setText(R::targetingInfo, v.targetingInfo);
    out.setText(R::inspectionInfo, v.inspectionInfo);
    out.setText(R::alternateName, v.alternateName);
    out.setText(R::areaFile, common::decimal(std::clamp(v.areaFile, kAreaFileMin, kAreaFileMax)));
    tasks_.copyInto(out);
    return out;
}

std::vector<std::string> ambientSoundChoices(const std::filesystem::path& configuredArchivePath) {
    std::vector<std::string> names{"1"};
    gamedata::ProjectArchive archive;
    if (!configuredArchivePath.empty() &&
        archive.OpenArchive(gamedata::CompleteArchivePath(configuredArchivePath))) {
        for (const char* tag : kSoundSectionTags) {
            gamedata::SectionIndex section;
            if (!archive.FindSection(tag, section))
                continue;
            // As in the index files, the section's last entry only closes it.
            for (std::uint32_t number = 1; number < section.entryCount; ++number) {
                gamedata::ArchiveEntry entry;
                if (!archive.ReadEntry(section, entry, number))
                    break;
                if (!entry.shortNameText().empty())
                    names.push_back(entry.shortNameText());
            }
            break;
        }
        archive.CloseArchive();
    }
    if (names.size() == 1)
        names.insert(names.end(), {"AEROTCH1", "WTRXPLO1"});
    return names;
}

} // namespace zev::edit
