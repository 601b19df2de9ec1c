#include "platform/CdAudio.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zev::platform;

namespace {

// A drive that records what it was asked and answers as told.
struct FakeDrive : CdAudioDevice {
    std::vector<std::string>* log;
    bool plays = true;
    explicit FakeDrive(std::vector<std::string>* l, bool p = true) : log(l), plays(p) {}
    ~FakeDrive() override { log->push_back("close"); }
    bool playFromTrack(std::int32_t track) override {
        log->push_back("play " + std::to_string(track));
        return plays;
    }
    bool stop() override {
        log->push_back("stop");
        return true;
    }
};

} // namespace

TEST(CdAudio, PlaysFromATrackStopsAndClosesTheDriveWhenDestroyed) {
    std::vector<std::string> log;
    {
        TCD32 player(std::make_unique<FakeDrive>(&log));
        EXPECT_TRUE(player.opened());
        EXPECT_TRUE(player.ready());
        EXPECT_EQ(player.currentTrack(), 1);
        player.stop(); // not playing: the drive is not asked
        player.play(0);
        EXPECT_TRUE(player.playing());
        player.play(7);
        player.stop();
        EXPECT_FALSE(player.playing());
        player.play(3);
    }
    // A player still playing stops before the drive is closed.
    EXPECT_EQ(log,
              (std::vector<std::string>{"play 0", "play 7", "stop", "play 3", "stop", "close"}));
}

TEST(CdAudio, ADriveThatRefusesOrNoDriveAtAllMakesPlayDoNothing) {
    std::vector<std::string> log;
    {
        TCD32 busy(std::make_unique<FakeDrive>(&log, false));
        busy.play(2);
        EXPECT_FALSE(busy.playing());
        busy.stop();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"play 2", "close"}));

    TCD32 none(nullptr);
    EXPECT_FALSE(none.opened());
    EXPECT_FALSE(none.ready());
    none.play(1);
    none.stop();
    EXPECT_FALSE(none.playing());
    // This machine's own drive, if any, opens without a fault; without one nothing happens.
    TCD32 system;
    system.play(0);
    EXPECT_FALSE(system.playing());
}
