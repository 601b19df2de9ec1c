#include "StarFiles.h"

#include "common/FixedText.h"
#include "common/LittleEndian.h"

#include <cstring>
#include <span>

namespace zev::build {

namespace {

template <std::size_t N>
void putChars(std::array<std::uint8_t, N>& out, std::size_t at, const char* text,
              std::size_t count) {
    std::memcpy(out.data() + at, text, count);
}

} // namespace

std::string starFileName(int number) {
    return "en0" + std::to_string(number) + "star.bwd";
}

const std::array<std::uint8_t, kEmptyStarFileSize>& emptyStarFile() {
    static const std::array<std::uint8_t, kEmptyStarFileSize> file = [] {
        std::array<std::uint8_t, kEmptyStarFileSize> f{};
        putChars(f, 0, "BWD", 4);
        common::putU32(f.data() + 4, kEmptyStarFileSize);
        common::putU32(f.data() + 8, 28);
        putChars(f, 12, "REV", 4);
        common::putU32(f.data() + 16, 12);
        putChars(f, 20, "1.22", 4);
        putChars(f, 24, "DTBL", 4);
        common::putU32(f.data() + 28, 28);
        return f;
    }();
    return file;
}

std::array<std::uint8_t, kPlayerStarFileSize> playerStarFile(std::string_view chassis,
                                                             std::uint16_t chassisNumber,
                                                             std::string_view configuration,
                                                             std::uint16_t configurationNumber) {
    std::array<std::uint8_t, kPlayerStarFileSize> f{};
    putChars(f, 0, "BWD", 4);
    common::putU32(f.data() + 4, kPlayerStarFileSize);
    common::putU32(f.data() + 8, 100);
    putChars(f, 12, "REV", 4);
    common::putU32(f.data() + 16, 12);
    putChars(f, 20, "1.22", 4);
    putChars(f, 24, "DTBL", 4);
    common::putU32(f.data() + 28, 28);
    putChars(f, 52, "GPS", 4);
    common::putU32(f.data() + 56, 100);
    common::putU16(f.data() + 60, configurationNumber);
    common::putU16(f.data() + 62, chassisNumber);
    f[64] = 0;
    f[65] = 1;
    common::putU16(f.data() + 84, 6);
    common::putU16(f.data() + 86, 1024);
    common::writeFixedText(std::span(f).subspan(88, 9), chassis);
    common::writeFixedText(std::span(f).subspan(97, 9), configuration);
    putChars(f, 106, "ZEVEDIT3D", 10);
    return f;
}

} // namespace zev::build
