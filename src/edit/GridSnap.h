#pragma once

#include "engine/Math.h"

#include <array>
#include <string>

namespace zev::edit {

// Snapping of placements to a square grid on the ground (workspace units) and of mouse turns to
// angle steps. Off, placements keep their usual rule: whole units, truncated toward zero.
struct GridSnap {
    static constexpr std::array<int, 6> kSizes{1, 5, 10, 25, 50, 100};
    static constexpr int kDefaultSize = 10;
    // A mouse turn's step with snapping on, in degrees.
    static constexpr int kAngleStep = 15;

    bool on = false;
    int size = kDefaultSize;

    // The size one step up or down the list (held at its ends); a size not in the list goes to
    // the nearest one first.
    int largerSize() const;
    int smallerSize() const;
    // A size from the settings: one of the list, else the default.
    static int validSize(int size);

    // A coordinate where a drop or a drag puts it: the nearest grid line with snapping on,
    // else truncated toward zero to a whole unit.
    double place(double coordinate) const;
    // A drop at `ground`: x and z placed, y always 0.
    engine::Vector3 dropPosition(const engine::Vector3& ground) const;
    // A key move of `step` from `coordinate`: with snapping on the next grid line in the step's
    // direction (a coordinate off the grid first lands on one), else the step as it is.
    double keyMove(double coordinate, double step) const;
    // A mouse turn from `degrees` one step in `direction` (+1 or -1): with snapping on to the
    // next multiple of the angle step, else by `plainStep`; normalised to 0 to 359.
    int turn(int degrees, int direction, int plainStep) const;

    // The status bar's text: "Grid 10" or "Grid off".
    std::string statusText() const;
};

} // namespace zev::edit
