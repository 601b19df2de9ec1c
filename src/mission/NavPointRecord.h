#pragma once

#include "common/ByteRecord.h"

#include <array>

namespace zev::mission {

// One nav point of a star. Only records with the in-use byte set exist for the user; the texts
// of an unused slot are kept but neither shown nor built.
class NavPointRecord : public common::ByteRecord<531> {
public:
    static constexpr common::ByteField inUse{0};
    static constexpr common::TextField x{1, 35};
    static constexpr common::TextField y{36, 35};
    static constexpr common::TextField z{71, 35};
    static constexpr common::TextField heading{106, 35};
    static constexpr common::TextField enabled{141, 35};
    static constexpr common::TextField groupId{176, 35};
    static constexpr common::TextField radius{211, 35};
    static constexpr common::TextField actions{246, 250};
    static constexpr common::TextField navText{496, 35};

    bool isInUse() const { return byte(inUse) != 0; }
};
static_assert(NavPointRecord::navText.end() == NavPointRecord::size);

constexpr int kStarCount = 8;
constexpr int kNavPointsPerStar = 25;

// A star is just its 25 nav point records in order.
using Star = std::array<NavPointRecord, kNavPointsPerStar>;

} // namespace zev::mission
