#include "gamedata/ObjExport.h"

#include "common/Numbers.h"

namespace zev::gamedata {

namespace {

// Short and exact enough for a float: "%.7g".
std::string number(float value) {
    std::string text = common::cFloat(value, std::chars_format::general, 7);
    if (text == "-0")
        text = "0";
    return text;
}

} // namespace

std::string meshesToObj(const std::vector<PlacedMesh>& meshes) {
    std::string out = "# ZEVEDIT 3D export, workspace units\r\n";
    std::size_t base = 1; // OBJ numbers vertices from 1 across the whole file
    for (const PlacedMesh& placed : meshes) {
        if (!placed.mesh)
            continue;
        out += "o " + (placed.name.empty() ? std::string("object") : placed.name) + "\r\n";
        for (const MeshGroup& group : placed.mesh->groups) {
            for (const MeshVertex& v : group.vertices) {
                const Vec3 p = placed.placement.apply(v.position);
                out += "v " + number(p.x) + ' ' + number(p.y) + ' ' + number(p.z) + "\r\n";
            }
            for (const MeshVertex& v : group.vertices)
                out += "vt " + number(v.u) + ' ' + number(v.v) + "\r\n";
            for (const MeshFace& face : group.faces) {
                out += 'f';
                for (std::uint32_t c = 0; c < face.cornerCount; ++c) {
                    const std::string index = std::to_string(base + face.firstVertex + c);
                    out += ' ' + index + '/' + index;
                }
                out += "\r\n";
            }
            base += group.vertices.size();
        }
    }
    return out;
}

} // namespace zev::gamedata
