// Feeds arbitrary bytes to the mission package reader, as "zevedit-cli unpack" reads a package,
// and checks that what it returns is consistent with the input.

#include "build/MissionPackage.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto contents = zev::build::readPackage(std::span(data, size));
    std::size_t consumed = 0;
    bool namesFit = true;
    for (const auto& m : contents.members) {
        // A name field without a terminator gives a name of the whole field width.
        if (m.name.empty() || m.name.size() > zev::build::kPackageNameWidth)
            std::abort();
        namesFit = namesFit && zev::build::fitsPackageName(m.name);
        consumed += zev::build::kPackageBlockSize + m.data.size();
        (void)zev::build::isSafeMemberName(m.name);
    }
    if (consumed > size)
        std::abort();
    // A package written from what was read reads back the same.
    if (contents.error == zev::build::PackageError::None && namesFit &&
        zev::build::readPackage(zev::build::packageImage(contents.members)).members !=
            contents.members)
        std::abort();
    return 0;
}
