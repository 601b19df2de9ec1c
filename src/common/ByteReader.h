#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Bounds-checked sequential reading of a byte image. Every read checks the remaining size
// first; a read that does not fit fails and leaves the position where it was.
namespace zev::common {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ == data_.size(); }

    bool seek(std::size_t offset);
    bool skip(std::size_t count);
    bool read(std::span<std::uint8_t> out);
    // A view of the next `count` bytes, consumed; empty optional when they are not there.
    std::optional<std::span<const std::uint8_t>> take(std::size_t count);

    std::optional<std::uint8_t> u8();
    std::optional<std::uint16_t> u16();
    std::optional<std::uint32_t> u32();
    std::optional<std::int32_t> i32();

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

} // namespace zev::common
