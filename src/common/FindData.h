#pragma once

#include "ByteRecord.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The 320-byte record that the Windows file search fills in for a file, laid out as that
// structure is (little-endian, 4-byte packing): attributes, creation, last-access and
// last-write times as Windows file times (100-nanosecond ticks since 1601-01-01 UTC), the size
// in two 32-bit halves, two reserved words, the long name (260 bytes) and the short 8.3 name
// (14 bytes). The index files keep a copy of the archive's record to tell whether it changed.
namespace zev::common {

class FindDataRecord : public ByteRecord<320> {
public:
    static constexpr Int32Field attributes{0};
    static constexpr Int32Field creationLow{4};
    static constexpr Int32Field creationHigh{8};
    static constexpr Int32Field lastAccessLow{12};
    static constexpr Int32Field lastAccessHigh{16};
    static constexpr Int32Field lastWriteLow{20};
    static constexpr Int32Field lastWriteHigh{24};
    static constexpr Int32Field sizeHigh{28};
    static constexpr Int32Field sizeLow{32};
    static constexpr Int32Field reserved0{36};
    static constexpr Int32Field reserved1{40};
    static constexpr TextField longName{44, 260};
    static constexpr TextField shortName{304, 14};
    // Bytes 318 and 319 are the structure's tail padding and stay zero.
    static_assert(shortName.end() + 2 == 320);

    std::uint64_t creationTime() const { return time(creationLow, creationHigh); }
    std::uint64_t lastAccessTime() const { return time(lastAccessLow, lastAccessHigh); }
    std::uint64_t lastWriteTime() const { return time(lastWriteLow, lastWriteHigh); }
    std::uint64_t fileSize() const { return time(sizeLow, sizeHigh); }

    void setCreationTime(std::uint64_t t) { setTime(creationLow, creationHigh, t); }
    void setLastAccessTime(std::uint64_t t) { setTime(lastAccessLow, lastAccessHigh, t); }
    void setLastWriteTime(std::uint64_t t) { setTime(lastWriteLow, lastWriteHigh, t); }
    void setFileSize(std::uint64_t s) { setTime(sizeLow, sizeHigh, s); }

private:
    std::uint64_t time(Int32Field low, Int32Field high) const {
        return static_cast<std::uint32_t>(int32(low)) |
               (static_cast<std::uint64_t>(static_cast<std::uint32_t>(int32(high))) << 32);
    }
    void setTime(Int32Field low, Int32Field high, std::uint64_t v) {
        setInt32(low, static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
        setInt32(high, static_cast<std::int32_t>(static_cast<std::uint32_t>(v >> 32)));
    }
};

// Windows file attribute bits used here.
constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
constexpr std::uint32_t kFileAttributeHidden = 0x02;
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kFileAttributeArchive = 0x20;

// Windows file time of a POSIX time (seconds and nanoseconds since 1970-01-01 UTC).
std::uint64_t windowsFileTime(std::int64_t seconds, std::int64_t nanoseconds);

// The upper-case 8.3 form of a file name: kept as it is (upper-cased) when it already fits,
// otherwise the first six usable characters of the stem, "~1" and the first three of the
// extension ("Project Archive.data" gives "PROJEC~1.DAT").
std::string shortFileName(const std::string& longName);

// The record of an existing file or directory, filled from the file system: creation time from
// the birth time where the file system keeps one, else from the status-change time. Nothing
// when the file does not exist.
std::optional<FindDataRecord> findFileData(const std::filesystem::path& path);

} // namespace zev::common
