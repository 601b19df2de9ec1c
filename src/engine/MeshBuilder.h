#pragma once

#include "engine/Visual.h"

namespace zev::engine {

// Collects the groups of other meshes, generates their normals and carries a render quality
// of its own.
class MeshBuilder : public Visual {
public:
    // Appends copies of every group of `source`; later changes to the source do not show here.
    void AddMesh(const Visual& source);

    // Gives every vertex the average of the normals of the faces that use it. A vertex used by
    // one face only (as in meshes whose faces share no vertex) gets that face's normal, so such
    // meshes look flat. A face's normal points toward the side from which its corners run
    // clockwise.
    void GenerateNormals();

    void SetQuality(RenderQuality quality);
    std::optional<RenderQuality> GetQuality() const override { return quality_; }

private:
    std::optional<RenderQuality> quality_;
};

} // namespace zev::engine
