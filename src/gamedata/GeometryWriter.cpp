#include "gamedata/GeometryWriter.h"

#include "common/LittleEndian.h"
#include "gamedata/GeometryFormat.h"

namespace zev::gamedata {

namespace g = geometry;

void GameGeometry::append(const GameGeometry& other) {
    const auto base = static_cast<std::int16_t>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (const auto& face : other.faces) {
        std::vector<std::int16_t> moved;
        for (std::int16_t i : face)
            moved.push_back(static_cast<std::int16_t>(i + base));
        faces.push_back(std::move(moved));
    }
}

std::vector<std::uint8_t> encodeGeometry(const GameGeometry& geometry) {
    if (geometry.vertices.size() > 32767 || geometry.faces.size() > 32767)
        return {};
    std::vector<std::uint8_t> out(g::kHeaderSize + g::kVertexSize * geometry.vertices.size());
    common::putI16(out.data() + g::kVertexCountOffset,
                   static_cast<std::int16_t>(geometry.vertices.size()));
    common::putI16(out.data() + g::kFaceCountOffset,
                   static_cast<std::int16_t>(geometry.faces.size()));
    std::uint8_t* p = out.data() + g::kHeaderSize;
    for (const GameVertex& v : geometry.vertices) {
        common::putI32(p, v.x);
        common::putI32(p + 4, v.y);
        common::putI32(p + 8, v.z);
        common::putI16(p + 12, v.u);
        common::putI16(p + 14, v.v);
        p += g::kVertexSize;
    }
    for (const auto& face : geometry.faces) {
        const int corners = static_cast<int>(face.size());
        if (corners < g::kMinCorners || corners > g::kMaxCorners)
            return {};
        const std::size_t start = out.size();
        out.resize(start + g::faceRecordSize(corners), 0);
        common::putI16(out.data() + start + g::kCornerCountOffset,
                       static_cast<std::int16_t>(corners));
        for (int c = 0; c < corners; ++c)
            common::putI16(out.data() + start + g::kFaceHeaderSize + 2 * std::size_t(c),
                           face[std::size_t(c)]);
    }
    return out;
}

} // namespace zev::gamedata
