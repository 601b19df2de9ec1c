// Feeds arbitrary bytes to the custom palette file reader. An accepted image must carry the tag
// and at least 616 bytes, its names must fit their fields, and the image written back from them
// must read back the same names.

#include "mission/CustomPaletteFile.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zev::mission::CustomPaletteFile;
    const std::span<const std::uint8_t> image(data, size);
    const auto names = zev::mission::parseCustomPalette(image);
    if (!names)
        return 0;
    require(size >= CustomPaletteFile::size);
    for (const auto& name : *names)
        require(name.size() < CustomPaletteFile::entry(0).width &&
                name.find('\0') == std::string::npos);
    const auto again = zev::mission::parseCustomPalette(zev::mission::customPaletteImage(*names));
    require(again && *again == *names);
    return 0;
}
