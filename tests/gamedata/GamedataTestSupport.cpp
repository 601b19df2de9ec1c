#include "GamedataTestSupport.h"

#include "common/FileIo.h"
#include "common/FixedText.h"
#include "common/LittleEndian.h"

#include <stdexcept>

namespace zev::gamedata::test {

ArchiveWriter knownArchive() {
    ArchiveWriter writer;
    auto& poly = writer.addSection("POLY");
    poly.addEntry("TOWER1", "tower1.geo", "tower geometry");
    poly.addEntry("ABC1", "abc1.xyz", "abc1 data");
    poly.addEntry("ABC12", "abc12.geo", "abc12 data");
    poly.addEntry("WALL", "wall.geo", "w");
    poly.addEntry("END", "end.end", "");
    auto& mek = writer.addSection("MEK");
    mek.addEntry("VRL00STD", "vrl00std.mek", "config");
    mek.addEntry("KST01HVY", "kst01hvy.mek", "config");
    mek.addEntry("MNT", "mnt.mek", "");
    mek.addEntry("END", "end.end", "");
    auto& bwd = writer.addSection("BWD");
    bwd.addEntry("VORLANE", "vorlane.bwd", "chassis");
    bwd.addEntry("HALBERD", "halberd.bwd", "chassis");
    bwd.addEntry("VORLXTRA", "vorlxtra.bwd", "chassis");
    bwd.addEntry("SOUNDFX", "soundfx.bwd", "sounds");
    bwd.addEntry("MANTIS", "mantis.bwd", "chassis");
    bwd.addEntry("END", "end.end", "");
    return writer;
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    auto data = common::readWholeFile(path);
    if (!data)
        throw std::runtime_error("cannot read " + path.string());
    return *data;
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    if (!common::writeWholeFile(path, bytes))
        throw std::runtime_error("cannot write " + path.string());
}

std::uint32_t u32At(const std::vector<std::uint8_t>& image, std::size_t offset) {
    return common::getU32(image.data() + offset);
}

void setU32(std::vector<std::uint8_t>& image, std::size_t offset, std::uint32_t value) {
    common::putU32(image.data() + offset, value);
}

void setU16(std::vector<std::uint8_t>& image, std::size_t offset, std::uint16_t value) {
    common::putU16(image.data() + offset, value);
}

std::string textAt(const std::vector<std::uint8_t>& image, std::size_t offset, std::size_t width) {
    return common::readFixedText(std::span<const std::uint8_t>(image.data() + offset, width));
}

} // namespace zev::gamedata::test
