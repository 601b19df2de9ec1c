#pragma once

#include "KeyActions.h"

#include "engine/Math.h"
#include "engine/Viewport.h"

#include <optional>

namespace zev::edit {

// Where a thing dragged with the mouse goes so that it follows the pointer: in the top view
// the point grabbed stays under the pointer (x and z change), in the front view the height
// follows the pointer's vertical motion at the thing's depth (y changes). `grabbed` is where
// the thing stood when the drag began at pixel (fromX, fromY). Nothing when the pointer's ray
// misses the plane the thing moves in (pointing at the sky, say): the thing stays.
std::optional<engine::Vector3> followPointer(const engine::Viewport& viewport, WorkspaceView view,
                                             const engine::Vector3& grabbed, double fromX,
                                             double fromY, double toX, double toY);

} // namespace zev::edit
