#pragma once

#include <cstddef>
#include <cstdint>

// Byte layout of a geometry entry of the archive's "POLY" section (little-endian): a 32-byte
// header with the vertex and face counts, the vertex records, then the face records.
namespace zev::gamedata::geometry {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kVertexCountOffset = 24; // signed 16-bit
constexpr std::size_t kFaceCountOffset = 26;   // signed 16-bit

// Vertex: x, y, z (signed 32-bit, game units), u, v (signed 16-bit, hundredths).
constexpr std::size_t kVertexSize = 16;

// Face: 2 bytes not interpreted, the corner count (signed 16-bit), then index slots (signed
// 16-bit, 0-based into the vertex records). Slots beyond the corner count are unused.
constexpr std::size_t kFaceHeaderSize = 4;
constexpr std::size_t kCornerCountOffset = 2;
constexpr int kMinCorners = 3;
constexpr int kMaxCorners = 7;

// Number of index slots a face of `corners` corners carries (4 up to quads, 7 above).
constexpr std::size_t slotCount(int corners) {
    return corners <= 4 ? 4 : 7;
}
constexpr std::size_t faceRecordSize(int corners) {
    return kFaceHeaderSize + 2 * slotCount(corners);
}

} // namespace zev::gamedata::geometry
