#include "workspace/OcclusionBuffer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zev::workspace {

namespace {

// How far inside a triangle's edges a pixel centre must lie to count as covered: far more than
// the difference between this double-precision transform and the GPU's float one.
constexpr double kInsidePixels = 0.01;
// How much nearer a cell must be than a box: depth buffers keep 24 bits (6e-8 a step), and the
// GPU computes in floats.
constexpr double kDepthMargin = 1e-6;
constexpr float kNothing = std::numeric_limits<float>::infinity();

using ScreenPoint = OcclusionBuffer::ScreenPoint;

ScreenPoint ToScreen(const engine::Vector4& c, int width, int height) {
    return {(c.x / c.w * 0.5 + 0.5) * width, (c.y / c.w * 0.5 + 0.5) * height,
            c.z / c.w * 0.5 + 0.5};
}

bool InsideDepthRange(const engine::Vector4& c) {
    return c.w > 0 && c.z >= -c.w && c.z <= c.w;
}

} // namespace

void OcclusionBuffer::Reset(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    columns_ = (width_ + kCellPixels - 1) / kCellPixels;
    rows_ = (height_ + kCellPixels - 1) / kCellPixels;
    depth_.assign(std::size_t(columns_) * std::size_t(rows_), kNothing);
}

void OcclusionBuffer::AddVisual(const engine::Visual& visual, const engine::Matrix4& toClip,
                                const Outline& outline) {
    // No face of a visual smaller than a cell on the screen covers a cell.
    if (outline.judged && (outline.maxX - outline.minX < kCellPixels - 1 ||
                           outline.maxY - outline.minY < kCellPixels - 1))
        return;
    for (const engine::MeshGroup& group : visual.Groups()) {
        corners_.clear();
        corners_.reserve(group.vertices.size());
        for (const engine::MeshVertex& v : group.vertices)
            corners_.push_back(toClip.Transform({v.position.x, v.position.y, v.position.z, 1}));
        for (const engine::MeshFace& face : group.faces) {
            face_.clear();
            for (std::uint32_t corner : group.Corners(face)) {
                if (corner >= corners_.size())
                    break;
                face_.push_back(corners_[corner]);
            }
            if (face_.size() == face.cornerCount)
                AddFace(face_);
        }
    }
}

void OcclusionBuffer::AddTriangle(const engine::Vector4& a, const engine::Vector4& b,
                                  const engine::Vector4& c) {
    const engine::Vector4 corners[3] = {a, b, c};
    AddFace(corners);
}

void OcclusionBuffer::AddFace(std::span<const engine::Vector4> corners) {
    if (corners.size() < 3)
        return;
    screen_.clear();
    for (const engine::Vector4& c : corners) {
        if (!InsideDepthRange(c))
            return;
        screen_.push_back(ToScreen(c, width_, height_));
    }
    // Twice the signed area, positive when the corners run anticlockwise on the screen (y up):
    // those are back faces, which are not drawn and hide nothing.
    double area = 0;
    for (std::size_t i = 0; i < screen_.size(); ++i) {
        const ScreenPoint& p = screen_[i];
        const ScreenPoint& q = screen_[(i + 1) % screen_.size()];
        area += p.x * q.y - q.x * p.y;
    }
    if (!(area < 0))
        return;
    std::reverse(screen_.begin(), screen_.end()); // anticlockwise: inside is left of every edge

    double minX = screen_[0].x, maxX = minX, minY = screen_[0].y, maxY = minY;
    double farthestDepth = screen_[0].depth;
    for (const ScreenPoint& p : screen_) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
        farthestDepth = std::max(farthestDepth, p.depth);
    }
    // The pixel centres of a cell span kCellPixels - 1 pixels each way.
    if (maxX - minX < kCellPixels - 1 || maxY - minY < kCellPixels - 1)
        return;
    const float farthest = float(farthestDepth);

    // Each edge as a*x + b*y + c: the distance in pixels of (x, y) to the left of the edge.
    edges_.clear();
    for (std::size_t i = 0; i < screen_.size(); ++i) {
        const ScreenPoint& from = screen_[i];
        const ScreenPoint& to = screen_[(i + 1) % screen_.size()];
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double length = std::hypot(dx, dy);
        if (length > 0) // corners on the same spot make no edge
            edges_.push_back({-dy / length, dx / length, (dy * from.x - dx * from.y) / length});
    }
    // The face is drawn as a fan of triangles from its first corner, which covers the face
    // itself only when it is convex: every corner inside every edge.
    for (const Edge& e : edges_)
        for (const ScreenPoint& p : screen_)
            if (e.a * p.x + e.b * p.y + e.c < -kInsidePixels)
                return;

    const int r0 = std::max(0, int(std::floor(minY / kCellPixels)));
    const int r1 = std::min(rows_ - 1, int(std::floor(maxY / kCellPixels)));
    for (int row = r0; row <= r1; ++row) {
        // The centres of the cell's corner pixels span y0 to y1 (the last row may be lower).
        const double y0 = row * kCellPixels + 0.5;
        const double y1 = std::min((row + 1) * kCellPixels, height_) - 0.5;
        // Each edge function is least at one corner of a cell: for the row, the edges bound
        // where the cells' left corners (x0) and right corners (x1) may lie.
        double leftFrom = -std::numeric_limits<double>::infinity();
        double rightTo = std::numeric_limits<double>::infinity();
        bool none = false;
        for (const Edge& e : edges_) {
            const double rest = kInsidePixels - e.c - e.b * (e.b < 0 ? y1 : y0);
            if (e.a > 0)
                leftFrom = std::max(leftFrom, rest / e.a); // x0 > rest / a
            else if (e.a < 0)
                rightTo = std::min(rightTo, rest / e.a); // x1 < rest / a
            else if (!(0 > rest))
                none = true;
        }
        if (none || !(leftFrom < rightTo))
            continue;
        // Columns whose x0 = 8 c + 0.5 > leftFrom and x1 = min(8 c + 8, width) - 0.5 < rightTo.
        const int first = std::max(0, int(std::floor((leftFrom - 0.5) / kCellPixels)) + 1);
        int last = std::min(columns_ - 1, int(std::ceil((rightTo + 0.5) / kCellPixels)) - 2);
        if (last + 1 == columns_ - 1 && double(width_) - 0.5 < rightTo)
            last = columns_ - 1; // the last, narrower column ends at the viewport's edge
        float* cells = &depth_[std::size_t(row) * std::size_t(columns_)];
        for (int column = first; column <= last; ++column)
            cells[column] = std::min(cells[column], farthest);
    }
}

OcclusionBuffer::Outline OcclusionBuffer::Project(const engine::Box& box,
                                                  const engine::Matrix4& toClip) const {
    Outline out;
    if (box.empty)
        return out;
    constexpr double kInf = std::numeric_limits<double>::infinity();
    out = {true, kInf, kInf, kInf, -kInf, -kInf};
    for (int i = 0; i < 8; ++i) {
        const engine::Vector4 c =
            toClip.Transform({(i & 1) ? box.max.x : box.min.x, (i & 2) ? box.max.y : box.min.y,
                              (i & 4) ? box.max.z : box.min.z, 1});
        // A box reaching in front of the camera's near plane is never judged.
        if (!(c.w > 0) || c.z < -c.w)
            return {};
        const ScreenPoint s = ToScreen(c, width_, height_);
        out.nearest = std::min(out.nearest, s.depth);
        out.minX = std::min(out.minX, s.x);
        out.maxX = std::max(out.maxX, s.x);
        out.minY = std::min(out.minY, s.y);
        out.maxY = std::max(out.maxY, s.y);
    }
    return out;
}

bool OcclusionBuffer::Hides(const Outline& outline, double marginPixels) const {
    if (!outline.judged || columns_ == 0 || rows_ == 0)
        return false;
    const double minX = std::max(outline.minX - marginPixels, 0.0);
    const double minY = std::max(outline.minY - marginPixels, 0.0);
    const double maxX = std::min(outline.maxX + marginPixels, double(width_));
    const double maxY = std::min(outline.maxY + marginPixels, double(height_));
    if (!(minX < maxX && minY < maxY))
        return false;
    const int c0 = int(minX / kCellPixels);
    const int c1 = std::min(columns_ - 1, int(maxX / kCellPixels));
    const int r0 = int(minY / kCellPixels);
    const int r1 = std::min(rows_ - 1, int(maxY / kCellPixels));
    for (int row = r0; row <= r1; ++row)
        for (int column = c0; column <= c1; ++column)
            if (!(CellDepth(column, row) + kDepthMargin < outline.nearest))
                return false;
    return true;
}

} // namespace zev::workspace
