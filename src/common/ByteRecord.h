#pragma once

#include "FixedText.h"
#include "LittleEndian.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

// A fixed-size record kept as its byte image, with typed access at fixed offsets. Each record
// type lists its fields once as constants; the same constants serve reading, writing and the
// record's size check.
namespace zev::common {

struct TextField {
    std::size_t offset;
    std::size_t width;
    constexpr std::size_t end() const { return offset + width; }
};

struct Int32Field {
    std::size_t offset;
    static constexpr std::size_t width = 4;
    constexpr std::size_t end() const { return offset + width; }
};

struct Int16Field {
    std::size_t offset;
    static constexpr std::size_t width = 2;
    constexpr std::size_t end() const { return offset + width; }
};

struct Float32Field {
    std::size_t offset;
    static constexpr std::size_t width = 4;
    constexpr std::size_t end() const { return offset + width; }
};

struct ByteField {
    std::size_t offset;
    static constexpr std::size_t width = 1;
    constexpr std::size_t end() const { return offset + width; }
};

template <std::size_t N> class ByteRecord {
public:
    static constexpr std::size_t size = N;

    std::string text(TextField f) const { return readFixedText(span(f.offset, f.width)); }
    void setText(TextField f, std::string_view value) {
        writeFixedText(span(f.offset, f.width), value);
    }

    std::int32_t int32(Int32Field f) const { return getI32(at(f.offset, f.width)); }
    void setInt32(Int32Field f, std::int32_t v) { putI32(at(f.offset, f.width), v); }

    std::int16_t int16(Int16Field f) const { return getI16(at(f.offset, f.width)); }
    void setInt16(Int16Field f, std::int16_t v) { putI16(at(f.offset, f.width), v); }

    float float32(Float32Field f) const { return getF32(at(f.offset, f.width)); }
    void setFloat32(Float32Field f, float v) { putF32(at(f.offset, f.width), v); }

    std::uint8_t byte(ByteField f) const { return bytes_.at(f.offset); }
    void setByte(ByteField f, std::uint8_t v) { bytes_.at(f.offset) = v; }

    std::span<const std::uint8_t, N> bytes() const { return bytes_; }
    std::span<std::uint8_t, N> bytes() { return bytes_; }
    void clear() { bytes_.fill(0); }

    friend bool operator==(const ByteRecord&, const ByteRecord&) = default;

private:
    // Field constants are checked against the record size; a field outside it is a
    // programming error and stops here rather than touching foreign memory.
    const std::uint8_t* at(std::size_t offset, std::size_t width) const {
        if (offset + width > N)
            throw std::out_of_range("field outside its record");
        return bytes_.data() + offset;
    }
    std::uint8_t* at(std::size_t offset, std::size_t width) {
        if (offset + width > N)
            throw std::out_of_range("field outside its record");
        return bytes_.data() + offset;
    }
    std::span<const std::uint8_t> span(std::size_t offset, std::size_t width) const {
        return {at(offset, width), width};
    }
    std::span<std::uint8_t> span(std::size_t offset, std::size_t width) {
        return {at(offset, width), width};
    }

    std::array<std::uint8_t, N> bytes_{};
};

} // namespace zev::common
