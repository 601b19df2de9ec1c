#pragma once

#include <cstdint>
#include <memory>

namespace zev::platform {

// The CD drive's audio commands as the player needs them; each returns whether the drive did it.
class CdAudioDevice {
public:
    virtual ~CdAudioDevice() = default;
    // Plays from the start of `track` to the end of the disc.
    virtual bool playFromTrack(std::int32_t track) = 0;
    virtual bool stop() = 0;
};

// The system's CD drive through libcdio; null when there is no drive or it cannot be opened.
std::unique_ptr<CdAudioDevice> openCdAudioDevice();

// The briefing room's CD player. It opens the drive when made and closes it when destroyed;
// without a drive every command does nothing, and drive errors are not reported: a missing,
// empty or busy drive simply does not play.
class TCD32 {
public:
    // The system's drive.
    TCD32();
    // A given drive, or none.
    explicit TCD32(std::unique_ptr<CdAudioDevice> device);
    ~TCD32();
    TCD32(const TCD32&) = delete;
    TCD32& operator=(const TCD32&) = delete;

    void play(std::int32_t track);
    void stop();

    bool opened() const { return device_ != nullptr; }
    bool ready() const { return ready_; }
    bool playing() const { return playing_; }
    bool paused() const { return paused_; }
    std::int32_t currentTrack() const { return currentTrack_; }

private:
    std::unique_ptr<CdAudioDevice> device_;
    bool ready_ = false;
    bool playing_ = false;
    bool paused_ = false;
    bool doorClosed_ = false;
    std::int32_t currentTrack_ = 1;
};

} // namespace zev::platform
