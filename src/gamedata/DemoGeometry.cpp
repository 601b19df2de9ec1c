#include "gamedata/DemoGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace zev::gamedata::demo {

namespace {

struct P {
    double x = 0, y = 0, z = 0;
};
P operator+(P a, P b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
P operator-(P a, P b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

using Ring = std::vector<P>;

enum class Axis { X, Y, Z };

// A small deterministic generator, so the demo data are the same on every run.
class Jitter {
public:
    explicit Jitter(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    // A factor between 1 - amount and 1 + amount.
    double factor(double amount) {
        state_ = state_ * 1664525u + 1013904223u;
        const double unit = double(state_ >> 8) / double(1u << 24);
        return 1.0 + amount * (2.0 * unit - 1.0);
    }

private:
    std::uint32_t state_;
};

// Builds a geometry from solids. Faces are handed in any winding and stored the way the game
// keeps them: clockwise as seen from outside (right-handed, y up), so that the converter's
// reversal gives counter-clockwise outward faces.
class Shape {
public:
    GameGeometry geometry;

    void box(P base, double w, double h, double d) {
        const double x0 = base.x - w / 2, x1 = base.x + w / 2;
        const double y0 = base.y, y1 = base.y + h;
        const double z0 = base.z - d / 2, z1 = base.z + d / 2;
        const P center{base.x, base.y + h / 2, base.z};
        face({{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}}, center);
        face({{x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}}, center);
        face({{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0}}, center);
        face({{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}}, center);
        face({{x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}}, center);
        face({{x1, y0, z0}, {x1, y0, z1}, {x1, y1, z1}, {x1, y1, z0}}, center);
    }

    // A solid between two rings of the same number of corners (3 to 7): two caps and the sides.
    void frustum(const Ring& a, const Ring& b) {
        const P center = mid(mean(a), mean(b));
        face(a, center);
        face(b, center);
        for (std::size_t i = 0; i < a.size(); ++i) {
            const std::size_t j = (i + 1) % a.size();
            face({a[i], a[j], b[j], b[i]}, center);
        }
    }

    // A cone or pyramid: a base ring (3 to 7 corners) and an apex.
    void cone(const Ring& base, P apex) {
        const P center = mid(mean(base), apex);
        face(base, center);
        for (std::size_t i = 0; i < base.size(); ++i)
            face({base[i], base[(i + 1) % base.size()], apex}, center);
    }

    // A roof ridge along z over a box footprint of width w and depth d.
    void gableRoof(P base, double w, double rise, double d) {
        const double z0 = base.z - d / 2, z1 = base.z + d / 2;
        const Ring front{{base.x - w / 2, base.y, z0},
                         {base.x + w / 2, base.y, z0},
                         {base.x, base.y + rise, z0}};
        Ring back = front;
        for (P& p : back)
            p.z = z1;
        frustum(front, back);
    }

private:
    static P mean(const Ring& r) {
        P m;
        for (const P& p : r)
            m = m + p;
        return {m.x / double(r.size()), m.y / double(r.size()), m.z / double(r.size())};
    }
    static P mid(P a, P b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2}; }

    void face(Ring points, P inside) {
        // Newell's normal of the polygon as given.
        P n;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const P& c = points[i];
            const P& d = points[(i + 1) % points.size()];
            n.x += (c.y - d.y) * (c.z + d.z);
            n.y += (c.z - d.z) * (c.x + d.x);
            n.z += (c.x - d.x) * (c.y + d.y);
        }
        const P out = mean(points) - inside;
        // Make the given order counter-clockwise from outside, then store it the other way.
        if (n.x * out.x + n.y * out.y + n.z * out.z < 0)
            std::reverse(points.begin(), points.end());
        std::reverse(points.begin(), points.end());

        const std::size_t count = points.size();
        std::vector<std::int16_t> indices;
        for (std::size_t i = 0; i < count; ++i) {
            GameVertex v;
            v.x = std::int32_t(std::lround(points[i].x));
            v.y = std::int32_t(std::lround(points[i].y));
            v.z = std::int32_t(std::lround(points[i].z));
            if (count == 4) {
                static constexpr std::int16_t us[] = {0, 100, 100, 0}, vs[] = {0, 0, 100, 100};
                v.u = us[i];
                v.v = vs[i];
            } else if (count == 3) {
                static constexpr std::int16_t us[] = {0, 100, 50}, vs[] = {0, 0, 100};
                v.u = us[i];
                v.v = vs[i];
            } else {
                const double a = 2 * std::numbers::pi * double(i) / double(count);
                v.u = std::int16_t(std::lround(50 + 50 * std::cos(a)));
                v.v = std::int16_t(std::lround(50 + 50 * std::sin(a)));
            }
            indices.push_back(std::int16_t(geometry.vertices.size()));
            geometry.vertices.push_back(v);
        }
        geometry.faces.push_back(std::move(indices));
    }
};

// n corners around `center` in the plane across `axis`, radius r, optional radius jitter.
Ring ring(int n, P center, double r, Axis axis = Axis::Y, double phase = 0,
          Jitter* jitter = nullptr, double amount = 0) {
    Ring out;
    for (int i = 0; i < n; ++i) {
        const double a = phase + 2 * std::numbers::pi * i / n;
        const double radius = r * (jitter ? jitter->factor(amount) : 1.0);
        const double c = radius * std::cos(a), s = radius * std::sin(a);
        switch (axis) {
        case Axis::Y:
            out.push_back(center + P{c, 0, s});
            break;
        case Axis::X:
            out.push_back(center + P{0, c, s});
            break;
        case Axis::Z:
            out.push_back(center + P{c, s, 0});
            break;
        }
    }
    return out;
}

// An upright prism of n sides on `base`.
void prism(Shape& s, int n, P base, double r, double h, double phase = 0) {
    s.frustum(ring(n, base, r, Axis::Y, phase), ring(n, base + P{0, h, 0}, r, Axis::Y, phase));
}

// A prism lying along `axis` (x or z), centred on `center`, of length len.
void lyingPrism(Shape& s, int n, P center, double r, double len, Axis axis) {
    const P half = axis == Axis::X ? P{len / 2, 0, 0} : P{0, 0, len / 2};
    s.frustum(ring(n, center - half, r, axis), ring(n, center + half, r, axis));
}

// A lumpy solid: rings of varying radius stacked up.
void lump(Shape& s, int n, P base, double r, double h, std::uint32_t seed) {
    Jitter j(seed);
    const Ring bottom = ring(n, base, r * 0.8, Axis::Y, 0.3, &j, 0.25);
    const Ring middle = ring(n, base + P{r * 0.1, h * 0.45, 0}, r, Axis::Y, 0.1, &j, 0.25);
    const Ring top = ring(n, base + P{-r * 0.1, h, r * 0.05}, r * 0.45, Axis::Y, 0.5, &j, 0.3);
    s.frustum(bottom, middle);
    s.frustum(middle, top);
}

void wheels(Shape& s, double halfTrack, double front, double back, double r, double width, int n) {
    for (double x : {-halfTrack, halfTrack})
        for (double z : {front, back})
            lyingPrism(s, n, {x, r, z}, r, width, Axis::X);
}

using Builder = void (*)(Shape&);

struct Entry {
    const char* stem;
    const char* kind;
    const char* menuText;
    Builder build;
};

const Entry kCatalogue[] = {
    // Buildings.
    {"bunker", "building", "Bunker",
     [](Shape& s) {
         s.box({0, 0, 0}, 1200, 400, 1000);
         s.box({0, 400, 0}, 800, 100, 600);
     }},
    {"hangar", "building", "Hangar",
     [](Shape& s) {
         s.box({0, 0, 0}, 3000, 800, 2000);
         s.gableRoof({0, 800, 0}, 3000, 600, 2000);
     }},
    {"barracks", "building", "Barracks",
     [](Shape& s) {
         s.box({0, 0, 0}, 2000, 500, 800);
         s.gableRoof({0, 500, 0}, 2000, 300, 800);
     }},
    {"command", "building", "Command Post",
     [](Shape& s) {
         prism(s, 7, {0, 0, 0}, 800, 600);
         s.cone(ring(7, {0, 600, 0}, 800), {0, 1100, 0});
         s.box({0, 1100, 0}, 200, 800, 200);
     }},
    {"factory", "building", "Factory",
     [](Shape& s) {
         s.box({0, 0, 0}, 2500, 900, 1800);
         prism(s, 5, {-700, 900, -400}, 200, 1500);
         prism(s, 5, {700, 900, -400}, 200, 1500);
     }},
    {"silo", "building", "Grain Silo",
     [](Shape& s) {
         prism(s, 6, {0, 0, 0}, 500, 1800);
         s.cone(ring(6, {0, 1800, 0}, 500), {0, 2300, 0});
     }},
    {"depot", "building", "Supply Depot",
     [](Shape& s) {
         s.box({0, 0, 0}, 2400, 700, 1400);
         s.box({0, 0, 750}, 1000, 500, 100);
     }},
    {"hut", "building", "Hut",
     [](Shape& s) {
         s.box({0, 0, 0}, 500, 300, 500);
         s.cone(ring(4, {0, 300, 0}, 400, Axis::Y, std::numbers::pi / 4), {0, 600, 0});
     }},
    // Towers.
    {"radartwr", "tower", "Radar Tower",
     [](Shape& s) {
         s.frustum(ring(4, {0, 0, 0}, 600, Axis::Y, std::numbers::pi / 4),
                   ring(4, {0, 2500, 0}, 200, Axis::Y, std::numbers::pi / 4));
         s.frustum(ring(6, {0, 2500, 0}, 300), ring(6, {0, 2900, 0}, 900));
     }},
    {"watchtwr", "tower", "Watch Tower",
     [](Shape& s) {
         for (double x : {-300.0, 300.0})
             for (double z : {-300.0, 300.0})
                 s.box({x, 0, z}, 200, 1500, 200);
         s.box({0, 1500, 0}, 900, 100, 900);
         s.cone(ring(4, {0, 1900, 0}, 700, Axis::Y, std::numbers::pi / 4), {0, 2400, 0});
     }},
    {"pylon", "tower", "Power Pylon",
     [](Shape& s) {
         s.frustum(ring(4, {0, 0, 0}, 500, Axis::Y, std::numbers::pi / 4),
                   ring(4, {0, 4000, 0}, 100, Axis::Y, std::numbers::pi / 4));
         s.box({0, 3400, 0}, 1800, 100, 200);
     }},
    {"comtower", "tower", "Communications Tower",
     [](Shape& s) {
         prism(s, 5, {0, 0, 0}, 300, 3000);
         s.box({0, 3000, 0}, 200, 1200, 200);
         s.box({0, 2600, 0}, 700, 200, 700);
     }},
    {"lighttwr", "tower", "Light Tower",
     [](Shape& s) {
         prism(s, 7, {0, 0, 0}, 400, 2000);
         prism(s, 7, {0, 2000, 0}, 500, 300);
         s.cone(ring(7, {0, 2300, 0}, 500), {0, 2800, 0});
     }},
    // Walls.
    {"wallshrt", "wall", "Wall Short",
     [](Shape& s) {
         s.box({0, 0, 0}, 1000, 400, 200);
     }},
    {"walllong", "wall", "Wall Long",
     [](Shape& s) {
         s.box({0, 0, 0}, 4000, 400, 200);
         for (int i = 0; i < 8; ++i)
             s.box({-1750.0 + 500 * i, 400, 0}, 200, 100, 200);
     }},
    {"wallcrnr", "wall", "Wall Corner",
     [](Shape& s) {
         s.box({500, 0, 0}, 1200, 400, 200);
         s.box({0, 0, 500}, 200, 400, 1000);
         prism(s, 6, {0, 0, 0}, 200, 600);
     }},
    {"wallgate", "wall", "Wall Gate",
     [](Shape& s) {
         s.box({-800, 0, 0}, 300, 700, 300);
         s.box({800, 0, 0}, 300, 700, 300);
         s.box({0, 700, 0}, 1900, 200, 300);
     }},
    {"fence", "wall", "Fence",
     [](Shape& s) {
         for (int i = 0; i < 5; ++i)
             s.box({-1000.0 + 500 * i, 0, 0}, 200, 300, 200);
         s.box({0, 100, 0}, 2100, 100, 200);
         s.box({0, 250, 0}, 2100, 100, 200);
     }},
    // Rocks.
    {"rocksml", "rock", "Rock Small",
     [](Shape& s) {
         lump(s, 5, {0, 0, 0}, 300, 300, 11);
     }},
    {"rockmed", "rock", "Rock Medium",
     [](Shape& s) {
         lump(s, 6, {0, 0, 0}, 700, 600, 23);
     }},
    {"rocklrg", "rock", "Rock Large",
     [](Shape& s) {
         lump(s, 7, {0, 0, 0}, 1400, 1200, 37);
         lump(s, 5, {1200, 0, 500}, 600, 500, 41);
     }},
    {"boulder", "rock", "Boulder",
     [](Shape& s) {
         Jitter j(53);
         const Ring r0 = ring(6, {0, 0, 0}, 500, Axis::Y, 0, &j, 0.2);
         const Ring r1 = ring(6, {0, 500, 0}, 900, Axis::Y, 0.2, &j, 0.2);
         const Ring r2 = ring(6, {0, 1100, 0}, 700, Axis::Y, 0.4, &j, 0.2);
         const Ring r3 = ring(6, {0, 1500, 0}, 300, Axis::Y, 0.6, &j, 0.2);
         s.frustum(r0, r1);
         s.frustum(r1, r2);
         s.frustum(r2, r3);
     }},
    {"cliff", "rock", "Cliff Face",
     [](Shape& s) {
         Jitter j(67);
         s.frustum(ring(7, {0, 0, 0}, 3000, Axis::Y, 0, &j, 0.3),
                   ring(7, {300, 1500, 200}, 2200, Axis::Y, 0.2, &j, 0.3));
     }},
    // Trees.
    {"pine", "tree", "Pine Tree",
     [](Shape& s) {
         prism(s, 5, {0, 0, 0}, 150, 600);
         s.cone(ring(7, {0, 600, 0}, 700), {0, 1600, 0});
         s.cone(ring(7, {0, 1200, 0}, 500), {0, 2100, 0});
     }},
    {"oak", "tree", "Oak Tree",
     [](Shape& s) {
         prism(s, 6, {0, 0, 0}, 200, 700);
         lump(s, 6, {0, 700, 0}, 1000, 1100, 79);
     }},
    {"palm", "tree", "Palm Tree",
     [](Shape& s) {
         s.frustum(ring(5, {0, 0, 0}, 200), ring(5, {200, 1800, 0}, 100));
         s.frustum(ring(5, {200, 1800, 0}, 1000), ring(5, {200, 1900, 0}, 300));
     }},
    {"deadtree", "tree", "Dead Tree",
     [](Shape& s) {
         s.frustum(ring(5, {0, 0, 0}, 200), ring(5, {0, 1400, 0}, 100));
         s.box({300, 800, 0}, 600, 100, 200);
         s.box({-200, 1100, 0}, 200, 500, 200);
     }},
    {"bush", "tree", "Bush",
     [](Shape& s) {
         lump(s, 6, {0, 0, 0}, 400, 300, 97);
     }},
    // Vehicles.
    {"truck", "vehicle", "Cargo Truck",
     [](Shape& s) {
         s.box({0, 200, -300}, 800, 600, 1600);
         s.box({0, 200, 800}, 800, 500, 600);
         wheels(s, 400, 800, -600, 200, 200, 7);
     }},
    {"tank", "vehicle", "Battle Tank",
     [](Shape& s) {
         s.box({-550, 0, 0}, 300, 300, 2000);
         s.box({550, 0, 0}, 300, 300, 2000);
         s.frustum(ring(4, {0, 200, 0}, 1100, Axis::Y, std::numbers::pi / 4),
                   ring(4, {0, 500, 0}, 900, Axis::Y, std::numbers::pi / 4));
         prism(s, 6, {0, 500, 0}, 500, 300);
         lyingPrism(s, 5, {0, 650, 900}, 100, 1200, Axis::Z);
     }},
    {"jeep", "vehicle", "Scout Jeep",
     [](Shape& s) {
         s.box({0, 200, 0}, 700, 300, 1300);
         s.box({0, 500, -200}, 700, 100, 500);
         wheels(s, 350, 400, -400, 200, 100, 6);
     }},
    {"hovercar", "vehicle", "Hover Car",
     [](Shape& s) {
         s.frustum(ring(6, {0, 200, 0}, 900), ring(6, {0, 500, 0}, 600));
         s.box({0, 500, -500}, 200, 400, 300);
     }},
    {"dropship", "vehicle", "Drop Ship",
     [](Shape& s) {
         lyingPrism(s, 7, {0, 800, 0}, 700, 4000, Axis::Z);
         s.cone(ring(7, {0, 800, 2000}, 700, Axis::Z), {0, 800, 3200});
         s.box({0, 700, -300}, 5000, 100, 1200);
         s.box({0, 1400, -1700}, 200, 1000, 600);
     }},
    // Landing pad.
    {"landpad", "pad", "Landing Pad",
     [](Shape& s) {
         prism(s, 6, {0, 0, 0}, 2500, 100);
         s.box({-500, 100, 0}, 200, 100, 1400);
         s.box({500, 100, 0}, 200, 100, 1400);
         s.box({0, 100, 0}, 800, 100, 200);
         for (int i = 0; i < 6; ++i) {
             const double a = 2 * std::numbers::pi * i / 6;
             s.box({2300 * std::cos(a), 100, 2300 * std::sin(a)}, 200, 300, 200);
         }
     }},
    // Props.
    {"fueltank", "prop", "Fuel Tank",
     [](Shape& s) {
         s.box({-800, 0, 0}, 200, 400, 800);
         s.box({800, 0, 0}, 200, 400, 800);
         lyingPrism(s, 7, {0, 800, 0}, 500, 2400, Axis::X);
     }},
    {"crate", "prop", "Supply Crate",
     [](Shape& s) {
         s.box({0, 0, 0}, 300, 300, 300);
     }},
    {"barrel", "prop", "Barrel",
     [](Shape& s) {
         prism(s, 7, {0, 0, 0}, 150, 400);
     }},
    {"beacon", "prop", "Nav Beacon",
     [](Shape& s) {
         prism(s, 5, {0, 0, 0}, 300, 200);
         s.cone(ring(5, {0, 200, 0}, 200), {0, 900, 0});
     }},
    {"antenna", "prop", "Antenna Mast",
     [](Shape& s) {
         s.box({0, 0, 0}, 500, 200, 500);
         s.box({0, 200, 0}, 200, 3000, 200);
         s.box({0, 2800, 0}, 800, 100, 200);
     }},
    {"rubble", "prop", "Rubble",
     [](Shape& s) {
         lump(s, 5, {-300, 0, 0}, 500, 200, 101);
         lump(s, 6, {400, 0, 200}, 400, 300, 103);
         lump(s, 3, {0, 0, -400}, 300, 200, 107);
     }},
};

} // namespace

const std::vector<DemoGeometry>& demoGeometries() {
    static const std::vector<DemoGeometry> all = [] {
        std::vector<DemoGeometry> out;
        for (const Entry& e : kCatalogue) {
            Shape shape;
            e.build(shape);
            out.push_back({e.stem, e.kind, e.menuText, std::move(shape.geometry)});
        }
        return out;
    }();
    return all;
}

} // namespace zev::gamedata::demo
