#include "GamedataTestSupport.h"

#include "gamedata/IndexFiles.h"

#include "common/ByteWriter.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev::gamedata;
using namespace zev::gamedata::test;
using zev::common::MessageIcon;
using zev::common::RecordingReporter;
using zev::common::ReportedMessage;

namespace {

void writeNameIndex(const std::filesystem::path& path, const char* magic,
                    const std::vector<std::string>& names) {
    zev::common::ByteWriter out;
    out.chars(magic);
    out.zeros(324 - 3);
    for (std::size_t i = 0; i < names.size(); ++i) {
        NameIndexRecord record;
        record.setText(NameIndexRecord::shortName, names[i]);
        record.setInt32(NameIndexRecord::number, static_cast<std::int32_t>(i + 10));
        out.bytes(record.bytes());
    }
    writeFile(path, out.take());
}

} // namespace

TEST(LaunchIndex, FindsTheFirstRecordOfExactlyTheWantedName) {
    TempDir dir;
    writeNameIndex(dir / "CHS.IDX", "CHS", {"VORLANE", "HALBERD", "VORLANE"});
    LaunchRecord record;
    EXPECT_EQ(FindLaunchRecord(dir.path(), IndexKind::Chassis, "VORLANE", record),
              LaunchLookup::Found);
    EXPECT_EQ(record.name, "VORLANE");
    EXPECT_EQ(record.number, 10u);
    EXPECT_EQ(FindLaunchRecord(dir.path(), IndexKind::Chassis, "vorlane", record),
              LaunchLookup::NotFound);
    EXPECT_EQ(FindLaunchRecord(dir.path(), IndexKind::Chassis, "VORL", record),
              LaunchLookup::NotFound);
    EXPECT_EQ(FindLaunchRecord(dir.path(), IndexKind::Mek, "VRL00STD", record),
              LaunchLookup::FileMissing);
}

TEST(LaunchIndex, ReportsAMissingFileAndAMissingName) {
    TempDir dir;
    RecordingReporter reporter;
    EXPECT_FALSE(findLaunchChassis(dir.path(), "VORLANE", reporter));
    EXPECT_FALSE(findLaunchConfiguration(dir.path(), "VRL00STD", reporter));
    writeNameIndex(dir / "CHS.IDX", "CHS", {"HALBERD"});
    writeNameIndex(dir / "MEK.IDX", "MEK", {"", "VRL00STD"});
    EXPECT_FALSE(findLaunchChassis(dir.path(), "VORLANE", reporter));
    EXPECT_FALSE(findLaunchConfiguration(dir.path(), "KST01HVY", reporter));
    const auto config = findLaunchConfiguration(dir.path(), "VRL00STD", reporter);
    ASSERT_TRUE(config);
    EXPECT_EQ(config->number, 11u);
    EXPECT_EQ(reporter.messages,
              (std::vector<ReportedMessage>{
                  {"Could Not open CHS.IDX", "Error...", MessageIcon::Stop},
                  {"Could Not open MEK.IDX", "Error...", MessageIcon::Stop},
                  {"Selected Launch Mek Chassis not Found", "Error", MessageIcon::Stop},
                  {"Selected Launch Mek Configuration not Found", "Error", MessageIcon::Stop},
              }));
}

TEST(LaunchIndex, ListsNamesLongerThanFourCharactersOnceAndSorted) {
    TempDir dir;
    writeNameIndex(dir / "CHS.IDX", "CHS", {"VORLANE", "HALBERD", "VORLANE", "LYNX", "kestrel"});
    writeNameIndex(dir / "MEK.IDX", "MEK", {"", "VRL00STD", "MNT", "ABCD", "ABCDE", "KST01HVY"});
    RecordingReporter reporter;
    const auto lists = readLaunchSelectionLists(dir.path(), reporter);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(lists.chassis, (std::vector<std::string>{"HALBERD", "kestrel", "VORLANE"}));
    EXPECT_EQ(lists.configurations, (std::vector<std::string>{"ABCDE", "KST01HVY", "VRL00STD"}));
}

TEST(LaunchIndex, LeavesTheListOfAMissingFileEmpty) {
    TempDir dir;
    writeNameIndex(dir / "MEK.IDX", "MEK", {"", "VRL00STD"});
    RecordingReporter reporter;
    const auto lists = readLaunchSelectionLists(dir.path(), reporter);
    EXPECT_TRUE(lists.chassis.empty());
    EXPECT_EQ(lists.configurations, std::vector<std::string>{"VRL00STD"});
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Could Not open CHS.IDX");
    EXPECT_EQ(reporter.messages[0].caption, "Error...");
}
