#include "edit/ObjectViewerModel.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace zev;
using namespace zev::edit;
using gamedata::GeometryIndexRecord;

namespace {

void AddRecord(std::vector<std::uint8_t>& image, const std::string& name, std::int32_t offset) {
    GeometryIndexRecord record;
    record.setText(GeometryIndexRecord::longName, name);
    record.setInt32(GeometryIndexRecord::dataOffset, offset);
    image.insert(image.end(), record.bytes().begin(), record.bytes().end());
}

// A WTB.IDX image: the header, the empty first record, then the names given with offsets
// 100, 200, ...
std::vector<std::uint8_t> IndexImage(const std::vector<std::string>& names) {
    std::vector<std::uint8_t> image(gamedata::kIndexHeaderSize, 0);
    AddRecord(image, "", 0);
    std::int32_t offset = 100;
    for (const std::string& name : names) {
        AddRecord(image, name, offset);
        offset += 100;
    }
    return image;
}

engine::Box BoxOf(engine::Vector3 min, engine::Vector3 max) {
    engine::Box box;
    box.Include(min);
    box.Include(max);
    return box;
}

} // namespace

TEST(ObjectViewerModel, ListsNamesLongerThanFourCharactersInFileOrderAndFindsExactNamesOnly) {
    std::vector<std::uint8_t> image =
        IndexImage({"zeta.geo", "abcd", "a.b", "wall1.geo", "abcde", "zeta.geo", "tower.geo"});
    image.resize(image.size() + 10); // a partial record at the end is no record
    EXPECT_EQ(viewerObjectNames(image), (std::vector<std::string>{"zeta.geo", "wall1.geo", "abcde",
                                                                  "zeta.geo", "tower.geo"}));
    EXPECT_TRUE(viewerObjectNames(std::vector<std::uint8_t>(100, 0)).empty());

    // The first of two equal names; no prefix match as the workspace's lookup makes.
    EXPECT_EQ(findExactGeometryRecord(image, "zeta.geo")->int32(GeometryIndexRecord::dataOffset),
              100);
    EXPECT_EQ(findExactGeometryRecord(image, "tower.geo")->int32(GeometryIndexRecord::dataOffset),
              700);
    EXPECT_FALSE(findExactGeometryRecord(image, "zeta"));
    EXPECT_FALSE(findExactGeometryRecord(image, "wall1.geoX"));
}

TEST(ObjectViewerModel, ReadsTheProgramDirectorysIndexAndReportsAMissingOne) {
    TempDir dir;
    ObjectViewerModel model(dir.path());
    common::RecordingReporter reporter;
    EXPECT_FALSE(model.LoadNames(reporter));
    EXPECT_TRUE(model.Names().empty());
    EXPECT_FALSE(model.FindRecord("bunker.geo", reporter));
    const common::ReportedMessage missing{"Could Not open WTB.IDX", "Error...",
                                          common::MessageIcon::Stop};
    EXPECT_EQ(reporter.messages, (std::vector<common::ReportedMessage>{missing, missing}));

    const std::vector<std::uint8_t> image = IndexImage({"bunker.geo", "pad"});
    std::ofstream(dir.path() / "wtb.idx", std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    reporter.messages.clear();
    EXPECT_TRUE(model.LoadNames(reporter));
    EXPECT_EQ(model.Names(), std::vector<std::string>{"bunker.geo"});
    EXPECT_EQ(model.FindRecord("bunker.geo", reporter)->int32(GeometryIndexRecord::dataOffset),
              100);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(ObjectViewerModel, FitsTinyAndHugeObjectsToThirtyUnitsAndCutsDatabaseNames) {
    EXPECT_DOUBLE_EQ(viewerFitScale(BoxOf({-0.1, 0, 0}, {0.1, 0.05, 0.02})), 150.0);
    EXPECT_DOUBLE_EQ(viewerFitScale(BoxOf({0, -900, 0}, {10, 3000, 600})), 30.0 / 3900.0);
    EXPECT_DOUBLE_EQ(viewerFitScale(engine::Box{}), 1.0);
    EXPECT_DOUBLE_EQ(viewerFitScale(BoxOf({2, 2, 2}, {2, 2, 2})), 1.0);

    EXPECT_EQ(databaseGeometryName("bunker.geo"), "bunker");
    EXPECT_EQ(databaseGeometryName("a.b.c"), "a");
    EXPECT_EQ(databaseGeometryName("noext"), "noext");
}

TEST(ObjectViewerModel, StartsSolidGouraudLitAndMenusReplaceOnlyTheirBits) {
    ObjectViewerModel model({});
    EXPECT_EQ(model.Quality().Value(), 0x89u);
    model.SetFill(engine::FillMode::Points);
    model.SetShade(engine::ShadeMode::Phong);
    EXPECT_EQ(model.Quality().Value(), 0x0Au);
    model.SetFill(engine::FillMode::Wireframe);
    EXPECT_EQ(model.Quality().Value(), 0x4Au);
    model.SetShade(engine::ShadeMode::Flat);
    model.SetFill(engine::FillMode::Solid);
    EXPECT_EQ(model.Quality().Value(), 0x88u);
}
