// The field descriptions of the mission records, which the JSON dump and load walk.

#include "mission/RecordFields.h"
#include "mission/MissionDocument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace zev::mission;

namespace {

const RecordField& field(const RecordFields& fields, const std::string& name) {
    for (const RecordField& f : fields.fields)
        if (f.name == name)
            return f;
    throw std::invalid_argument("no field " + name);
}

std::vector<std::pair<std::size_t, std::size_t>> gapsOf(const RecordFields& fields) {
    std::vector<std::pair<std::size_t, std::size_t>> out;
    for (const ByteRange& g : fields.gaps)
        out.emplace_back(g.offset, g.width);
    return out;
}

} // namespace

TEST(RecordFields, CoverEveryByteOfTheirRecordOnceAndLeaveOnlyTheUnusedRanges) {
    const std::vector<std::pair<const RecordFields*, std::size_t>> all = {
        {&headerFields(), MissionHeader::size},
        {&startPointFields(), StartPointRecord::size},
        {&navPointFields(), NavPointRecord::size},
        {&objectiveTimeLimitFields(), ObjectiveTable::timeLimitWidth},
        {&objectiveRowFields(), ObjectiveRow::size},
        {&weatherFields(), WeatherRecord::size},
        {&paletteFields(), PaletteRecord::size},
        {&missionObjectFields(), MissionObjectRecord::size},
    };
    for (const auto& [fields, size] : all) {
        EXPECT_EQ(fields->size, size);
        std::size_t covered = 0;
        std::set<std::string> names;
        for (const RecordField& f : fields->fields) {
            covered += f.width;
            EXPECT_TRUE(names.insert(f.name).second) << f.name;
        }
        for (const ByteRange& g : fields->gaps)
            covered += g.width;
        EXPECT_EQ(covered, size);
    }
    using Gaps = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(gapsOf(headerFields()), (Gaps{{77, 3}, {596, 32}}));
    EXPECT_EQ(gapsOf(startPointFields()), (Gaps{{140, 36}}));
    EXPECT_TRUE(navPointFields().gaps.empty());
    EXPECT_TRUE(objectiveRowFields().gaps.empty());
    EXPECT_TRUE(weatherFields().gaps.empty());
    EXPECT_TRUE(paletteFields().gaps.empty());
    // The padding of the object record: behind the targeting info and the flags, in each path
    // point and in the animation tasks.
    const Gaps objectGaps = gapsOf(missionObjectFields());
    EXPECT_EQ(objectGaps.size(), 2u + 8u + 8u);
    EXPECT_EQ(objectGaps[0], (std::pair<std::size_t, std::size_t>{297, 3}));
    EXPECT_EQ(objectGaps[1], (std::pair<std::size_t, std::size_t>{307, 1}));
    EXPECT_EQ(objectGaps[9], (std::pair<std::size_t, std::size_t>{525 + 7 * 24, 3}));
    EXPECT_EQ(objectGaps.back(), (std::pair<std::size_t, std::size_t>{817, 3}));
}

TEST(RecordFields, ReadAndWriteTheBytesTheTypedAccessorsUse) {
    MissionHeader h;
    h.setInt32(MissionHeader::fog, -7);
    h.setFloat32(MissionHeader::dfxFloat(35), 0.05f);
    EXPECT_EQ(integerAt(h.bytes(), field(headerFields(), "fog")), -7);
    EXPECT_EQ(floatAt(h.bytes(), field(headerFields(), "dfx_options[35]")), 0.05f);
    const RecordField& letter = field(headerFields(), "dfx_options[14]");
    EXPECT_EQ(letter.offset, 688u);
    EXPECT_EQ(letter.kind, FieldKind::Text);

    ObjectiveRow row;
    setIntegerAt(row.bytes(), field(objectiveRowFields(), "activation_count"), -1);
    EXPECT_EQ(row.conditionsInUse(), -1);
    EXPECT_EQ(row.byte(ObjectiveRow::activationCount), 255);
    EXPECT_EQ(field(objectiveRowFields(), "combination").words,
              (std::vector<std::string>{"and", "or"}));

    MissionObjectRecord r;
    setIntegerAt(r.bytes(), field(missionObjectFields(), "path_points[7].time"), -32768);
    setIntegerAt(r.bytes(), field(missionObjectFields(), "position[2]"), 2147483647);
    EXPECT_EQ(r.int16(MissionObjectRecord::pathPointTime(7)), -32768);
    EXPECT_EQ(r.int32(MissionObjectRecord::position(2)), 2147483647);
    EXPECT_TRUE(field(navPointFields(), "in_use").fullOnly);
}

TEST(RecordFields, TellAPlainTextFromStaleBytesAndAMissingTerminator) {
    NavPointRecord r;
    const RecordField& text = field(navPointFields(), "text");
    r.setText(NavPointRecord::navText, "Nav Alpha");
    EXPECT_TRUE(textIsPlain(r.bytes(), text));
    r.bytes()[NavPointRecord::navText.offset] = 0; // emptied, "av Alpha" left behind
    EXPECT_FALSE(textIsPlain(r.bytes(), text));
    EXPECT_TRUE(textIsTerminated(r.bytes(), text));
    std::fill_n(r.bytes().begin() + NavPointRecord::navText.offset, 35, 'x');
    EXPECT_FALSE(textIsTerminated(r.bytes(), text));
}
