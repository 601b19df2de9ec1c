#pragma once

#include <cstddef>
#include <cstdint>

// The layout of the project archive ("ZEV.PRJ"), shared by the reader and the writer. All
// integers are little-endian and unsigned.
//
//   0        26-byte file header (not interpreted)
//   26       section directory: 24-byte records, ended by a record whose first tag byte is 0
//   S        section header: 30 bytes, slot count c (u16) at S + 18; c 8-byte slots follow at
//            S + 30, slot i holding the u32 position E of entry i + 1; the reader takes
//            n = c - 1 entries
//   E        entry: u32 at E + 4 is the length L counted from E + 8; the 50-byte descriptor at
//            E + 12 holds the short name (descriptor bytes 18..25) and the long name (34..45);
//            the entry data (L - 54 bytes) starts at E + 62
namespace zev::gamedata::archive_layout {

constexpr std::size_t kFileHeaderSize = 26;
constexpr std::size_t kDirectoryOffset = 26;

constexpr std::size_t kDirectoryRecordSize = 24;
constexpr std::size_t kTagOffset = 0;
constexpr std::size_t kTagSize = 4;
constexpr std::size_t kSectionOffsetOffset = 4;

constexpr std::size_t kSectionHeaderSize = 30;
constexpr std::size_t kSlotCountOffset = 18;
constexpr std::size_t kSlotSize = 8;

constexpr std::size_t kEntryLengthOffset = 4; // u32 L, counted from E + 8
constexpr std::size_t kEntryLengthBase = 8;
constexpr std::size_t kDescriptorOffset = 12;
constexpr std::size_t kDescriptorSize = 50;
constexpr std::size_t kShortNameInDescriptor = 18;
constexpr std::size_t kShortNameSize = 8;
constexpr std::size_t kLongNameInDescriptor = 34;
constexpr std::size_t kLongNameSize = 12;
constexpr std::size_t kEntryDataOffset = kDescriptorOffset + kDescriptorSize; // 62
constexpr std::size_t kLengthOverData = kEntryDataOffset - kEntryLengthBase;  // 54

static_assert(kEntryDataOffset == 62);
static_assert(kShortNameInDescriptor + kShortNameSize <= kDescriptorSize);
static_assert(kLongNameInDescriptor + kLongNameSize <= kDescriptorSize);

// The most entries a section can hold: the slot count is 16 bits and counts one more.
constexpr std::size_t kMaxEntriesPerSection = 0xFFFF - 1;

} // namespace zev::gamedata::archive_layout
