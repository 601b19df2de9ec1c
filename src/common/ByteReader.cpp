#include "ByteReader.h"

#include "LittleEndian.h"

#include <algorithm>

namespace zev::common {

bool ByteReader::seek(std::size_t offset) {
    if (offset > data_.size())
        return false;
    pos_ = offset;
    return true;
}

bool ByteReader::skip(std::size_t count) {
    if (count > remaining())
        return false;
    pos_ += count;
    return true;
}

bool ByteReader::read(std::span<std::uint8_t> out) {
    auto bytes = take(out.size());
    if (!bytes)
        return false;
    std::copy(bytes->begin(), bytes->end(), out.begin());
    return true;
}

std::optional<std::span<const std::uint8_t>> ByteReader::take(std::size_t count) {
    if (count > remaining())
        return std::nullopt;
    auto view = data_.subspan(pos_, count);
    pos_ += count;
    return view;
}

std::optional<std::uint8_t> ByteReader::u8() {
    auto b = take(1);
    if (!b)
        return std::nullopt;
    return (*b)[0];
}

std::optional<std::uint16_t> ByteReader::u16() {
    auto b = take(2);
    if (!b)
        return std::nullopt;
    return getU16(b->data());
}

std::optional<std::uint32_t> ByteReader::u32() {
    auto b = take(4);
    if (!b)
        return std::nullopt;
    return getU32(b->data());
}

std::optional<std::int32_t> ByteReader::i32() {
    auto v = u32();
    if (!v)
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

} // namespace zev::common
