#include "engine/Visual.h"

#include <algorithm>

namespace zev::engine {

void Box::Include(const Vector3& p) {
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

std::size_t Visual::GetVertexCount() const {
    std::size_t n = 0;
    for (const MeshGroup& g : groups_)
        n += g.vertices.size();
    return n;
}

std::size_t Visual::GetFaceCount() const {
    std::size_t n = 0;
    for (const MeshGroup& g : groups_)
        n += g.faces.size();
    return n;
}

Box Visual::GetBox() const {
    if (!boxValid_) {
        box_ = Box{};
        for (const MeshGroup& g : groups_)
            for (const MeshVertex& v : g.vertices)
                box_.Include(ToDouble(v.position));
        boxValid_ = true;
    }
    return box_;
}

void Visual::Translate(double dx, double dy, double dz) {
    for (MeshGroup& g : groups_)
        for (MeshVertex& v : g.vertices) {
            v.position.x = static_cast<float>(v.position.x + dx);
            v.position.y = static_cast<float>(v.position.y + dy);
            v.position.z = static_cast<float>(v.position.z + dz);
        }
    Changed();
}

void Visual::Scale(double sx, double sy, double sz) {
    for (MeshGroup& g : groups_)
        for (MeshVertex& v : g.vertices) {
            v.position.x = static_cast<float>(v.position.x * sx);
            v.position.y = static_cast<float>(v.position.y * sy);
            v.position.z = static_cast<float>(v.position.z * sz);
        }
    Changed();
}

void Visual::Changed() {
    ++revision_;
    boxValid_ = false;
}

} // namespace zev::engine
