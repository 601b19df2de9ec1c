#include "gamedata/ReadyMadeGroupFile.h"

#include "common/ByteReader.h"
#include "common/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace zev::gamedata {

using common::getI16;
using common::getI32;

namespace {

constexpr std::uint8_t kGroupMagic[4] = {'B', 'W', 'D', 0};
constexpr std::uint8_t kMemberTag[4] = {'O', 'B', 'J', 0};

// Member record offsets.
constexpr std::size_t kScaleOffsets[3] = {6, 10, 14};
constexpr std::size_t kRotationXOffset = 20;
constexpr std::size_t kRotationYOffset = 24;
constexpr std::size_t kRotationZOffset = 28; // 16-bit
constexpr std::size_t kPositionOffsets[3] = {30, 34, 38};
constexpr std::size_t kEntryNumberOffset = 48;

ReadyMadeMemberRecord decodeMember(const std::uint8_t* p) {
    ReadyMadeMemberRecord m;
    for (int a = 0; a < 3; ++a) {
        m.scale[std::size_t(a)] = getI16(p + kScaleOffsets[a]);
        m.position[std::size_t(a)] = getI16(p + kPositionOffsets[a]);
    }
    m.rotation = {getI32(p + kRotationXOffset), getI32(p + kRotationYOffset),
                  getI16(p + kRotationZOffset)};
    m.entryNumber = getI32(p + kEntryNumberOffset);
    return m;
}

} // namespace

bool parseReadyMadeGroup(std::span<const std::uint8_t> file,
                         std::vector<ReadyMadeMemberRecord>& members, std::string& lastError) {
    members.clear();
    common::ByteReader in(file);
    const auto header = in.take(rmg::kHeaderSize);
    if (!header || std::memcmp(header->data(), kGroupMagic, 4) != 0) {
        lastError = kNotAReadyMadeGroupError;
        return false;
    }
    while (const auto chunk = in.take(rmg::kChunkHeaderSize)) {
        if (std::memcmp(chunk->data(), kMemberTag, 4) == 0) {
            const auto record = in.take(rmg::kMemberRecordSize);
            if (!record)
                break;
            members.push_back(decodeMember(record->data()));
            continue;
        }
        const std::int32_t size = getI32(chunk->data() + 4);
        if (size < std::int32_t(rmg::kChunkHeaderSize))
            break;
        // A chunk that runs past the end of the file ends the walk.
        if (!in.skip(std::size_t(size) - rmg::kChunkHeaderSize))
            break;
    }
    return true;
}

std::vector<std::uint8_t> makeChunk(const std::string& tag, std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> chunk(rmg::kChunkHeaderSize + body.size(), 0);
    std::memcpy(chunk.data(), tag.data(), std::min<std::size_t>(tag.size(), 4));
    common::putI32(chunk.data() + 4, std::int32_t(chunk.size()));
    std::copy(body.begin(), body.end(), chunk.begin() + rmg::kChunkHeaderSize);
    return chunk;
}

std::vector<std::uint8_t>
encodeReadyMadeGroup(const std::vector<ReadyMadeMemberRecord>& members,
                     const std::vector<std::vector<std::uint8_t>>& extraChunks) {
    std::vector<std::uint8_t> out(rmg::kHeaderSize, 0);
    std::memcpy(out.data(), kGroupMagic, 4);
    for (const auto& chunk : extraChunks)
        out.insert(out.end(), chunk.begin(), chunk.end());
    for (const ReadyMadeMemberRecord& m : members) {
        std::uint8_t body[rmg::kMemberRecordSize] = {};
        for (int a = 0; a < 3; ++a) {
            common::putI16(body + kScaleOffsets[a], m.scale[std::size_t(a)]);
            common::putI16(body + kPositionOffsets[a], m.position[std::size_t(a)]);
        }
        common::putI32(body + kRotationXOffset, m.rotation[0]);
        common::putI32(body + kRotationYOffset, m.rotation[1]);
        common::putI16(body + kRotationZOffset, static_cast<std::int16_t>(m.rotation[2]));
        common::putI32(body + kEntryNumberOffset, m.entryNumber);
        const auto chunk = makeChunk("OBJ", body);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

} // namespace zev::gamedata
