#include "common/ByteRecord.h"
#include "common/ByteReader.h"
#include "common/FixedText.h"

#include <gtest/gtest.h>

using namespace zev::common;

namespace {

struct Sample : ByteRecord<16> {
    static constexpr TextField name{0, 6};
    static constexpr Int32Field count{6};
    static constexpr Float32Field ratio{10};
    static constexpr Int16Field small{14};
};

} // namespace

TEST(FixedText, KeepsAtMostTheWidthLessOneAndZeroFillsTheRest) {
    std::uint8_t field[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    writeFixedText(field, "abcdefgh");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field), 6), std::string("abcde\0", 6));
    writeFixedText(field, "ab");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field), 6), std::string("ab\0\0\0\0", 6));
    EXPECT_EQ(readFixedText(field), "ab");
}

TEST(FixedText, ReadsAFieldWithoutTerminatorUpToItsWidth) {
    const std::uint8_t field[4] = {'M', 'D', 'B', ' '};
    EXPECT_EQ(readFixedText(field), "MDB ");
    EXPECT_EQ(fitToField("abcdef", 4), "abc");
}

TEST(ByteRecord, StoresLittleEndianValuesAtTheirOffsets) {
    Sample s;
    s.setText(Sample::name, "hello!!");
    s.setInt32(Sample::count, -2);
    s.setFloat32(Sample::ratio, 3.0f);
    s.setInt16(Sample::small, 0x1234);
    const auto b = s.bytes();
    EXPECT_EQ(std::string(b.begin(), b.begin() + 6), std::string("hello\0", 6));
    EXPECT_EQ(b[6], 0xFE);
    EXPECT_EQ(b[9], 0xFF);
    // 3.0f is 0x40400000.
    EXPECT_EQ(b[12], 0x40);
    EXPECT_EQ(b[13], 0x40);
    EXPECT_EQ(b[14], 0x34);
    EXPECT_EQ(b[15], 0x12);
    EXPECT_EQ(s.int32(Sample::count), -2);
    EXPECT_EQ(s.float32(Sample::ratio), 3.0f);
    EXPECT_EQ(s.int16(Sample::small), 0x1234);
}

TEST(ByteRecord, RefusesAFieldOutsideTheRecord) {
    Sample s;
    EXPECT_THROW(s.int32(Int32Field{14}), std::out_of_range);
    EXPECT_THROW(s.setText(TextField{10, 7}, "x"), std::out_of_range);
}

TEST(ByteReader, FailsAShortReadWithoutMoving) {
    const std::uint8_t data[6] = {1, 0, 0, 0, 2, 0};
    ByteReader in(data);
    EXPECT_EQ(in.u32(), 1u);
    EXPECT_FALSE(in.u32().has_value());
    EXPECT_EQ(in.position(), 4u);
    EXPECT_FALSE(in.take(3).has_value());
    EXPECT_EQ(in.u16(), 2u);
    EXPECT_TRUE(in.atEnd());
    EXPECT_FALSE(in.skip(1));
    EXPECT_FALSE(in.seek(7));
    EXPECT_TRUE(in.seek(6));
}
