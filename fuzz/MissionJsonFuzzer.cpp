// Feeds arbitrary text to the whole "load" path: the JSON text reader, then the conversion into
// a mission. Nothing may throw or crash; a refusal always says why; a mission it makes must be
// one Open takes, and its dump must load again as the same mission.

#include "MissionJson.h"
#include "MissionJsonText.h"

#include "mission/MissionFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zev;
    const auto parsed =
        cli::parseMissionJsonText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed.value) {
        require(!parsed.problem.empty());
        return 0;
    }
    const cli::MissionFromJson loaded = cli::missionFromJson(*parsed.value);
    if (!loaded.document) {
        require(!loaded.refusal.empty());
        return 0;
    }
    const auto image = mission::MissionFile::encode(
        *loaded.document, loaded.document->objects.occupiedSlots(), loaded.framing);
    const mission::MissionFile::Decoded decoded = mission::MissionFile::decode(image);
    require(decoded.error == mission::MissionFile::DecodeError::None);

    const auto dumped = cli::missionToJson(*decoded.document, decoded.framing, true);
    const cli::MissionFromJson again = cli::missionFromJson(dumped);
    require(again.document != nullptr);
    require(mission::MissionFile::encode(*again.document, again.document->objects.occupiedSlots(),
                                         again.framing) == image);
    return 0;
}
