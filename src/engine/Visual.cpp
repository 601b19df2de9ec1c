#include "engine/Visual.h"

#include <algorithm>
#include <cstring>

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

namespace {

static_assert(sizeof(MeshVertex) == 8 * sizeof(float), "vertices compare as bytes");
static_assert(sizeof(MeshFace) == 2 * sizeof(std::uint32_t), "faces compare as bytes");

template <typename T> bool SameItems(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

// FNV-1a over the count and the bytes of `items`.
template <typename T> std::uint64_t HashItems(std::uint64_t h, const std::vector<T>& items) {
    auto add = [&h](const unsigned char* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            h = (h ^ p[i]) * 1099511628211ull;
    };
    const std::uint64_t count = items.size();
    add(reinterpret_cast<const unsigned char*>(&count), sizeof count);
    add(reinterpret_cast<const unsigned char*>(items.data()), items.size() * sizeof(T));
    return h;
}

} // namespace

bool SameGeometry(const Visual& a, const Visual& b) {
    if (a.Groups().size() != b.Groups().size())
        return false;
    for (std::size_t g = 0; g < a.Groups().size(); ++g) {
        const MeshGroup& x = a.Groups()[g];
        const MeshGroup& y = b.Groups()[g];
        if (!SameItems(x.vertices, y.vertices) || !SameItems(x.faces, y.faces) ||
            !SameItems(x.indices, y.indices))
            return false;
    }
    return true;
}

std::uint64_t GeometryHash(const Visual& visual) {
    std::uint64_t h = 14695981039346656037ull;
    for (const MeshGroup& group : visual.Groups()) {
        h = HashItems(h, group.vertices);
        h = HashItems(h, group.faces);
        h = HashItems(h, group.indices);
    }
    return h;
}

} // namespace zev::engine
