// Feeds arbitrary bytes to the geometry converter as a geometry entry's data.

#include "gamedata/GeometryConverter.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zev::gamedata;
    const std::span<const std::uint8_t> bytes(data, size);
    Mesh mesh;
    std::string error;
    if (ConvertGeometry(bytes, {1, 2, 3}, {100, 0, -100}, mesh, error)) {
        // What came out must hold together: faces of 3 to 7 corners inside the vertex list.
        std::size_t corners = 0;
        for (const MeshGroup& group : mesh.groups)
            for (const MeshFace& face : group.faces) {
                if (face.cornerCount < 3 || face.cornerCount > 7 ||
                    face.firstVertex + face.cornerCount > group.vertices.size())
                    std::abort();
                corners += face.cornerCount;
            }
        if (corners != mesh.vertexCount())
            std::abort();
        (void)AutoZoomHeight(mesh.boundingBox());
    } else if (!mesh.groups.empty() || error != kGeometryReadError) {
        std::abort();
    }
    (void)geometrySizeBound(bytes);
    return 0;
}
