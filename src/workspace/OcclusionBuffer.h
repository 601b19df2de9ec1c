#pragma once

#include "engine/Math.h"
#include "engine/Visual.h"

#include <span>
#include <vector>

namespace zev::workspace {

// A coarse depth picture of what has been drawn so far in a frame, for leaving out visuals that
// lie wholly behind it. It only ever errs towards drawing: a cell takes a depth only where one
// front-facing face covers the whole cell, and then the depth of the face's farthest corner; a box
// is hidden only when every cell it may touch holds something nearer than the box's nearest corner.
// A visual left out for it would therefore have lost the depth test at every pixel, so the picture
// is the same with or without it.
//
// Coordinates are clip coordinates of a viewport of `width` x `height` pixels, as the renderer
// draws them: faces whose corners run clockwise on the screen are the front ones.
class OcclusionBuffer {
public:
    static constexpr int kCellPixels = 4;

    void Reset(int width, int height);

    // Where a box appears through `toClip`: its outline on the screen (pixels, y up) and the
    // window depth of its nearest point. Not judged when it reaches in front of the camera's
    // near plane.
    struct Outline {
        bool judged = false;
        double nearest = 0, minX = 0, minY = 0, maxX = 0, maxY = 0;
    };
    Outline Project(const engine::Box& box, const engine::Matrix4& toClip) const;

    // Adds the front-facing faces of `visual` seen through `toClip` (its frame's transform to
    // clip coordinates); `outline` is that of its box, which tells when it is too small to
    // cover a cell.
    void AddVisual(const engine::Visual& visual, const engine::Matrix4& toClip,
                   const Outline& outline);
    // Adds one face given by its corners in clip coordinates, in drawing order. Faces that reach
    // in front of the near plane or past the far plane, and faces that are not convex on the
    // screen, are left out.
    void AddFace(std::span<const engine::Vector4> corners);
    void AddTriangle(const engine::Vector4& a, const engine::Vector4& b, const engine::Vector4& c);

    // Whether everything inside a box of that outline lies behind what was added, with a margin
    // of `marginPixels` around the outline (points and lines reach a little beyond).
    bool Hides(const Outline& outline, double marginPixels) const;

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    // The depth held by a cell (window depth 0 to 1), or more than 1 where nothing covers it.
    float CellDepth(int column, int row) const {
        return depth_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)];
    }

    struct ScreenPoint {
        double x, y, depth;
    };

private:
    // An edge as a*x + b*y + c: the distance in pixels of (x, y) to the left of the edge.
    struct Edge {
        double a, b, c;
    };

    int width_ = 0, height_ = 0;
    int columns_ = 0, rows_ = 0;
    std::vector<float> depth_;
    std::vector<engine::Vector4> corners_; // a visual's vertices in clip coordinates
    std::vector<engine::Vector4> face_;
    std::vector<ScreenPoint> screen_;
    std::vector<Edge> edges_;
};

} // namespace zev::workspace
