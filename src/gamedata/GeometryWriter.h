#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Geometry in the game's integer form, and its encoding as the data of a "POLY" archive entry.
namespace zev::gamedata {

struct GameVertex {
    std::int32_t x = 0, y = 0, z = 0; // game units
    std::int16_t u = 0, v = 0;        // texture coordinates in hundredths
};

struct GameGeometry {
    std::vector<GameVertex> vertices;
    // Each face lists 3 to 7 vertex indices in the game's corner order.
    std::vector<std::vector<std::int16_t>> faces;

    // Appends another geometry's vertices and faces (indices moved along).
    void append(const GameGeometry& other);
};

// The entry data of `geometry`. Unused index slots are written as 0. Returns an empty buffer
// when a count does not fit its 16-bit field or a face has fewer than 3 or more than 7 corners.
std::vector<std::uint8_t> encodeGeometry(const GameGeometry& geometry);

} // namespace zev::gamedata
