// Feeds arbitrary bytes to the mission file reader; a valid image must also survive a
// write-and-read round trip unchanged, and written with its own framing be the input again.

#include "mission/MissionFile.h"

#include <algorithm>
#include <cstdlib>

using namespace zev::mission;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto decoded = MissionFile::decode({data, size});
    if (!decoded.document)
        return 0;
    const MissionDocument& doc = *decoded.document;
    const auto again = MissionFile::decode(MissionFile::encode(doc, doc.objects.occupiedSlots()));
    if (!again.document || !(*again.document == doc))
        std::abort();
    const auto exact = MissionFile::encode(doc, doc.objects.occupiedSlots(), decoded.framing);
    if (!std::equal(exact.begin(), exact.end(), data, data + size))
        std::abort();
    return 0;
}
