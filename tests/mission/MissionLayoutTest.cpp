// Byte layouts of the mission records: the mission file stores them as they are, so every
// offset is part of the file format.

#include "mission/MissionDocument.h"

#include <gtest/gtest.h>

using namespace zev::mission;

namespace {

template <typename Record> std::string textAt(const Record& r, std::size_t offset, std::size_t n) {
    return std::string(r.bytes().begin() + offset, r.bytes().begin() + offset + n);
}

} // namespace

TEST(RecordLayout, RecordsHaveTheirFileSizes) {
    EXPECT_EQ(MissionHeader::size, 776u);
    EXPECT_EQ(StartPointRecord::size, 180u);
    EXPECT_EQ(NavPointRecord::size, 531u);
    EXPECT_EQ(sizeof(Star) / sizeof(NavPointRecord) * NavPointRecord::size, 13275u);
    EXPECT_EQ(WeatherRecord::size, 104u);
    EXPECT_EQ(PaletteRecord::size, 601u);
    EXPECT_EQ(MissionObjectRecord::size, 840u);
    EXPECT_EQ(ObjectiveRow::size, 562u);
    EXPECT_EQ(ObjectiveTable::size, 22495u);
    EXPECT_EQ(ObjectiveTable().toBytes().size(), 22495u);
}

TEST(RecordLayout, HeaderFieldsSitAtTheirOffsets) {
    MissionHeader h;
    h.setText(MissionHeader::projectName, "ABCDEFGHIJKL");
    h.setText(MissionHeader::numberOfPlayers, "8");
    h.setInt32(MissionHeader::teamBMekGroup, 1);
    h.setInt32(MissionHeader::now, 3);
    h.setText(MissionHeader::groundTexture, "bet1");
    h.setInt32(MissionHeader::fog, 7);
    h.setByte(MissionHeader::fogWorld, 1);
    h.setByte(MissionHeader::patch, 1);
    h.setText(MissionHeader::dfxLetter(14), "D");
    h.setFloat32(MissionHeader::dfxFloat(35), 0.05f);
    EXPECT_EQ(textAt(h, 20, 10), std::string("ABCDEFGHI\0", 10));
    EXPECT_EQ(h.bytes()[88], '8');
    EXPECT_EQ(h.bytes()[84], 1);
    EXPECT_EQ(h.bytes()[356], 3);
    EXPECT_EQ(textAt(h, 566, 5), std::string("bet1\0", 5));
    EXPECT_EQ(h.bytes()[592], 7);
    EXPECT_EQ(h.bytes()[628], 1);
    EXPECT_EQ(h.bytes()[629], 1);
    EXPECT_EQ(h.bytes()[688], 'D');
    EXPECT_EQ(h.float32(zev::common::Float32Field{772}), 0.05f);
    EXPECT_EQ(MissionHeader::dfxOptionKind(14), MissionHeader::DfxKind::Letter);
    EXPECT_EQ(MissionHeader::dfxOptionKind(21), MissionHeader::DfxKind::Letter);
    EXPECT_EQ(MissionHeader::dfxOptionKind(28), MissionHeader::DfxKind::Float);
    EXPECT_EQ(MissionHeader::dfxOptionKind(33), MissionHeader::DfxKind::Int);
}

TEST(RecordLayout, ObjectFieldsSitAtTheirOffsets) {
    MissionObjectRecord r;
    r.setText(MissionObjectRecord::objectName, "tower1");
    r.setInt32(MissionObjectRecord::position(2), -85400);
    r.setByte(MissionObjectRecord::readyMadeGroup, 1);
    r.setText(MissionObjectRecord::areaFile, "3");
    r.setInt16(MissionObjectRecord::pathPointTime(7), 0x0102);
    r.setFloat32(MissionObjectRecord::spinnerTime, 1.0f);
    r.setInt16(MissionObjectRecord::colorSpinColor(15), 0x0304);
    r.setText(MissionObjectRecord::pathLooping, "oneshot");
    r.setText(MissionObjectRecord::pathRotation, "rotate");
    r.setByte(MissionObjectRecord::ambientSoundActive, 1);
    EXPECT_EQ(textAt(r, 67, 7), std::string("tower1\0", 7));
    EXPECT_EQ(r.int32(zev::common::Int32Field{328}), -85400);
    EXPECT_EQ(r.bytes()[306], 1);
    EXPECT_EQ(r.bytes()[369], '3');
    EXPECT_EQ(r.bytes()[524 + 24 * 7 + 22], 0x02);
    EXPECT_EQ(r.bytes()[731], 0x3F); // 1.0f = 0x3F800000
    EXPECT_EQ(r.bytes()[766], 0x04);
    EXPECT_EQ(textAt(r, 784, 8), std::string("oneshot\0", 8));
    EXPECT_EQ(textAt(r, 799, 7), std::string("rotate\0", 7));
    EXPECT_EQ(r.bytes()[839], 1);
}

TEST(RecordLayout, SmallRecordsSitAtTheirOffsets) {
    NavPointRecord nav;
    nav.setText(NavPointRecord::actions, "BEGIN;RETURN");
    nav.setText(NavPointRecord::navText, "Nav Alpha");
    EXPECT_EQ(nav.bytes()[246], 'B');
    EXPECT_EQ(nav.bytes()[496], 'N');
    StartPointRecord sp;
    sp.setInt32(StartPointRecord::camouflage, 7);
    sp.setText(StartPointRecord::heading, "180");
    EXPECT_EQ(sp.bytes()[176], 7);
    EXPECT_EQ(sp.bytes()[105], '1');
    WeatherRecord w;
    w.setText(WeatherRecord::velocityY, "-15000");
    EXPECT_EQ(w.bytes()[54], '-');
    PaletteRecord p;
    p.setText(PaletteRecord::entry(19), "ALLWHT");
    p.setByte(PaletteRecord::flag, 1);
    EXPECT_EQ(p.bytes()[570], 'A');
    EXPECT_EQ(p.bytes()[600], 1);
    ObjectiveRow row;
    row.setText(ObjectiveRow::condition(7), "Comp 3");
    row.setText(ObjectiveRow::aiAttack, "2");
    row.setText(ObjectiveRow::screenText, "Go");
    EXPECT_EQ(row.bytes()[107 + 35 * 7], 'C');
    EXPECT_EQ(row.bytes()[412], '2');
    EXPECT_EQ(row.bytes()[527], 'G');
}
