#include "MissionPackage.h"

#include "common/ByteReader.h"
#include "common/FixedText.h"

#include <algorithm>
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

PackageContents readPackage(std::span<const std::uint8_t> image) {
    PackageContents contents;
    common::ByteReader reader(image);
    while (!reader.atEnd()) {
        const std::size_t start = reader.position();
        const auto header = reader.take(kPackageBlockSize);
        if (!header) {
            contents.error = PackageError::TruncatedHeader;
            contents.errorOffset = start;
            return contents;
        }
        if (allZero(*header))
            break;
        std::uint64_t size = 0;
        if (!parseOctalSize(header->subspan(kPackageSizeOffset, kPackageSizeWidth), size)) {
            contents.error = PackageError::BadSize;
            contents.errorOffset = start;
            return contents;
        }
        PackageMember member;
        member.name = common::readFixedText(header->subspan(kPackageNameOffset, kPackageNameWidth));
        if (member.name.empty()) {
            contents.error = PackageError::BadName;
            contents.errorOffset = start;
            return contents;
        }
        if (size > reader.remaining()) {
            contents.error = PackageError::TruncatedData;
            contents.errorOffset = start;
            return contents;
        }
        const auto data = reader.take(static_cast<std::size_t>(size));
        member.data.assign(data->begin(), data->end());
        reader.skip(std::min(packagePadding(size), reader.remaining()));
        contents.members.push_back(std::move(member));
    }
    return contents;
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
