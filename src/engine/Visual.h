#pragma once

#include "engine/Math.h"
#include "engine/RenderQuality.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zev::engine {

struct MeshVertex {
    Vector3f position;
    Vector3f normal;
    float u = 0;
    float v = 0;
};

// A face: its corners are indices[firstIndex] to indices[firstIndex + cornerCount - 1] of its
// group, in drawing order (clockwise seen from the front).
struct MeshFace {
    std::uint32_t firstIndex = 0;
    std::uint32_t cornerCount = 0;
};

struct MeshGroup {
    std::vector<MeshVertex> vertices;
    std::vector<MeshFace> faces;
    std::vector<std::uint32_t> indices;

    std::span<const std::uint32_t> Corners(const MeshFace& face) const {
        return std::span<const std::uint32_t>(indices).subspan(face.firstIndex, face.cornerCount);
    }
};

// An axis-aligned box; `empty` until a point is included.
struct Box {
    Vector3 min;
    Vector3 max;
    bool empty = true;

    void Include(const Vector3& p);
};

// Geometry that frames show: groups of faces with a variable number of corners. A visual may
// be shared by many frames; it is drawn in the coordinates of each frame that holds it.
class Visual {
public:
    virtual ~Visual() = default;

    const std::vector<MeshGroup>& Groups() const { return groups_; }
    std::size_t GetGroupCount() const { return groups_.size(); }
    std::size_t GetVertexCount() const;
    std::size_t GetFaceCount() const;

    // The box around every vertex of every group.
    Box GetBox() const;

    // Moves every vertex by (dx, dy, dz).
    void Translate(double dx, double dy, double dz);
    // Multiplies every vertex coordinate by the factor of its axis. Normals are not changed;
    // generate them again after a scale that is not uniform.
    void Scale(double sx, double sy, double sz);

    // Changes whenever the geometry changes, so that a renderer knows when to upload again.
    std::uint64_t Revision() const { return revision_; }

    // The render quality of this visual, or nothing to draw it with the device's.
    virtual std::optional<RenderQuality> GetQuality() const { return std::nullopt; }

protected:
    void Changed();

    std::vector<MeshGroup> groups_;

private:
    std::uint64_t revision_ = 0;
    mutable Box box_;
    mutable bool boxValid_ = false;
};

// Whether two visuals hold the same geometry, vertex for vertex and face for face (normals and
// texture coordinates included), and a hash of it that equal geometries share.
bool SameGeometry(const Visual& a, const Visual& b);
std::uint64_t GeometryHash(const Visual& visual);

} // namespace zev::engine
