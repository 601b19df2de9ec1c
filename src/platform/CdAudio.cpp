#include "CdAudio.h"

// cdio.h first: the other headers need its types.
#include <cdio/cdio.h>

#include <cdio/audio.h>
#include <cdio/logging.h>

namespace zev::platform {

namespace {

class LibCdioDevice : public CdAudioDevice {
public:
    explicit LibCdioDevice(CdIo_t* cdio) : cdio_(cdio) {}
    ~LibCdioDevice() override { cdio_destroy(cdio_); }

    bool playFromTrack(std::int32_t track) override {
        // The disc's own track numbers only: track 0 and numbers past the last are refused by
        // the drive's table of contents, as any unknown track is.
        if (track < 0 || track > 255)
            return false;
        msf_t start, end;
        if (!cdio_get_track_msf(cdio_, static_cast<track_t>(track), &start) ||
            !cdio_get_track_msf(cdio_, CDIO_CDROM_LEADOUT_TRACK, &end))
            return false;
        return cdio_audio_play_msf(cdio_, &start, &end) == DRIVER_OP_SUCCESS;
    }

    bool stop() override { return cdio_audio_stop(cdio_) == DRIVER_OP_SUCCESS; }

private:
    CdIo_t* cdio_;
};

} // namespace

std::unique_ptr<CdAudioDevice> openCdAudioDevice() {
    // The library logs every failed probe to stderr; a missing drive is normal here.
    cdio_loglevel_default = CDIO_LOG_ERROR;
    CdIo_t* cdio = cdio_open(nullptr, DRIVER_DEVICE);
    if (!cdio)
        return nullptr;
    return std::make_unique<LibCdioDevice>(cdio);
}

TCD32::TCD32() : TCD32(openCdAudioDevice()) {}

TCD32::TCD32(std::unique_ptr<CdAudioDevice> device) : device_(std::move(device)) {
    // An opened drive needs no time format of its own: tracks are addressed directly.
    if (device_) {
        ready_ = true;
        doorClosed_ = true;
    }
}

// Closing the drive leaves it playing on some systems; the player's music ends with it.
TCD32::~TCD32() {
    stop();
}

void TCD32::play(std::int32_t track) {
    if (!ready_)
        return;
    paused_ = false;
    if (device_->playFromTrack(track))
        playing_ = true;
}

void TCD32::stop() {
    if (!ready_ || !playing_)
        return;
    device_->stop();
    playing_ = false;
    paused_ = false;
}

} // namespace zev::platform
