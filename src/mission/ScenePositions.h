#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zev::mission {

class MissionDocument;

// A workspace frame as Save and Build see it: its application data, its name and its position
// relative to the scene root already in game units (100 x the truncated workspace coordinate).
struct FramePlacement {
    int tag = 0;
    std::string name;
    std::array<std::int32_t, 3> position{};
    friend bool operator==(const FramePlacement&, const FramePlacement&) = default;
};

// Where Save and Build learn the positions of start points, nav points and objects, in the
// workspace's child order. The workspace scene implements this from its frames.
class ScenePositions {
public:
    virtual ~ScenePositions() = default;
    // Children of the start point frame: tags 500 to 507.
    virtual std::vector<FramePlacement> startPointFrames() const = 0;
    // Children of the nav point frame: tag 600 + star, name the nav point number.
    virtual std::vector<FramePlacement> navPointFrames() const = 0;
    // Children of the object frame in workspace order: tag the object slot, or 3000 for a
    // frame that is not an object of its own.
    virtual std::vector<FramePlacement> objectFrames() const = 0;
};

// Positions straight from the records, for use without a workspace: start points and nav
// points in use at their texts' integer values, objects in slot order at their record
// positions. Saving through it keeps every position as stored.
class RecordPositions : public ScenePositions {
public:
    explicit RecordPositions(const MissionDocument& document) : document_(document) {}
    std::vector<FramePlacement> startPointFrames() const override;
    std::vector<FramePlacement> navPointFrames() const override;
    std::vector<FramePlacement> objectFrames() const override;

private:
    const MissionDocument& document_;
};

// Frame tags (application data) of the workspace.
constexpr int kStartPointTagBase = 500;
constexpr int kNavPointTagBase = 600;
constexpr int kGroundPlaneTag = 2000;
constexpr int kReadyMadeMemberTag = 3000;

// Writes the placements into the document: start point and nav point position texts ("%d") and
// object record positions. Returns the object slots in workspace order (frames tagged 3000 and
// tags without an object are left out). Placements that name no start point, star or nav point
// are ignored.
std::vector<int> refreshPositions(MissionDocument& document, const ScenePositions& positions);

} // namespace zev::mission
