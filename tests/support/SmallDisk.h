#pragma once

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <string>

// A small file system of its own (tmpfs) for tests of what happens when the disk is full.
// Mounting needs privileges a test machine may not give: check `mounted()` and skip.
class SmallDisk {
public:
    explicit SmallDisk(std::size_t kilobytes) {
        const std::string command = "mount -t tmpfs -o size=" + std::to_string(kilobytes) +
                                    "k zevedit-test '" + dir_.path().string() + "' 2>/dev/null";
        mounted_ = std::system(command.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            std::system(("umount '" + dir_.path().string() + "' 2>/dev/null").c_str());
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::filesystem::path& path() const { return dir_.path(); }
    std::filesystem::path operator/(const std::string& name) const { return dir_ / name; }

    // Takes all the space that is left, so the next write fails.
    void fill() const {
        std::system(
            ("dd if=/dev/zero of='" + (dir_ / "filler").string() + "' bs=1k 2>/dev/null >/dev/null")
                .c_str());
    }

private:
    TempDir dir_;
    bool mounted_ = false;
};

#define SKIP_WITHOUT_SMALL_DISK(disk)                                                              \
    if (!(disk).mounted())                                                                         \
    GTEST_SKIP() << "cannot mount a small tmpfs here (needs root); full-disk case not run"
