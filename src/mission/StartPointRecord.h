#pragma once

#include "common/ByteRecord.h"

namespace zev::mission {

// Where player p (1 to 8) starts: record p - 1.
class StartPointRecord : public common::ByteRecord<180> {
public:
    static constexpr common::TextField x{0, 35};
    static constexpr common::TextField y{35, 35};
    static constexpr common::TextField z{70, 35};
    static constexpr common::TextField heading{105, 35};
    static constexpr common::Int32Field camouflage{176};
};
static_assert(StartPointRecord::camouflage.end() == StartPointRecord::size);

constexpr int kPlayerCount = 8;

} // namespace zev::mission
