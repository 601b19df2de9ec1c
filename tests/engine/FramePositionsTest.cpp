#include "EngineTestSupport.h"

#include "engine/FramePositions.h"
#include "mission/MissionDocument.h"

using namespace zev::engine;
using zev::mission::FramePlacement;

namespace {

std::shared_ptr<Frame> Child(Frame& parent, int tag, const std::string& name, Vector3 p) {
    auto f = Frame::Create(&parent);
    f->SetAppData(tag);
    f->SetName(name);
    f->SetPosition(f->GetScene(), p);
    return f;
}

} // namespace

TEST(FramePositions, ReportsChildrenInOrderAtTruncatedSceneCoordinatesInGameUnits) {
    auto scene = Frame::Create();
    auto objects = Frame::Create(scene.get());
    auto navPoints = Frame::Create(scene.get());
    // Containers moved or turned do not matter: positions are taken relative to the scene.
    navPoints->SetPosition(scene.get(), 5, 0, 0);
    navPoints->TurnDegrees(scene.get(), {0, 1, 0}, 90);
    Child(*objects, 12, "", {2.99, -0.5, 0.999});
    auto group = Child(*objects, 3, "", {-2.7, 0, 40});
    Child(*group, 3000, "RMG FRAME", {1, 1, 1}); // members are not listed themselves
    Child(*objects, 3000, "RMG FRAME", {7, 7, 7});
    Child(*navPoints, 602, "24", {-1.01, 3, 10000.5});

    const FramePositions positions(nullptr, navPoints.get(), objects.get());
    const auto objectFrames = positions.objectFrames();
    ASSERT_EQ(objectFrames.size(), 3u);
    EXPECT_EQ(objectFrames[0].tag, 12);
    EXPECT_EQ(objectFrames[0].position, (std::array<std::int32_t, 3>{200, 0, 0}));
    EXPECT_EQ(objectFrames[1].tag, 3);
    EXPECT_EQ(objectFrames[1].position, (std::array<std::int32_t, 3>{-200, 0, 4000}));
    EXPECT_EQ(objectFrames[2].tag, 3000);
    EXPECT_EQ(objectFrames[2].name, "RMG FRAME");

    const auto navFrames = positions.navPointFrames();
    ASSERT_EQ(navFrames.size(), 1u);
    EXPECT_EQ(navFrames[0].tag, 602);
    EXPECT_EQ(navFrames[0].name, "24");
    EXPECT_EQ(navFrames[0].position, (std::array<std::int32_t, 3>{-100, 300, 1000000}));
    EXPECT_TRUE(positions.startPointFrames().empty());
}

TEST(FramePositions, FeedsTheDocumentsPositionRefresh) {
    auto owned = std::make_unique<zev::mission::MissionDocument>();
    zev::mission::MissionDocument& document = *owned;
    zev::common::SilentReporter quiet;
    const int slot = document.objects.allocate(quiet).value();
    auto scene = Frame::Create();
    auto startPoints = Frame::Create(scene.get());
    auto objects = Frame::Create(scene.get());
    Child(*startPoints, 501, "Player 2 Start Point", {1.5, 0, -3.2});
    Child(*objects, slot, "", {4.2, 0, 6});

    const FramePositions positions(startPoints.get(), nullptr, objects.get());
    EXPECT_EQ(zev::mission::refreshPositions(document, positions), std::vector<int>{slot});
    EXPECT_EQ(document.startPoint(2).text(zev::mission::StartPointRecord::x), "100");
    EXPECT_EQ(document.startPoint(2).text(zev::mission::StartPointRecord::z), "-300");
    const auto& record = *document.objects.find(slot);
    EXPECT_EQ(record.int32(zev::mission::MissionObjectRecord::position(0)), 400);
    EXPECT_EQ(record.int32(zev::mission::MissionObjectRecord::position(2)), 600);
}
