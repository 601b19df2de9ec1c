#include "TempDir.h"

#include "build/MissionPackage.h"
#include "common/FileIo.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace zev::build;

namespace {

std::vector<std::uint8_t> bytes(std::size_t n, std::uint8_t fill) {
    return std::vector<std::uint8_t>(n, fill);
}

std::string field(const std::vector<std::uint8_t>& image, std::size_t at, std::size_t n) {
    return std::string(image.begin() + static_cast<std::ptrdiff_t>(at),
                       image.begin() + static_cast<std::ptrdiff_t>(at + n));
}

TEST(MissionPackage, HeadersHoldOnlyTheNameAndTheOctalSize) {
    const auto header = packageMemberHeader("ABCDare1.bwd", 1000);
    const std::vector<std::uint8_t> image(header.begin(), header.end());
    EXPECT_EQ(field(image, 0, 13), std::string("ABCDare1.bwd\0", 13));
    EXPECT_EQ(field(image, 124, 12), "000000001750");
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (i < 12 || (i >= 124 && i < 136))
            continue;
        ASSERT_EQ(image[i], 0) << "byte " << i;
    }
    const auto empty = packageMemberHeader("x", 0);
    EXPECT_EQ(field(std::vector<std::uint8_t>(empty.begin(), empty.end()), 124, 12),
              "000000000000");
}

TEST(MissionPackage, MembersArePaddedToWholeBlocksWithoutEndBlocks) {
    const std::vector<PackageMember> members = {
        {"a512", bytes(512, 0xAA)}, {"b513", bytes(513, 0xBB)}, {"c0", {}}, {"d1", bytes(1, 1)}};
    const auto image = packageImage(members);
    // 512: header + data, next header right after; 513: 511 zeros follow; 0: header only.
    ASSERT_EQ(image.size(), 1024u + 512u + 1024u + 512u + 512u + 512u);
    EXPECT_EQ(field(image, 1024, 4), std::string("b513"));
    EXPECT_EQ(image[1024 + 512 + 512], 0xBB);
    for (std::size_t i = 1024 + 512 + 513; i < 1024 + 512 + 1024; ++i)
        ASSERT_EQ(image[i], 0);
    EXPECT_EQ(field(image, 2560, 2), "c0");
    EXPECT_EQ(field(image, 3072, 2), "d1");
    EXPECT_EQ(image.size() % 512, 0u);

    const auto read = readPackage(image);
    EXPECT_EQ(read.error, PackageError::None);
    EXPECT_EQ(read.members, members);
}

TEST(MissionPackage, TheFileWriterMatchesTheImage) {
    TempDir dir;
    const std::vector<PackageMember> members = {{"ABCDname.txt", bytes(1000, 'n')},
                                                {"skygnd.par", bytes(145, 1)}};
    PackageWriter writer;
    ASSERT_TRUE(writer.create(dir / "ABCD.zvm"));
    for (const auto& m : members)
        ASSERT_TRUE(writer.add(m.name, m.data));
    EXPECT_FALSE(writer.add(std::string(100, 'x'), bytes(1, 0))); // name does not fit
    EXPECT_FALSE(writer.add("", bytes(1, 0)));
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(zev::common::readWholeFile(dir / "ABCD.zvm"), packageImage(members));
    EXPECT_FALSE(writer.add("late", bytes(1, 0)));
    EXPECT_FALSE(PackageWriter().create(dir / "missing" / "x.zvm"));
}

TEST(MissionPackage, TheReaderRefusesDamagedPackagesButKeepsWhatCameBefore) {
    const auto good = packageImage({{"one", bytes(10, 1)}, {"two", bytes(600, 2)}});

    auto truncatedData = good;
    truncatedData.resize(1024 + 512 + 100);
    auto r = readPackage(truncatedData);
    EXPECT_EQ(r.error, PackageError::TruncatedData);
    EXPECT_EQ(r.errorOffset, 1024u);
    ASSERT_EQ(r.members.size(), 1u);
    EXPECT_EQ(r.members[0].name, "one");

    auto partialHeader = good;
    partialHeader.resize(1024 + 100);
    EXPECT_EQ(readPackage(partialHeader).error, PackageError::TruncatedHeader);

    auto badSize = good;
    badSize[1024 + 124 + 5] = '9';
    EXPECT_EQ(readPackage(badSize).error, PackageError::BadSize);

    auto noName = good;
    noName[1024] = 0;
    EXPECT_EQ(readPackage(noName).error, PackageError::BadName);

    // Huge sizes are checked against what is there before anything is taken.
    auto huge = good;
    std::memcpy(huge.data() + 1024 + 124, "777777777777", 12);
    EXPECT_EQ(readPackage(huge).error, PackageError::TruncatedData);
}

TEST(MissionPackage, TheReaderAcceptsEndBlocksAndAMissingLastPadding) {
    auto image = packageImage({{"one", bytes(10, 1)}});
    auto withEnd = image;
    withEnd.insert(withEnd.end(), 1024, 0);
    EXPECT_EQ(readPackage(withEnd).members.size(), 1u);
    EXPECT_EQ(readPackage(withEnd).error, PackageError::None);
    image.resize(512 + 10);
    const auto r = readPackage(image);
    EXPECT_EQ(r.error, PackageError::None);
    ASSERT_EQ(r.members.size(), 1u);
    EXPECT_EQ(r.members[0].data, bytes(10, 1));
    EXPECT_TRUE(readPackage({}).members.empty());
}

TEST(MissionPackage, OnlyPlainFileNamesAreSafeToUnpack) {
    for (const char* ok : {"ABCDare1.bwd", "skygnd.par", "a b", "..x"})
        EXPECT_TRUE(isSafeMemberName(ok)) << ok;
    for (const char* bad : {"", ".", "..", "../x", "a/b", "a\\b", "C:x", "/etc/passwd", "a\nb"})
        EXPECT_FALSE(isSafeMemberName(bad)) << bad;
}

} // namespace
