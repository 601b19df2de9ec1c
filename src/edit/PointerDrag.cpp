#include "PointerDrag.h"

#include "CameraMoves.h"

#include <cmath>

namespace zev::edit {

using engine::Vector3;

std::optional<Vector3> followPointer(const engine::Viewport& viewport, WorkspaceView view,
                                     const Vector3& grabbed, double fromX, double fromY, double toX,
                                     double toY) {
    const engine::Ray from = viewport.RayThrough(fromX, fromY);
    const engine::Ray to = viewport.RayThrough(toX, toY);
    if (view == WorkspaceView::Top) {
        // The horizontal plane at the thing's height.
        const Vector3 up{0, 1, 0};
        const auto a = planeHit(from, grabbed, up);
        const auto b = planeHit(to, grabbed, up);
        if (!a || !b)
            return std::nullopt;
        return Vector3{grabbed.x + b->x - a->x, grabbed.y, grabbed.z + b->z - a->z};
    }
    // The upright plane through the thing, facing the camera.
    Vector3 facing = from.direction;
    facing.y = 0;
    if (facing.Length() < 1e-9)
        return std::nullopt;
    facing = facing.Normalized();
    const auto a = planeHit(from, grabbed, facing);
    const auto b = planeHit(to, grabbed, facing);
    if (!a || !b)
        return std::nullopt;
    return Vector3{grabbed.x, grabbed.y + b->y - a->y, grabbed.z};
}

} // namespace zev::edit
