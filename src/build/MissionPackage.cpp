#include "MissionPackage.h"

#include "common/ByteReader.h"
#include "common/FixedText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zev::build {

bool fitsPackageName(std::string_view name) {
    return !name.empty() && name.size() < kPackageNameWidth &&
           name.find('\0') == std::string_view::npos;
}

std::array<std::uint8_t, kPackageBlockSize> packageMemberHeader(std::string_view name,
                                                                std::uint64_t size) {
    std::array<std::uint8_t, kPackageBlockSize> header{};
    common::writeFixedText(std::span(header).subspan(kPackageNameOffset, kPackageNameWidth), name);
    char digits[kPackageSizeWidth + 1];
    std::snprintf(digits, sizeof digits, "%12.12llo",
                  static_cast<unsigned long long>(std::min(size, kPackageMaxMemberSize)));
    std::memcpy(header.data() + kPackageSizeOffset, digits, kPackageSizeWidth);
    return header;
}

std::vector<std::uint8_t> packageImage(const std::vector<PackageMember>& members) {
    std::vector<std::uint8_t> image;
    for (const auto& m : members) {
        const auto header = packageMemberHeader(m.name, m.data.size());
        image.insert(image.end(), header.begin(), header.end());
        image.insert(image.end(), m.data.begin(), m.data.end());
        image.insert(image.end(), packagePadding(m.data.size()), 0);
    }
    return image;
}

bool PackageWriter::create(const std::filesystem::path& path) {
    failed_ = false;
    return file_.open(path);
}

bool PackageWriter::add(std::string_view name, std::span<const std::uint8_t> data) {
    if (!file_.isOpen() || !fitsPackageName(name) || data.size() > kPackageMaxMemberSize)
        return false;
    static const std::uint8_t zeros[kPackageBlockSize] = {};
    const auto header = packageMemberHeader(name, data.size());
    const std::size_t pad = packagePadding(data.size());
    const bool ok = file_.write(header) && file_.write(data) &&
                    file_.write(std::span<const std::uint8_t>(zeros, pad));
    failed_ = failed_ || !ok;
    return ok;
}

bool PackageWriter::close() {
    if (!file_.isOpen())
        return !failed_;
    if (failed_) {
        file_.discard();
        return false;
    }
    return file_.commit();
}

void PackageWriter::discard() {
    file_.discard();
}

namespace {

bool allZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

// The size field: octal digits, optionally after blanks and before a NUL or blank.
bool parseOctalSize(std::span<const std::uint8_t> field, std::uint64_t& size) {
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ')
        ++i;
    const std::size_t first = i;
    size = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '7'; ++i)
        size = size * 8 + static_cast<std::uint64_t>(field[i] - '0');
    if (i == first)
        return false;
    for (; i < field.size(); ++i)
        if (field[i] != 0 && field[i] != ' ')
            return false;
    return true;
}

} // namespace

PackageHeader readPackageHeader(std::span<const std::uint8_t> block) {
    PackageHeader header;
    if (block.size() < kPackageBlockSize) {
        header.error = PackageError::TruncatedHeader;
        return header;
    }
    block = block.first(kPackageBlockSize);
    if (allZero(block)) {
        header.end = true;
        return header;
    }
    if (!parseOctalSize(block.subspan(kPackageSizeOffset, kPackageSizeWidth), header.size)) {
        header.error = PackageError::BadSize;
        return header;
    }
    header.name = common::readFixedText(block.subspan(kPackageNameOffset, kPackageNameWidth));
    if (header.name.empty())
        header.error = PackageError::BadName;
    return header;
}

PackageContents readPackage(std::span<const std::uint8_t> image) {
    PackageContents contents;
    common::ByteReader reader(image);
    while (!reader.atEnd()) {
        const std::size_t start = reader.position();
        const auto block = reader.take(std::min(kPackageBlockSize, reader.remaining()));
        const PackageHeader header = readPackageHeader(*block);
        if (header.end)
            break;
        if (header.error == PackageError::None && header.size > reader.remaining())
            contents.error = PackageError::TruncatedData;
        else
            contents.error = header.error;
        if (contents.error != PackageError::None) {
            contents.errorOffset = start;
            return contents;
        }
        PackageMember member;
        member.name = header.name;
        const auto data = reader.take(static_cast<std::size_t>(header.size));
        member.data.assign(data->begin(), data->end());
        reader.skip(std::min(packagePadding(header.size), reader.remaining()));
        contents.members.push_back(std::move(member));
    }
    return contents;
}

bool PackageFileReader::open(const std::filesystem::path& path) {
    close();
    reason_.clear();
    error_ = PackageError::None;
    offset_ = 0;
    const auto status = std::filesystem::status(path, reason_);
    if (reason_)
        return false;
    if (!std::filesystem::is_regular_file(status)) {
        reason_ = common::FileError::NotRegularFile;
        return false;
    }
    size_ = std::filesystem::file_size(path, reason_);
    if (reason_)
        return false;
    file_ = std::fopen(path.string().c_str(), "rb");
    if (!file_)
        reason_ = {errno ? errno : EIO, std::generic_category()};
    return file_ != nullptr;
}

void PackageFileReader::close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

std::optional<PackageHeader> PackageFileReader::next() {
    if (!file_ || error_ != PackageError::None || offset_ >= size_)
        return std::nullopt;
    errorOffset_ = offset_;
    std::uint8_t block[kPackageBlockSize];
    const std::size_t got = std::fread(block, 1, sizeof block, file_);
    offset_ += got;
    const PackageHeader header = readPackageHeader(std::span<const std::uint8_t>(block, got));
    if (header.end)
        return std::nullopt;
    error_ = header.error;
    if (error_ == PackageError::None && header.size > size_ - offset_)
        error_ = PackageError::TruncatedData;
    if (error_ != PackageError::None)
        return std::nullopt;
    pending_ = header.size;
    return header;
}

bool PackageFileReader::copyData(common::AtomicFileWriter& out) {
    std::uint8_t chunk[65536];
    while (pending_ > 0) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(sizeof chunk, pending_));
        const std::size_t got = std::fread(chunk, 1, want, file_);
        offset_ += got;
        pending_ -= got;
        if (got < want) {
            error_ = PackageError::TruncatedData;
            return false;
        }
        if (!out.write(std::span<const std::uint8_t>(chunk, got)))
            return false;
    }
    skipPadding();
    return true;
}

bool PackageFileReader::skipData() {
    offset_ += pending_;
    const bool ok = std::fseek(file_, static_cast<long>(offset_), SEEK_SET) == 0;
    pending_ = 0;
    skipPadding();
    return ok;
}

void PackageFileReader::skipPadding() {
    // The last member's padding may be missing.
    offset_ = std::min<std::uint64_t>(offset_ + packagePadding(offset_), size_);
    std::fseek(file_, static_cast<long>(offset_), SEEK_SET);
}

bool PackageWriter::addFile(std::string_view name, const std::filesystem::path& path) {
    if (!file_.isOpen() || !fitsPackageName(name))
        return false;
    std::error_code reason;
    const auto status = std::filesystem::status(path, reason);
    if (reason || !std::filesystem::is_regular_file(status)) {
        fileReason_ = reason ? reason : make_error_code(common::FileError::NotRegularFile);
        failed_ = true;
        return false;
    }
    std::FILE* in = std::fopen(path.string().c_str(), "rb");
    if (!in) {
        fileReason_ = {errno ? errno : EIO, std::generic_category()};
        failed_ = true;
        return false;
    }
    const std::uint64_t size = std::filesystem::file_size(path, reason);
    bool ok = !reason && size <= kPackageMaxMemberSize;
    if (!ok)
        fileReason_ = reason ? reason : make_error_code(common::FileError::TooLarge);
    ok = ok && file_.write(packageMemberHeader(name, size));
    std::uint8_t chunk[65536];
    std::uint64_t left = size;
    while (ok && left > 0) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(sizeof chunk, left));
        const std::size_t got = std::fread(chunk, 1, want, in);
        if (got < want) // the file shrank while it was read
            fileReason_ = {EIO, std::generic_category()};
        ok = got == want && file_.write(std::span<const std::uint8_t>(chunk, got));
        left -= got;
    }
    std::fclose(in);
    static const std::uint8_t zeros[kPackageBlockSize] = {};
    ok = ok && file_.write(std::span<const std::uint8_t>(zeros, packagePadding(size)));
    failed_ = failed_ || !ok;
    return ok;
}

bool isSafeMemberName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '/' || c == '\\' || c == ':')
            return false;
    }
    return true;
}

const char* describePackageError(PackageError error) {
    switch (error) {
    case PackageError::None:
        return "no error";
    case PackageError::TruncatedHeader:
        return "the package ends inside a member header";
    case PackageError::BadSize:
        return "a member header holds no valid size";
    case PackageError::TruncatedData:
        return "a member's data runs past the end of the package";
    case PackageError::BadName:
        return "a member header holds no name";
    }
    return "unknown error";
}

} // namespace zev::build
