#include "edit/CustomPaletteModel.h"

#include "common/FileIo.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace zev;
using edit::CustomPaletteModel;
using mission::PaletteRecord;

namespace {

PaletteRecord namedPalette(const std::string& prefix, std::uint8_t flag) {
    PaletteRecord palette;
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        palette.setText(PaletteRecord::entry(i), prefix + std::to_string(i));
    palette.setByte(PaletteRecord::flag, flag);
    return palette;
}

} // namespace

TEST(CustomPaletteModel, SavingAndLoadingBackRestoresTheTwentyNamesButNotTheFlag) {
    TempDir dir;
    common::RecordingReporter reporter;
    CustomPaletteModel source(namedPalette("day", 1));
    source.setName(3, "smoke3pal");
    const auto file = dir / "mine.ccp";
    ASSERT_TRUE(source.saveToFile(file, reporter));
    EXPECT_EQ(common::readWholeFile(file)->size(), 616u);

    CustomPaletteModel target(namedPalette("old", 0));
    ASSERT_TRUE(target.loadFromFile(file, reporter));
    EXPECT_EQ(target.names(), source.names());
    EXPECT_FALSE(target.useCustom());
    const PaletteRecord composed = target.compose();
    EXPECT_EQ(composed.text(PaletteRecord::entry(3)), "smoke3pal");
    EXPECT_EQ(composed.text(PaletteRecord::entry(19)), "day19");
    EXPECT_EQ(composed.byte(PaletteRecord::flag), 0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(CustomPaletteModel, ARefusedFileChangesNothing) {
    TempDir dir;
    common::RecordingReporter reporter;
    const PaletteRecord palette = namedPalette("keep", 1);
    CustomPaletteModel model(palette);
    model.setName(0, "typed");

    auto image = mission::customPaletteImage(mission::paletteNames(namedPalette("new", 0)));
    image[2] = '7'; // "1.7 COL"
    ASSERT_TRUE(common::writeWholeFile(dir / "other.ccp", image));
    image = mission::customPaletteImage(mission::paletteNames(namedPalette("new", 0)));
    image.resize(600);
    ASSERT_TRUE(common::writeWholeFile(dir / "short.ccp", image));

    for (const char* name : {"other.ccp", "short.ccp", "absent.ccp"})
        EXPECT_FALSE(model.loadFromFile(dir / name, reporter)) << name;
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.messages[1].text, "Is Not a valid Custom Palette File!");
    EXPECT_EQ(reporter.messages[2].caption, "Error- Could Not Open:");
    EXPECT_EQ(model.name(0), "typed");
    EXPECT_EQ(model.name(1), "keep1");
    EXPECT_TRUE(model.useCustom());
}

TEST(CustomPaletteModel, NamesAreCutTo29CharactersAndUnchangedFieldsKeepTheirBytes) {
    PaletteRecord palette = namedPalette("p", 2);
    // A stored name filling its field, and stale bytes behind another's terminator.
    for (std::size_t b = 0; b < 30; ++b)
        palette.bytes()[30 + b] = 'w';
    palette.bytes()[20] = 'z';
    CustomPaletteModel model(palette);
    EXPECT_EQ(model.name(1), std::string(29, 'w'));
    model.setName(2, std::string(35, 'q'));
    EXPECT_EQ(model.name(2), std::string(29, 'q'));

    const PaletteRecord composed = model.compose();
    EXPECT_EQ(composed.text(PaletteRecord::entry(1)), std::string(29, 'w'));
    EXPECT_EQ(composed.text(PaletteRecord::entry(2)), std::string(29, 'q'));
    EXPECT_EQ(composed.bytes()[20], 'z');
    // A set flag other than 1 stays while the box is checked; unchecked it is 0, checked 1.
    EXPECT_EQ(composed.byte(PaletteRecord::flag), 2);
    model.setUseCustom(false);
    EXPECT_EQ(model.compose().byte(PaletteRecord::flag), 0);
    CustomPaletteModel off(namedPalette("p", 0));
    off.setUseCustom(true);
    EXPECT_EQ(off.compose().byte(PaletteRecord::flag), 1);
}

TEST(CustomPaletteModel, TheChoicesAreTheSettingsFilesItemsUpToTheCount) {
    TempDir dir;
    const auto ini = dir / "zevedit.ini";
    EXPECT_TRUE(edit::readCustomPaletteChoices(ini).empty());
    ASSERT_TRUE(common::writeWholeFile(ini, std::string_view("[OTHER]\nITEM COUNT=2\nITEM 1=a\n")));
    EXPECT_TRUE(edit::readCustomPaletteChoices(ini).empty());

    ASSERT_TRUE(common::writeWholeFile(ini, std::string_view("[custom color palettes]\r\n"
                                                             "ITEM 3=gr0npal1\r\n"
                                                             "item 1=ds0npal1\r\n"
                                                             "ITEM 01=padded\r\n"
                                                             "ITEM 4=beyond\r\n"
                                                             "ITEM COUNT=3\r\n"
                                                             "ITEM 2=\r\n")));
    EXPECT_EQ(edit::readCustomPaletteChoices(ini),
              (std::vector<std::string>{"ds0npal1", "gr0npal1"}));

    // A huge count only reaches the keys the file holds.
    ASSERT_TRUE(common::writeWholeFile(
        ini,
        std::string_view("[CUSTOM COLOR PALETTES]\nITEM COUNT=2147483647\nITEM 2000000000=far\n"
                         "ITEM 1=near\n")));
    EXPECT_EQ(edit::readCustomPaletteChoices(ini), (std::vector<std::string>{"near", "far"}));
}
