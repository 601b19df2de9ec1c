#include "CustomPaletteFile.h"

#include "common/ByteReader.h"
#include "common/FileIo.h"
#include "common/FixedText.h"

namespace zev::mission {

namespace {

std::span<std::uint8_t> field(std::vector<std::uint8_t>& image, common::TextField f) {
    return std::span<std::uint8_t>(image).subspan(f.offset, f.width);
}

} // namespace

PaletteNames paletteNames(const PaletteRecord& palette) {
    PaletteNames names;
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        names[std::size_t(i)] = palette.text(PaletteRecord::entry(i));
    return names;
}

std::vector<std::uint8_t> customPaletteImage(const PaletteNames& names) {
    std::vector<std::uint8_t> image(CustomPaletteFile::size, 0);
    common::writeFixedText(field(image, CustomPaletteFile::tag), CustomPaletteFile::tagText);
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        common::writeFixedText(field(image, CustomPaletteFile::entry(i)), names[std::size_t(i)]);
    return image;
}

std::optional<PaletteNames> parseCustomPalette(std::span<const std::uint8_t> image) {
    common::ByteReader reader(image);
    const auto tag = reader.take(CustomPaletteFile::tag.width);
    if (!tag || common::readFixedText(*tag) != CustomPaletteFile::tagText)
        return std::nullopt;
    PaletteNames names;
    for (std::string& name : names) {
        const auto bytes = reader.take(CustomPaletteFile::entry(0).width);
        if (!bytes)
            return std::nullopt;
        // A name that fills its 30 bytes is cut as a typed one would be.
        name = common::fitToField(common::readFixedText(*bytes), CustomPaletteFile::entry(0).width);
    }
    return names;
}

std::optional<PaletteNames> readCustomPaletteFile(const std::filesystem::path& path,
                                                  common::Reporter& reporter) {
    std::error_code reason;
    const auto bytes = common::readFilePrefix(path, CustomPaletteFile::size, &reason);
    if (!bytes) {
        reporter.report(path.string(), kPaletteOpenError, common::MessageIcon::Stop);
        reporter.detail(common::describeFileFailure("cannot read", path, reason));
        return std::nullopt;
    }
    auto names = parseCustomPalette(*bytes);
    if (!names)
        reporter.report(kPaletteNotValid, path.string(), common::MessageIcon::Information);
    return names;
}

bool writeCustomPaletteFile(const std::filesystem::path& path, const PaletteNames& names,
                            common::Reporter& reporter) {
    std::error_code reason;
    if (common::writeFileAtomically(path, customPaletteImage(names), &reason) ==
        common::WriteResult::Written)
        return true;
    reporter.report(path.string(), kPaletteOpenError, common::MessageIcon::Stop);
    reporter.detail(common::describeFileFailure("cannot write", path, reason));
    return false;
}

} // namespace zev::mission
