// Any byte string as a briefing page: the converter must finish without a fault, and a page it
// accepts must end with the game's end mark.

#include "build/RtfBriefing.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const zev::build::BriefingConversion result =
        zev::build::convertBriefingRtf(std::span<const std::uint8_t>(data, size));
    if (result.ok &&
        (result.text.size() < 3 || result.text.compare(result.text.size() - 3, 3, "\n&X") != 0))
        std::abort();
    return 0;
}
