#include "gamedata/GeometryConverter.h"

#include "common/ByteReader.h"
#include "common/LittleEndian.h"
#include "gamedata/GeometryFormat.h"
#include "gamedata/GeometryWriter.h"

#include <array>

namespace zev::gamedata {

namespace g = geometry;
using common::ByteReader;
using common::getI16;
using common::getI32;

namespace {

bool fail(Mesh& mesh, std::string& lastError) {
    mesh.groups.clear();
    lastError = kGeometryReadError;
    return false;
}

} // namespace

std::size_t geometrySizeBound(std::span<const std::uint8_t> header) {
    if (header.size() < g::kHeaderSize)
        return 0;
    const int vertices = getI16(header.data() + g::kVertexCountOffset);
    const int faces = getI16(header.data() + g::kFaceCountOffset);
    if (vertices < 0 || faces < 0)
        return 0;
    return g::kHeaderSize + g::kVertexSize * std::size_t(vertices) +
           g::faceRecordSize(g::kMaxCorners) * std::size_t(faces);
}

bool ConvertGeometry(std::span<const std::uint8_t> data, Vec3 scale, Vec3 translate, Mesh& mesh,
                     std::string& lastError) {
    mesh.groups.clear();
    ByteReader in(data);
    const auto header = in.take(g::kHeaderSize);
    if (!header)
        return fail(mesh, lastError);
    const int vertexCount = getI16(header->data() + g::kVertexCountOffset);
    const int faceCount = getI16(header->data() + g::kFaceCountOffset);
    if (vertexCount < 0 || faceCount < 0)
        return fail(mesh, lastError);

    const auto vertexBytes = in.take(g::kVertexSize * std::size_t(vertexCount));
    if (!vertexBytes)
        return fail(mesh, lastError);
    std::vector<GameVertex> table(static_cast<std::size_t>(vertexCount));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::uint8_t* p = vertexBytes->data() + g::kVertexSize * i;
        table[i] = {getI32(p), getI32(p + 4), getI32(p + 8), getI16(p + 12), getI16(p + 14)};
    }

    MeshGroup group;
    for (int f = 0; f < faceCount; ++f) {
        const auto faceHeader = in.take(g::kFaceHeaderSize);
        if (!faceHeader)
            return fail(mesh, lastError);
        const int corners = getI16(faceHeader->data() + g::kCornerCountOffset);
        if (corners < g::kMinCorners || corners > g::kMaxCorners)
            return fail(mesh, lastError);
        const auto slots = in.take(2 * g::slotCount(corners));
        if (!slots)
            return fail(mesh, lastError);
        std::array<int, g::kMaxCorners> index{};
        for (int c = 0; c < corners; ++c) {
            index[std::size_t(c)] = getI16(slots->data() + 2 * c);
            if (index[std::size_t(c)] < 0 || index[std::size_t(c)] >= vertexCount)
                return fail(mesh, lastError);
        }

        group.faces.push_back({std::uint32_t(group.vertices.size()), std::uint32_t(corners)});
        for (int c = 0; c < corners; ++c) {
            // First corner kept, the others in reverse order.
            const int slot = c == 0 ? 0 : corners - c;
            const GameVertex& gv = table[std::size_t(index[std::size_t(slot)])];
            MeshVertex v;
            v.position = {float(gv.x / 100), float(gv.y / 100), float(gv.z / 100)};
            v.u = float(gv.u / 100);
            v.v = float(gv.v / 100);
            group.vertices.push_back(v);
        }
    }

    mesh.groups.push_back(std::move(group));
    mesh.translate(0.01f * translate.x, 0.01f * translate.y, 0.01f * translate.z);
    mesh.scale(scale.x, scale.y, scale.z);
    return true;
}

} // namespace zev::gamedata
