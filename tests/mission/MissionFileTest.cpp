#include "mission/MissionFile.h"
#include "mission/NewMission.h"

#include "common/FileIo.h"
#include "common/LittleEndian.h"

#include "SmallDisk.h"
#include "TempDir.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev::mission;
using zev::common::MessageIcon;
using zev::common::RecordingReporter;
using zev::common::ReportedMessage;
namespace fs = std::filesystem;

namespace {

// Where each section starts in a file, from the documented sizes.
constexpr std::size_t kStartPointsAt = 4 + 776;
constexpr std::size_t kStarsAt = kStartPointsAt + 8 * (4 + 180);
constexpr std::size_t kTablesAt = kStarsAt + 8 * (4 + 13275);
constexpr std::size_t kWeatherAt = kTablesAt + 8 * (4 + 22495);
constexpr std::size_t kPaletteAt = kWeatherAt + 4 + 104;
constexpr std::size_t kBriefingsAt = kPaletteAt + 4 + 601;

struct MissionFileTest : ::testing::Test {
    TempDir home;
    RecordingReporter reporter;

    std::unique_ptr<MissionDocument> sample() {
        auto doc = support::newMission();
        for (int i = 0; i < 3; ++i) {
            const int slot = doc->objects.allocate(reporter).value();
            doc->objects.place(
                slot, support::sampleObject("obj" + std::to_string(i), 100 * i, 0, -100 * i));
        }
        doc->briefings[0] = support::bytesOf("{\\rtf1 main}");
        doc->briefings[2] = support::bytesOf("team b");
        return doc;
    }

    bool save(MissionDocument& doc, const fs::path& path, std::uint8_t patch = 0) {
        return MissionFile::save(doc, path, RecordPositions(doc), patch, reporter);
    }

    std::vector<std::uint8_t> saved(MissionDocument& doc) {
        EXPECT_TRUE(save(doc, home / "m.mdb"));
        return zev::common::readWholeFile(home / "m.mdb").value();
    }

    // Opens `bytes` over a document that holds a known mission, and checks that a failure
    // leaves it as it was.
    bool openBytes(const std::vector<std::uint8_t>& bytes) {
        zev::common::writeWholeFile(home / "in.mdb", bytes);
        auto before = support::newMission("KEEP");
        MissionDocument doc = *before;
        std::uint8_t patch = 7;
        const bool ok = MissionFile::open(doc, patch, home / "in.mdb", reporter);
        if (!ok) {
            EXPECT_EQ(doc, *before);
            EXPECT_EQ(patch, 7);
        }
        return ok;
    }

    // "Unkown File Type..." names the file and why after the program's own words.
    std::string unknownType(const std::string& why) const {
        return "Unkown File Type...\r\n" + (home / "in.mdb").string() + ": " + why;
    }
    static constexpr const char* kNoTag = "no mission file tag at its start";
    static constexpr const char* kNoHeader = "no mission header written by this editor";

    void expectMessage(const std::string& text, const std::string& caption,
                       MessageIcon icon = MessageIcon::Stop) {
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0], (ReportedMessage{text, caption, icon}));
    }
};

} // namespace

TEST_F(MissionFileTest, WritesTheSectionsInOrderWithTheirTags) {
    auto doc = sample();
    const auto bytes = saved(*doc);
    const auto tag = [&](std::size_t at) {
        return std::string(bytes.begin() + at, bytes.begin() + at + 4);
    };
    EXPECT_EQ(tag(0), "MDB ");
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(tag(kStartPointsAt + 184 * i), "STR ");
        EXPECT_EQ(tag(kStarsAt + 13279 * i), "NAV ");
        EXPECT_EQ(tag(kTablesAt + 22499 * i), "MSN ");
    }
    EXPECT_EQ(tag(kWeatherAt), "WEA ");
    EXPECT_EQ(tag(kPaletteAt), "COL ");
    EXPECT_EQ(tag(kBriefingsAt), "BRF ");
    EXPECT_EQ(zev::common::getU32(&bytes[kBriefingsAt + 4]), 12u);
    const std::size_t second = kBriefingsAt + 8 + 12;
    EXPECT_EQ(tag(second), "BRF ");
    EXPECT_EQ(zev::common::getU32(&bytes[second + 4]), 0u);
    const std::size_t third = second + 8;
    EXPECT_EQ(zev::common::getU32(&bytes[third + 4]), 6u);
    const std::size_t countAt = third + 8 + 6;
    EXPECT_EQ(zev::common::getU32(&bytes[countAt]), 3u);
    EXPECT_EQ(bytes.size(), countAt + 4 + 3 * 840 + 4);
    EXPECT_EQ(tag(bytes.size() - 4), "END ");
    // The header is stamped: version 3.0, creator, project name in place.
    EXPECT_EQ(zev::common::getF32(&bytes[4]), 3.0f);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 19), std::string("ZEVEDIT 3D\0", 11));
    EXPECT_EQ(std::string(bytes.begin() + 24, bytes.begin() + 28), "ABCD");
    // Player 2's heading text, and the first object's name.
    EXPECT_EQ(std::string(bytes.begin() + kStartPointsAt + 184 + 4 + 105,
                          bytes.begin() + kStartPointsAt + 184 + 4 + 108),
              "180");
    EXPECT_EQ(std::string(bytes.begin() + countAt + 4 + 67, bytes.begin() + countAt + 4 + 71),
              "obj0");
}

TEST_F(MissionFileTest, MatchesTheKnownFileOfANewMission) {
    auto doc = support::newMission("DEMO");
    storeSelection(*doc, {"DEMO", "Demo Mission", 4, true, false});
    const auto bytes = saved(*doc);
    const auto golden = zev::common::readWholeFile(fs::path(ZEV_FIXTURES_DIR) / "new-demo.mdb");
    ASSERT_TRUE(golden.has_value());
    EXPECT_TRUE(bytes == *golden);
}

TEST_F(MissionFileTest, SaveThenOpenGivesTheSameDocument) {
    auto doc = sample();
    ASSERT_TRUE(save(*doc, home / "m.mdb", 1));
    EXPECT_FALSE(doc->modified);
    EXPECT_FALSE(doc->untitled);
    MissionDocument loaded;
    std::uint8_t patch = 0;
    ASSERT_TRUE(MissionFile::open(loaded, patch, home / "m.mdb", reporter));
    EXPECT_EQ(loaded, *doc);
    EXPECT_EQ(patch, 1);
    EXPECT_TRUE(reporter.messages.empty());
    // The temporary briefing files are gone.
    for (int b = 0; b < 3; ++b)
        EXPECT_FALSE(fs::exists(home / ("brf" + std::to_string(b) + ".brf")));
}

TEST_F(MissionFileTest, RenumbersObjectsInWorkspaceOrder) {
    auto doc = support::newMission();
    for (int i = 0; i < 8; ++i)
        doc->objects.place(i, support::sampleObject("o" + std::to_string(i), i, 0, 0));
    doc->objects.free(2);
    doc->objects.free(5);
    ASSERT_TRUE(save(*doc, home / "m.mdb"));
    MissionDocument loaded;
    std::uint8_t patch = 0;
    ASSERT_TRUE(MissionFile::open(loaded, patch, home / "m.mdb", reporter));
    EXPECT_EQ(loaded.objects.occupiedSlots(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    const char* names[] = {"o0", "o1", "o3", "o4", "o6", "o7"};
    for (int slot = 0; slot < 6; ++slot)
        EXPECT_EQ(loaded.objects.find(slot)->text(MissionObjectRecord::objectName), names[slot]);
}

TEST_F(MissionFileTest, TakesPositionsAndOrderFromTheScene) {
    auto doc = support::newMission();
    doc->objects.place(0, support::sampleObject("a", 0, 0, 0));
    doc->objects.place(1, support::sampleObject("b", 0, 0, 0));
    support::FakePositions scene;
    scene.starts = {{501, "Player 2 Start Point", {1700, 0, -300}}, {599, "", {1, 1, 1}}};
    scene.navs = {{603, "0", {-100, 200, 300}}, {603, "99", {5, 5, 5}}};
    // Workspace order b, a; a ready-made group member frame is not an object.
    scene.objects = {{1, "b", {900, 0, 100}}, {3000, "member", {0, 0, 0}}, {0, "a", {-200, 0, 0}}};
    ASSERT_TRUE(MissionFile::save(*doc, home / "m.mdb", scene, 0, reporter));
    MissionDocument loaded;
    std::uint8_t patch = 0;
    ASSERT_TRUE(MissionFile::open(loaded, patch, home / "m.mdb", reporter));
    EXPECT_EQ(loaded.startPoint(2).text(StartPointRecord::z), "-300");
    EXPECT_EQ(loaded.navPoint(3, 0).text(NavPointRecord::x), "-100");
    EXPECT_EQ(loaded.objects.count(), 2);
    EXPECT_EQ(loaded.objects.find(0)->text(MissionObjectRecord::objectName), "b");
    EXPECT_EQ(loaded.objects.find(0)->int32(MissionObjectRecord::position(0)), 900);
    EXPECT_EQ(loaded.objects.find(1)->int32(MissionObjectRecord::position(0)), -200);
}

TEST_F(MissionFileTest, AcceptsZeroObjectsEmptyBriefingsAndAnyVersion) {
    auto doc = support::newMission();
    auto bytes = saved(*doc);
    zev::common::putF32(&bytes[4], 1.5f);
    EXPECT_TRUE(openBytes(bytes));
    EXPECT_EQ(std::string(bytes.end() - 8, bytes.end()), std::string("\0\0\0\0END ", 8));
}

TEST_F(MissionFileTest, AcceptsATagWhoseLettersStandWithinItsFourBytes) {
    auto doc = support::newMission();
    auto bytes = saved(*doc);
    bytes[0] = 'x';
    bytes[1] = 'M';
    bytes[2] = 'D';
    bytes[3] = 'B';
    EXPECT_TRUE(openBytes(bytes));
}

TEST_F(MissionFileTest, KeepsTheTagsAndTheBytesAfterTheEndSoAFileCanBeWrittenAgainExactly) {
    auto doc = sample();
    auto bytes = saved(*doc);
    zev::common::putF32(&bytes[4], 1.5f); // not stamped again by an exact write
    bytes[kStarsAt + 3 * (4 + 13275) + 3] = 0;
    std::copy_n("xWEA", 4, bytes.begin() + kWeatherAt);
    bytes.insert(bytes.end(), {'t', 'a', 'i', 'l', 0});

    MissionFile::Decoded decoded = MissionFile::decode(bytes);
    ASSERT_EQ(decoded.error, MissionFile::DecodeError::None);
    EXPECT_EQ(decoded.framing.stars[3], (MissionFile::Tag{'N', 'A', 'V', 0}));
    EXPECT_EQ(decoded.framing.afterEnd, support::bytesOf(std::string("tail\0", 5)));
    EXPECT_EQ(MissionFile::encode(*decoded.document, decoded.document->objects.occupiedSlots(),
                                  decoded.framing),
              bytes);
    ASSERT_TRUE(
        MissionFile::saveAsStored(*decoded.document, decoded.framing, home / "x.mdb", reporter));
    EXPECT_EQ(zev::common::readWholeFile(home / "x.mdb").value(), bytes);
}

TEST_F(MissionFileTest, RefusesAFileItCannotOpen) {
    MissionDocument doc;
    std::uint8_t patch = 0;
    EXPECT_FALSE(MissionFile::open(doc, patch, home / "none.mdb", reporter));
    expectMessage("Couldn't Open File...", "File Open Error...", MessageIcon::Information);
}

TEST_F(MissionFileTest, RefusesAForeignFile) {
    auto doc = support::newMission();
    auto bytes = saved(*doc);
    auto wrongTag = bytes;
    wrongTag[1] = 'X';
    EXPECT_FALSE(openBytes(wrongTag));
    expectMessage(unknownType(kNoTag), "File Read Error...");

    reporter.messages.clear();
    auto wrongCreator = bytes;
    wrongCreator[8] = 'Q';
    EXPECT_FALSE(openBytes(wrongCreator));
    expectMessage(unknownType(kNoHeader), "File Read Error...");

    reporter.messages.clear();
    EXPECT_FALSE(openBytes({}));
    expectMessage(unknownType(kNoTag), "File Read Error...");
}

TEST_F(MissionFileTest, RefusesASectionOutOfPlace) {
    auto doc = support::newMission();
    auto bytes = saved(*doc);
    bytes[kTablesAt + 22499 * 5] = 'N'; // "NSN " where "MSN " belongs
    EXPECT_FALSE(openBytes(bytes));
    expectMessage("Unkown File Entry Encountered", "File Read Error...");

    reporter.messages.clear();
    bytes = saved(*doc);
    bytes[kBriefingsAt + 1] = 'X';
    EXPECT_FALSE(openBytes(bytes));
    expectMessage("Unkown File Entry Encountered", "File Read Error...");
}

TEST_F(MissionFileTest, RefusesATruncatedFile) {
    auto doc = sample();
    const auto bytes = saved(*doc);
    // Without "END ", inside the objects, inside a section, right after the header.
    for (std::size_t cut : {bytes.size() - 4, bytes.size() - 100, kTablesAt + 1000, kStartPointsAt,
                            std::size_t{780 + 2}}) {
        reporter.messages.clear();
        EXPECT_FALSE(openBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut)))
            << cut;
        expectMessage("End of File Not Found!", "File Read Error...");
    }
    reporter.messages.clear();
    EXPECT_FALSE(openBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 500)));
    expectMessage(unknownType(kNoHeader), "File Read Error...");
}

TEST_F(MissionFileTest, RefusesABriefingLongerThanTheFile) {
    auto doc = sample();
    auto bytes = saved(*doc);
    zev::common::putU32(&bytes[kBriefingsAt + 4], 0xFFFFFFF0u);
    EXPECT_FALSE(openBytes(bytes));
    expectMessage("End of File Not Found!", "File Read Error...");
}

TEST_F(MissionFileTest, RefusesAnObjectCountOutOfRange) {
    auto doc = support::newMission();
    auto bytes = saved(*doc);
    const std::size_t countAt = bytes.size() - 8;
    for (std::int32_t count : {-1, 501, 0x7FFFFFFF}) {
        reporter.messages.clear();
        zev::common::putI32(&bytes[countAt], count);
        EXPECT_FALSE(openBytes(bytes));
        expectMessage("Damaged Mission File: Invalid Object Count", "File Read Error...");
    }
}

TEST_F(MissionFileTest, KeepsTheOldFileWhenTheSaveFails) {
    auto doc = support::newMission();
    EXPECT_FALSE(save(*doc, home / "missing-dir" / "m.mdb"));
    expectMessage("File Access Denied", "FileSave Error...", MessageIcon::Information);
    EXPECT_TRUE(doc->untitled);

    // A directory in the way: the replacement fails and nothing is reported as saved.
    reporter.messages.clear();
    fs::create_directory(home / "taken.mdb");
    doc->modified = true;
    EXPECT_FALSE(save(*doc, home / "taken.mdb"));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "FileSave Error...");
    EXPECT_TRUE(doc->modified);
    EXPECT_TRUE(fs::is_directory(home / "taken.mdb"));
}

TEST_F(MissionFileTest, OnAFullDiskSaysThePreviousFileWasLeftOnlyWhenThereWasOne) {
    SmallDisk disk(128);
    SKIP_WITHOUT_SMALL_DISK(disk);
    auto doc = sample();
    EXPECT_FALSE(save(*doc, disk / "new.mdb"));
    expectMessage("Error Writing Mission File...", "FileSave Error...");
    ASSERT_EQ(reporter.details.size(), 1u);
    EXPECT_NE(reporter.details[0].find("No space left on device"), std::string::npos);
    EXPECT_FALSE(fs::exists(disk / "new.mdb"));

    zev::common::writeWholeFile(disk / "old.mdb", std::string_view("old"));
    reporter.messages.clear();
    EXPECT_FALSE(save(*doc, disk / "old.mdb"));
    expectMessage("Error Writing Mission File...\r\nThe previous file was left unchanged.",
                  "FileSave Error...");
    EXPECT_EQ(zev::common::readWholeFile(disk / "old.mdb"), support::bytesOf("old"));
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 1);
}

TEST_F(MissionFileTest, RefusesADeviceAndAForeignFileBeforeReadingThem) {
    MissionDocument doc;
    std::uint8_t patch = 0;
    EXPECT_FALSE(MissionFile::open(doc, patch, "/dev/zero", reporter));
    expectMessage("Couldn't Open File...", "File Open Error...", MessageIcon::Information);
    ASSERT_EQ(reporter.details.size(), 1u);
    EXPECT_EQ(reporter.details[0], "cannot read /dev/zero: Not a regular file");

    // A big file of another kind: its tag tells, whatever follows.
    reporter.messages.clear();
    std::vector<std::uint8_t> foreign(4 << 20, 'x');
    EXPECT_FALSE(openBytes(foreign));
    expectMessage(unknownType(kNoTag), "File Read Error...");
}
