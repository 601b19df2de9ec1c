#pragma once

#include "LittleEndian.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Appends little-endian values and byte images to a growing buffer.
namespace zev::common {

class ByteWriter {
public:
    void bytes(std::span<const std::uint8_t> data) {
        buf_.insert(buf_.end(), data.begin(), data.end());
    }
    void chars(std::string_view text) { buf_.insert(buf_.end(), text.begin(), text.end()); }
    void u8(std::uint8_t v) { buf_.push_back(v); }
    void u32(std::uint32_t v) {
        std::uint8_t b[4];
        putU32(b, v);
        bytes(b);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void zeros(std::size_t count) { buf_.insert(buf_.end(), count, 0); }
    // Overwrites four bytes already written, at `offset`.
    void patchU32(std::size_t offset, std::uint32_t v) { putU32(buf_.data() + offset, v); }

    std::size_t size() const { return buf_.size(); }
    const std::vector<std::uint8_t>& data() const { return buf_; }
    std::vector<std::uint8_t> take() { return std::move(buf_); }

private:
    std::vector<std::uint8_t> buf_;
};

} // namespace zev::common
