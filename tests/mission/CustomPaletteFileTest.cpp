#include "mission/CustomPaletteFile.h"

#include "common/FileIo.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace zev;
using mission::CustomPaletteFile;
using mission::PaletteNames;

namespace {

PaletteNames numberedNames() {
    PaletteNames names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = "pal" + std::to_string(i);
    return names;
}

std::string textAt(const std::vector<std::uint8_t>& image, std::size_t offset, std::size_t n) {
    return std::string(image.begin() + std::ptrdiff_t(offset),
                       image.begin() + std::ptrdiff_t(offset + n));
}

} // namespace

TEST(CustomPaletteFile, TheImageIsTheTagAndTwentyZeroFilledNamesCutTo29Characters) {
    PaletteNames names = numberedNames();
    names[19] = std::string(40, 'x');
    const auto image = mission::customPaletteImage(names);
    ASSERT_EQ(image.size(), 616u);
    EXPECT_EQ(textAt(image, 0, 16), std::string("1.6 COL") + std::string(9, '\0'));
    EXPECT_EQ(textAt(image, 16, 30), "pal0" + std::string(26, '\0'));
    EXPECT_EQ(textAt(image, 16 + 30 * 7, 5), std::string("pal7", 5));
    EXPECT_EQ(textAt(image, 586, 30), std::string(29, 'x') + '\0');

    const auto back = mission::parseCustomPalette(image);
    ASSERT_TRUE(back);
    names[19].resize(29);
    EXPECT_EQ(*back, names);
}

TEST(CustomPaletteFile, RefusesAShortImageOrATagDifferingInAnyCharacter) {
    auto image = mission::customPaletteImage(numberedNames());
    // Bytes behind the tag's terminator carry no meaning, and nothing past 616 is read.
    image[10] = 'z';
    image.push_back('!');
    EXPECT_TRUE(mission::parseCustomPalette(image));
    image.pop_back();

    for (std::size_t n : {0u, 15u, 16u, 300u, 615u})
        EXPECT_FALSE(mission::parseCustomPalette(std::span(image).first(n))) << n;
    // Each of the seven characters altered, and the terminator replaced ("1.6 COL#").
    for (std::size_t i = 0; i < 8; ++i) {
        auto changed = image;
        changed[i] = '#';
        EXPECT_FALSE(mission::parseCustomPalette(changed)) << i;
    }
    // A tag filling its 16 bytes without a terminator is not "1.6 COL" either.
    auto unterminated = image;
    std::fill(unterminated.begin() + 7, unterminated.begin() + 16, ' ');
    EXPECT_FALSE(mission::parseCustomPalette(unterminated));

    // A name without its terminator is cut as a typed one would be.
    std::fill(image.begin() + 16, image.begin() + 46, 'n');
    EXPECT_EQ((*mission::parseCustomPalette(image))[0], std::string(29, 'n'));
}

TEST(CustomPaletteFile, ReportsFilesThatDoNotOpenOrAreNotPaletteFilesAndWritesThroughATemporary) {
    TempDir dir;
    common::RecordingReporter reporter;
    const auto missing = dir / "none.ccp";
    EXPECT_FALSE(mission::readCustomPaletteFile(missing, reporter));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0],
              (common::ReportedMessage{missing.string(),
                                       "Error- Could Not Open:", common::MessageIcon::Stop}));

    const auto cut = dir / "cut.ccp";
    auto image = mission::customPaletteImage(numberedNames());
    image.resize(615);
    ASSERT_TRUE(common::writeWholeFile(cut, image));
    EXPECT_FALSE(mission::readCustomPaletteFile(cut, reporter));
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[1],
              (common::ReportedMessage{"Is Not a valid Custom Palette File!", cut.string(),
                                       common::MessageIcon::Information}));

    const auto good = dir / "good.ccp";
    ASSERT_TRUE(mission::writeCustomPaletteFile(good, numberedNames(), reporter));
    EXPECT_EQ(mission::readCustomPaletteFile(good, reporter), numberedNames());
    EXPECT_EQ(reporter.messages.size(), 2u);

    // A directory in the way cannot be written: the open error, and the directory stays.
    const auto blocked = dir / "blocked.ccp";
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(mission::writeCustomPaletteFile(blocked, numberedNames(), reporter));
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.messages[2].caption, "Error- Could Not Open:");
    EXPECT_EQ(reporter.messages[2].text, blocked.string());
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
}
