#pragma once

#include <cstddef>

namespace zev::common {

// A control's character limit applies to typing only: a stored text longer than `limit` is shown
// and kept whole, so the control takes as many characters as the stored text has.
inline int typingLimit(int limit, std::size_t storedLength) {
    return storedLength > std::size_t(limit) ? int(storedLength) : limit;
}

} // namespace zev::common
