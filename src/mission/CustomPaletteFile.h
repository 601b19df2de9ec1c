#pragma once

#include "PaletteRecord.h"

#include "common/Reporter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Custom palette files (".ccp"): the twenty palette entry names of a mission, without its flag,
// behind a 16-byte tag. 616 bytes, nothing else.
namespace zev::mission {

using PaletteNames = std::array<std::string, PaletteRecord::entryCount>;

struct CustomPaletteFile {
    static constexpr std::string_view tagText = "1.6 COL";
    static constexpr common::TextField tag{0, 16};
    static constexpr common::TextField entry(int i) { return {16 + 30 * std::size_t(i), 30}; }
    static constexpr std::size_t size = 616;
};
static_assert(CustomPaletteFile::entry(PaletteRecord::entryCount).offset ==
              CustomPaletteFile::size);
static_assert(CustomPaletteFile::entry(0).width == PaletteRecord::entry(0).width);

// The names of a record in entry order.
PaletteNames paletteNames(const PaletteRecord& palette);

// The file image: the tag, then each name cut to 29 characters and zero-filled to 30 bytes.
std::vector<std::uint8_t> customPaletteImage(const PaletteNames& names);

// The names of an image, or nothing when it is shorter than 616 bytes or its tag is not exactly
// "1.6 COL". Bytes past 616 are ignored.
std::optional<PaletteNames> parseCustomPalette(std::span<const std::uint8_t> image);

constexpr const char* kPaletteOpenError = "Error- Could Not Open:";
constexpr const char* kPaletteNotValid = "Is Not a valid Custom Palette File!";

// Reads a custom palette file. A file that cannot be read is reported with its name as text
// (caption kPaletteOpenError, stop icon); a short or mistagged one with kPaletteNotValid as text
// and its name as caption (information icon).
std::optional<PaletteNames> readCustomPaletteFile(const std::filesystem::path& path,
                                                  common::Reporter& reporter);

// Writes the image through a temporary file, so a failure leaves the old file as it was; the
// failure is reported as one that cannot be opened.
bool writeCustomPaletteFile(const std::filesystem::path& path, const PaletteNames& names,
                            common::Reporter& reporter);

} // namespace zev::mission
