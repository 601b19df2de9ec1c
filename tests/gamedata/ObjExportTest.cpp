#include "DecimalCommaLocale.h"

#include "gamedata/ObjExport.h"

#include <gtest/gtest.h>

namespace zev::gamedata {
namespace {

Mesh quadAndTriangle() {
    MeshGroup g;
    for (float x : {0.f, 1.f, 1.f, 0.f, 2.f, 3.f, 2.f})
        g.vertices.push_back({{x, 0.5f, -0.f}, {}, x, 1});
    g.faces = {{0, 4}, {4, 3}};
    Mesh m;
    m.groups.push_back(g);
    return m;
}

TEST(ObjExport, WritesPositionsTextureCoordinatesAndFacesInCornerOrder) {
    const Mesh m = quadAndTriangle();
    const std::string obj = meshesToObj({{"box", &m, {}}});
    EXPECT_EQ(obj, "# ZEVEDIT 3D export, workspace units\r\n"
                   "o box\r\n"
                   "v 0 0.5 0\r\nv 1 0.5 0\r\nv 1 0.5 0\r\nv 0 0.5 0\r\n"
                   "v 2 0.5 0\r\nv 3 0.5 0\r\nv 2 0.5 0\r\n"
                   "vt 0 1\r\nvt 1 1\r\nvt 1 1\r\nvt 0 1\r\nvt 2 1\r\nvt 3 1\r\nvt 2 1\r\n"
                   "f 1/1 2/2 3/3 4/4\r\n"
                   "f 5/5 6/6 7/7\r\n");
}

TEST(ObjExport, NumbersVerticesAcrossMeshesAndPlacesThem) {
    const Mesh m = quadAndTriangle();
    Placement moved;
    moved.position = {10, 0, 0};
    moved.rotationDegrees = {0, 0, 0};
    const std::string obj = meshesToObj({{"a", &m, {}}, {"b", &m, moved}});
    EXPECT_NE(obj.find("o b\r\nv 10 0.5 0\r\nv 11 0.5 0\r\n"), std::string::npos);
    EXPECT_NE(obj.find("f 8/8 9/9 10/10 11/11\r\nf 12/12 13/13 14/14\r\n"), std::string::npos);
}

TEST(ObjExport, KeepsTheDecimalPointUnderADecimalCommaLocale) {
    DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << comma.why();
    const Mesh m = quadAndTriangle();
    const std::string obj = meshesToObj({{"box", &m, {}}});
    EXPECT_NE(obj.find("v 0 0.5 0\r\n"), std::string::npos) << obj;
    EXPECT_EQ(obj.find("0,5"), std::string::npos);
}

TEST(Placement, ScalesThenTurnsAboutXThenYThenZThenMoves) {
    Placement p;
    p.scale = {2, 1, 1};
    p.rotationDegrees = {0, 90, 0};
    p.position = {0, 0, 5};
    const Vec3 q = p.apply({1, 0, 0}); // (2, 0, 0) turned 90 degrees about Y
    EXPECT_NEAR(q.x, 0, 1e-3);
    EXPECT_NEAR(q.z, 5 - 2, 1e-3);
    Placement xy;
    xy.rotationDegrees = {90, 90, 0};
    // X first takes (0, 1, 0) to (0, 0, 1); Y then takes it to (1, 0, 0).
    const Vec3 r = xy.apply({0, 1, 0});
    EXPECT_NEAR(r.x, 1, 1e-3);
    EXPECT_NEAR(r.y, 0, 1e-3);
    EXPECT_NEAR(r.z, 0, 1e-3);
}

} // namespace
} // namespace zev::gamedata
