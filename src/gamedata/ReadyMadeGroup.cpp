#include "gamedata/ReadyMadeGroup.h"

#include "gamedata/GeometryConverter.h"

namespace zev::gamedata {

bool buildReadyMadeGroup(std::span<const std::uint8_t> file, GroupGeometrySource& source,
                         ReadyMadeGroup& group, std::string& lastError) {
    group.members.clear();
    std::vector<ReadyMadeMemberRecord> records;
    if (!parseReadyMadeGroup(file, records, lastError))
        return false;

    std::vector<std::uint8_t> bytes;
    for (const ReadyMadeMemberRecord& record : records) {
        std::uint32_t dataOffset = 0;
        const auto lookup = source.findEntry(record.entryNumber, dataOffset);
        if (lookup == GroupGeometrySource::Lookup::IndexUnavailable) {
            lastError = kIndexOpenError;
            break;
        }
        if (lookup == GroupGeometrySource::Lookup::Missing ||
            record.entryNumber == kSkippedMemberEntry)
            continue;
        if (!source.geometryAt(dataOffset, bytes)) {
            lastError = kArchiveOpenError;
            return false;
        }
        ReadyMadeMember member;
        member.record = record;
        const Vec3 scale{float(record.scale[0]), float(record.scale[1]), float(record.scale[2])};
        if (!ConvertGeometry(bytes, scale, {}, member.mesh, lastError))
            return false;
        member.placement.position = {0.01f * float(record.position[0]),
                                     0.01f * float(record.position[1]),
                                     0.01f * float(record.position[2])};
        member.placement.rotationDegrees = {record.rotation[0], record.rotation[1],
                                            record.rotation[2]};
        group.members.push_back(std::move(member));
    }
    return true;
}

} // namespace zev::gamedata
