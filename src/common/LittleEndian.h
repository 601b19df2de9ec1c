#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// Explicit little-endian access to byte images, independent of the host's byte order.
namespace zev::common {

inline std::uint16_t getU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t getU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::int16_t getI16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(getU16(p));
}
inline std::int32_t getI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(getU32(p));
}
inline float getF32(const std::uint8_t* p) {
    return std::bit_cast<float>(getU32(p));
}

inline void putU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void putU32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

inline void putI16(std::uint8_t* p, std::int16_t v) {
    putU16(p, static_cast<std::uint16_t>(v));
}
inline void putI32(std::uint8_t* p, std::int32_t v) {
    putU32(p, static_cast<std::uint32_t>(v));
}
inline void putF32(std::uint8_t* p, float v) {
    putU32(p, std::bit_cast<std::uint32_t>(v));
}

} // namespace zev::common
