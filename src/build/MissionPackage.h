#pragma once

#include "common/FileIo.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The mission package (".zvm"): the assembled mission files one after another, each behind a
// 512-byte header that holds only its name (offset 0, 100 bytes, NUL-terminated) and its length
// as twelve octal digits (offset 124); the data is padded with zeros to a multiple of 512. The
// package ends after the last member's padding, without end blocks.
namespace zev::build {

constexpr std::size_t kPackageBlockSize = 512;
constexpr std::size_t kPackageNameOffset = 0;
constexpr std::size_t kPackageNameWidth = 100;
constexpr std::size_t kPackageSizeOffset = 124;
constexpr std::size_t kPackageSizeWidth = 12;
// Twelve octal digits hold lengths below 8^12.
constexpr std::uint64_t kPackageMaxMemberSize = (std::uint64_t{1} << 36) - 1;

struct PackageMember {
    std::string name;
    std::vector<std::uint8_t> data;
    friend bool operator==(const PackageMember&, const PackageMember&) = default;
};

// A member name fits when it is not empty and has at most 99 characters.
bool fitsPackageName(std::string_view name);

// The header block of a member; the name must fit and the size stay within the octal field.
std::array<std::uint8_t, kPackageBlockSize> packageMemberHeader(std::string_view name,
                                                                std::uint64_t size);

// The zero bytes that follow `size` bytes of data up to the next block boundary.
constexpr std::size_t packagePadding(std::uint64_t size) {
    return static_cast<std::size_t>((kPackageBlockSize - size % kPackageBlockSize) %
                                    kPackageBlockSize);
}

// The whole image of a package of `members`, in their order.
std::vector<std::uint8_t> packageImage(const std::vector<PackageMember>& members);

// Writes a package member by member, as the assembler run fills it. The members go to a
// temporary file beside the package; only `close` after every member was written puts it in
// the package's place, so a failed or abandoned run never leaves a truncated package.
class PackageWriter {
public:
    // Starts a new package (an old one is replaced when the new one is closed).
    bool create(const std::filesystem::path& path);
    // Appends one member; false when the name does not fit or a write fails.
    bool add(std::string_view name, std::span<const std::uint8_t> data);
    // Appends the file at `path` as member `name`, read piece by piece (a member may be far
    // larger than memory); false when it cannot be read (`fileReason`) or a write fails.
    bool addFile(std::string_view name, const std::filesystem::path& path);
    const std::error_code& fileReason() const { return fileReason_; }
    // Completes the package; false when any write failed (the old file then stays).
    bool close();
    // Drops what was written; the old file stays.
    void discard();
    bool isOpen() const { return file_.isOpen(); }
    const std::error_code& reason() const { return file_.reason(); }

private:
    common::AtomicFileWriter file_;
    bool failed_ = false;
    std::error_code fileReason_;
};

enum class PackageError {
    None,
    TruncatedHeader, // bytes left over that do not make a whole header block
    BadSize,         // the size field is not an octal number
    TruncatedData,   // a member's data runs past the end of the package
    BadName,         // a member without a name
};

struct PackageContents {
    std::vector<PackageMember> members;
    PackageError error = PackageError::None;
    std::size_t errorOffset = 0; // where the faulty header starts
};

// One header block: a member's name and size, the end of the package (a block of zeros) or
// what is wrong with it. A block shorter than 512 bytes is a truncated header.
struct PackageHeader {
    PackageError error = PackageError::None;
    bool end = false;
    std::string name;
    std::uint64_t size = 0;
};
PackageHeader readPackageHeader(std::span<const std::uint8_t> block);

// Reads a package file member by member without holding it in memory: only the header block
// and a piece of data at a time, every size checked against the file's before it is used.
class PackageFileReader {
public:
    PackageFileReader() = default;
    PackageFileReader(const PackageFileReader&) = delete;
    PackageFileReader& operator=(const PackageFileReader&) = delete;
    ~PackageFileReader() { close(); }

    // A regular file only; `reason` tells why not.
    bool open(const std::filesystem::path& path);
    // The next member's header, or nothing at the end or on a fault (`error`).
    std::optional<PackageHeader> next();
    // The current member's data into `out` (then its padding is skipped), or past it.
    bool copyData(common::AtomicFileWriter& out);
    bool skipData();

    PackageError error() const { return error_; }
    std::uint64_t errorOffset() const { return errorOffset_; }
    const std::error_code& reason() const { return reason_; }

private:
    void close();
    void skipPadding();

    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t offset_ = 0;
    std::uint64_t pending_ = 0;
    std::uint64_t errorOffset_ = 0;
    PackageError error_ = PackageError::None;
    std::error_code reason_;
};

// Reads a package image. Every member before a fault is kept. A block of zeros where a header
// is expected ends the package (archives written by general tools carry such end blocks), and
// a missing padding after the last member is tolerated.
PackageContents readPackage(std::span<const std::uint8_t> image);

// A name that can be written into a directory as it stands: not empty, no directory parts,
// no drive, no "." or "..", no control characters.
bool isSafeMemberName(std::string_view name);

const char* describePackageError(PackageError error);

} // namespace zev::build
