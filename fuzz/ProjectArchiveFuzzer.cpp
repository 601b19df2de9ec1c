// Feeds arbitrary bytes to the project archive reader as an archive image: section lookups,
// entry reads, data reads, the index images built from it and the WTB.IDX parser.

#include "gamedata/ArchiveListing.h"
#include "gamedata/IndexFiles.h"
#include "gamedata/ProjectArchive.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace zev::gamedata;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> image(data, data + size);
    ProjectArchive archive;
    archive.openImage(image);

    // A tag taken from the input, besides the ones the editor asks for.
    const std::string ownTag(reinterpret_cast<const char*>(data), size < 4 ? size : 4);
    for (const std::string& tag :
         {std::string("POLY"), std::string("MEK"), std::string("BWD"), ownTag}) {
        SectionIndex section;
        if (!archive.FindSection(tag, section))
            continue;
        const std::uint32_t last = section.entryCount < 2000 ? section.entryCount + 1 : 2000;
        for (std::uint32_t k = 0; k <= last; ++k) {
            ArchiveEntry entry;
            if (archive.ReadEntry(section, entry, k)) {
                (void)listingLine(k, entry);
                if (entry.dataSize < (1u << 20))
                    (void)archive.readEntryData(entry);
            }
        }
    }
    for (IndexKind kind : {IndexKind::Poly, IndexKind::Mek, IndexKind::Chassis}) {
        std::uint32_t count = 0;
        const auto index = buildIndexImage(archive, kind, {}, {"vorlane", "ab"}, count);
        if (index && kind == IndexKind::Poly)
            (void)GeometryIndex::fromImage(*index).find("abc12");
    }
    std::uint8_t buffer[64];
    if (size >= 8) {
        const std::uint32_t offset = data[size - 1] | (data[size - 2] << 8);
        (void)archive.ReadAt(offset, buffer, data[size - 3], sizeof buffer);
        (void)archive.ReadNext(buffer, data[size - 4], sizeof buffer);
    }
    // The same bytes as an index file.
    const GeometryIndex geometry = GeometryIndex::fromImage(image);
    (void)geometry.find(ownTag);
    (void)geometry.find("");
    return 0;
}
