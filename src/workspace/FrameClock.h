#pragma once

#include <chrono>
#include <cstdint>

namespace zev::workspace {

// The frame clock of the workspace: a monotonic millisecond clock with the time of the last
// frame, the last frame's length and the time accumulated over all frames.
class FrameClock {
public:
    using Clock = std::chrono::steady_clock;

    FrameClock() : last_(Clock::now()) {}

    // Milliseconds since the clock started, as a monotonic time stamp.
    std::int64_t Now() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
    }

    // Starts a frame: the time since the previous one becomes the frame time and is added to
    // the accumulated time. Returns the frame time in milliseconds.
    std::int64_t Tick() {
        const auto whole =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - last_);
        frameTime_ = whole.count();
        // The part of a millisecond left over counts toward the next frame: at frame times
        // near one millisecond, dropping it would slow everything that moves by frame time.
        last_ += whole;
        accumulated_ += frameTime_;
        return frameTime_;
    }

    std::int64_t FrameTime() const { return frameTime_; }
    std::int64_t Accumulated() const { return accumulated_; }

private:
    Clock::time_point start_ = Clock::now();
    Clock::time_point last_;
    std::int64_t frameTime_ = 0;
    std::int64_t accumulated_ = 0;
};

} // namespace zev::workspace
