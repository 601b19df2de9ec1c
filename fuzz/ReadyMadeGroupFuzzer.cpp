// Feeds arbitrary bytes to the ready-made group reader. The same bytes also stand in for the
// index and the archive: entry numbers map to offsets inside the input, so members get
// converted too.

#include "gamedata/ReadyMadeGroup.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace zev::gamedata;

class InputSource : public GroupGeometrySource {
public:
    explicit InputSource(std::span<const std::uint8_t> data) : data_(data) {}
    Lookup findEntry(std::int32_t entry, std::uint32_t& offset) override {
        if (entry == -1)
            return Lookup::IndexUnavailable;
        if (data_.empty() || entry % 3 == 0)
            return Lookup::Missing;
        offset = static_cast<std::uint32_t>(entry) % static_cast<std::uint32_t>(data_.size());
        return Lookup::Found;
    }
    bool geometryAt(std::uint32_t offset, std::vector<std::uint8_t>& bytes) override {
        if (offset % 7 == 6)
            return false;
        bytes.assign(data_.begin() + offset, data_.end());
        return true;
    }

private:
    std::span<const std::uint8_t> data_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    std::vector<ReadyMadeMemberRecord> members;
    std::string error;
    parseReadyMadeGroup(bytes, members, error);
    InputSource source(bytes);
    ReadyMadeGroup group;
    buildReadyMadeGroup(bytes, source, group, error);
    return 0;
}
