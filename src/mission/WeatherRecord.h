#pragma once

#include "common/ByteRecord.h"

namespace zev::mission {

class WeatherRecord : public common::ByteRecord<104> {
public:
    // 0 none, 1 rain, 2 hail, 3 snow
    static constexpr common::Int32Field type{0};
    static constexpr common::TextField parsec{4, 25};
    static constexpr common::TextField velocityX{29, 25};
    static constexpr common::TextField velocityY{54, 25};
    static constexpr common::TextField velocityZ{79, 25};
};
static_assert(WeatherRecord::velocityZ.end() == WeatherRecord::size);

} // namespace zev::mission
