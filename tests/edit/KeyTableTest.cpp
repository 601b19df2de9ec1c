#include "edit/KeyTable.h"

#include "common/FileIo.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zev;
using namespace zev::edit;

namespace {

std::array<std::uint8_t, 256> keysDown(std::initializer_list<int> codes) {
    std::array<std::uint8_t, 256> state{};
    for (int c : codes)
        state[std::size_t(c)] = 0x80;
    return state;
}

std::size_t choiceOf(const char* text) {
    return findKeyChoice(text).value();
}

} // namespace

TEST(KeyTable, DefaultsRoundTripThroughKeyMapAndAForeignFileLeavesThem) {
    const KeyTable table = KeyTable::defaults();
    EXPECT_EQ(table.entry(1), (KeyTable::Entry{0x34, "<"}));
    EXPECT_EQ(table.entry(23), (KeyTable::Entry{0xC7, "Home Key"}));
    EXPECT_EQ(table.entry(0).scanCode, 0);
    EXPECT_EQ(table.entry(24).scanCode, 0);
    EXPECT_STREQ(workspaceActionText(15), "Work Space Camera Steer left");

    const auto image = table.fileImage();
    ASSERT_EQ(image.size(), 4u + 30 * 51);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 4), std::string("MAP\0", 4));
    EXPECT_EQ(image[4 + 13 * 51], 0xC8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[4 + 13 * 51 + 1])), "Up Arrow");

    TempDir home;
    common::RecordingReporter reporter;
    KeyMappingModel model(table);
    ASSERT_TRUE(model.choose(13, choiceOf("F1"), reporter));
    ASSERT_TRUE(model.working().save(home.path(), reporter));
    EXPECT_EQ(KeyTable::load(home.path()).entry(13), (KeyTable::Entry{0x3B, "F1"}));

    common::writeWholeFile(home / "key.map", std::string_view("NOPE and more bytes"));
    EXPECT_EQ(KeyTable::load(home.path()), KeyTable::defaults());

    // A key map that cannot be written: its message, and the old table stays in force.
    common::RecordingReporter failed;
    EXPECT_FALSE(KeyTable::defaults().save(home / "missing", failed));
    ASSERT_EQ(failed.messages.size(), 1u);
    EXPECT_EQ(failed.messages[0], (common::ReportedMessage{"Error Writing Map File!", "ZEVEDIT 3D",
                                                           common::MessageIcon::Stop}));
}

TEST(KeyTable, HeldKeysRunInScanCodeOrderAndADuplicatedCodeRunsTheLowerAction) {
    KeyTable table = KeyTable::defaults();
    // Camera ahead (0xC8) and rotate about Y (0x34) held together.
    EXPECT_EQ(table.actionsFor(keysDown({0xC8, 0x34})), (std::vector<int>{1, 13}));
    table.setEntry(20, {0x14, "T"}); // as a hand-edited file could have it: T twice
    EXPECT_EQ(table.actionsFor(keysDown({0x14})), (std::vector<int>{17}));
    EXPECT_TRUE(table.actionsFor(keysDown({0x39, 0x01})).empty()) << "keys of no action";
}

TEST(KeyTable, TheMappingModelRefusesTheSpaceBarAndKeysInUseAndFreesWithNoAction) {
    ASSERT_EQ(keySelectionList().size(), 102u);
    EXPECT_EQ(keySelectionList()[3].text, std::string("2 "));
    EXPECT_EQ(keySelectionList()[choiceOf("NUM PAD STAR ( * on numeric keypad)")].scanCode,
              keySelectionList()[choiceOf("MULTIPLY  ( * on numeric keypad)")].scanCode);
    EXPECT_EQ(findKeyChoice("  ESC "), 1u) << "matched after trimming blanks";
    EXPECT_FALSE(findKeyChoice("NO SUCH KEY"));

    common::RecordingReporter reporter;
    KeyMappingModel model(KeyTable::defaults());
    EXPECT_FALSE(model.choose(5, choiceOf("SPACE BAR"), reporter));
    EXPECT_FALSE(model.choose(5, choiceOf("T"), reporter)) << "T moves to Top View";
    EXPECT_FALSE(model.choose(5, choiceOf("NUM PAD STAR ( * on numeric keypad)"), reporter));
    EXPECT_EQ(model.working(), KeyTable::defaults());
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.messages[0], (common::ReportedMessage{kSpaceBarReserved, "ZEVEDIT 3D",
                                                             common::MessageIcon::Stop}));
    EXPECT_EQ(reporter.messages[1], (common::ReportedMessage{kKeyAlreadyAssigned, "ZEVEDIT 3D",
                                                             common::MessageIcon::Information}));

    EXPECT_TRUE(model.choose(5, choiceOf("NUM PAD 4"), reporter)) << "its own key again";
    EXPECT_TRUE(model.choose(17, choiceOf("(NO ACTION)"), reporter));
    EXPECT_EQ(model.working().entry(17), (KeyTable::Entry{0, "(NO ACTION)"}));
    EXPECT_TRUE(model.choose(5, choiceOf("T"), reporter)) << "a freed key can be taken";
    EXPECT_TRUE(model.choose(4, choiceOf("(NO ACTION)"), reporter)) << "no action twice is fine";
    EXPECT_TRUE(model.choose(3, choiceOf("(NO ACTION)"), reporter));
}

TEST(KeyTable, ANameFillingItsFieldReadsAsTheTableWrittenBack) {
    auto image = KeyTable::defaults().fileImage();
    // Entry 1's name field (50 bytes after the scan code) without a terminator.
    std::fill_n(image.begin() + 4 + KeyTable::kEntrySize + 1, KeyTable::kEntrySize - 1, 'N');
    const auto table = KeyTable::fromFileImage(image);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->entry(1).name, std::string(KeyTable::kEntrySize - 2, 'N'));
    EXPECT_EQ(KeyTable::fromFileImage(table->fileImage()), table);
    EXPECT_EQ(table->entry(2), KeyTable::defaults().entry(2)) << "the next entry is its own";
}
