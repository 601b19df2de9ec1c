#pragma once

#include "common/ByteRecord.h"

namespace zev::mission {

// Twenty palette and texture entry names and the custom palette flag.
class PaletteRecord : public common::ByteRecord<601> {
public:
    static constexpr int entryCount = 20;
    static constexpr common::TextField entry(int i) { return {30 * std::size_t(i), 30}; }
    static constexpr common::ByteField flag{600};
};
static_assert(PaletteRecord::entry(PaletteRecord::entryCount - 1).end() ==
              PaletteRecord::flag.offset);
static_assert(PaletteRecord::flag.end() == PaletteRecord::size);

} // namespace zev::mission
