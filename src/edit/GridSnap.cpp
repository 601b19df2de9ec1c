#include "GridSnap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zev::edit {

namespace {

std::size_t nearestIndex(int size) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < GridSnap::kSizes.size(); ++i)
        if (std::abs(GridSnap::kSizes[i] - size) < std::abs(GridSnap::kSizes[best] - size))
            best = i;
    return best;
}

int normalised(int degrees) {
    degrees %= 360;
    return degrees < 0 ? degrees + 360 : degrees;
}

} // namespace

int GridSnap::largerSize() const {
    return kSizes[std::min(nearestIndex(size) + 1, kSizes.size() - 1)];
}

int GridSnap::smallerSize() const {
    const std::size_t i = nearestIndex(size);
    return kSizes[i == 0 ? 0 : i - 1];
}

int GridSnap::validSize(int size) {
    return std::find(kSizes.begin(), kSizes.end(), size) != kSizes.end() ? size : kDefaultSize;
}

double GridSnap::place(double coordinate) const {
    if (!on)
        return std::trunc(coordinate);
    return std::round(coordinate / size) * size;
}

engine::Vector3 GridSnap::dropPosition(const engine::Vector3& ground) const {
    return {place(ground.x), 0.0, place(ground.z)};
}

double GridSnap::keyMove(double coordinate, double step) const {
    if (!on || step == 0)
        return coordinate + step;
    const double cells = coordinate / size;
    // A coordinate within a hair of a line counts as on it, so rounding never skips a line.
    const double nearest = std::round(cells);
    const double from = std::abs(cells - nearest) < 1e-6 ? nearest : cells;
    const double to = step > 0 ? std::floor(from) + 1 : std::ceil(from) - 1;
    return to * size;
}

int GridSnap::turn(int degrees, int direction, int plainStep) const {
    if (!on)
        return normalised(degrees + direction * plainStep);
    const int k = kAngleStep;
    const int base = normalised(degrees);
    const int to = direction > 0 ? (base / k + 1) * k : ((base + k - 1) / k - 1) * k;
    return normalised(to);
}

std::string GridSnap::statusText() const {
    return on ? "Grid " + std::to_string(size) : std::string("Grid off");
}

} // namespace zev::edit
