#pragma once

#include "gamedata/Mesh.h"

#include <cstdint>
#include <span>
#include <string>

namespace zev::gamedata {

// Left in the last-error text when a geometry cannot be read or does not hold together.
inline constexpr const char* kGeometryReadError = "Error Reading GEO Table";

// Builds one mesh group from the geometry entry whose data begins at `data` (bytes after the
// geometry are ignored). Every face corner becomes its own vertex; corners come out in reversed
// order keeping the first (a, b, c, d -> a, d, c, b); coordinates and texture coordinates are the
// game's integers divided by 100 with truncation toward zero. The mesh is then moved by 0.01 x
// `translate` and scaled by `scale`. A short entry, a negative count, a corner count outside 3 to
// 7 or an index outside the vertex table fails with kGeometryReadError in `lastError` and leaves
// `mesh` empty.
bool ConvertGeometry(std::span<const std::uint8_t> data, Vec3 scale, Vec3 translate, Mesh& mesh,
                     std::string& lastError);

// Bytes a geometry entry occupies at most, judged from its 32-byte header alone (every face
// taken as the largest record); 0 when the header is too short or its counts are negative. Lets
// a caller read just enough of an archive to convert one geometry.
std::size_t geometrySizeBound(std::span<const std::uint8_t> header);

} // namespace zev::gamedata
