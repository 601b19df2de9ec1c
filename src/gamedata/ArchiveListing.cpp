#include "ArchiveListing.h"

#include "common/FileIo.h"

#include <cstdio>

namespace zev::gamedata {

std::string listingLine(std::uint32_t number, const ArchiveEntry& entry) {
    char line[96];
    std::snprintf(line, sizeof line, "%4d.  %08lX  %-8s  %-12s  %6ld", static_cast<int>(number),
                  static_cast<unsigned long>(entry.dataOffset), entry.shortName, entry.longName,
                  // The listing prints the size as a signed 32-bit number.
                  static_cast<long>(static_cast<std::int32_t>(entry.dataSize)));
    return line;
}

std::uint32_t ListSection(ProjectArchive& archive, std::string_view tag,
                          const std::filesystem::path& listingPath, std::string& diagnostic) {
    SectionIndex section;
    if (!archive.FindSection(tag, section)) {
        diagnostic = "Can't find index for " + std::string(tag) + " in ZEV.PRJ\n";
        return 0;
    }
    std::string text;
    for (std::uint32_t number = 0; number < section.entryCount; ++number) {
        ArchiveEntry entry;
        const EntryReadStatus status = archive.readEntryStatus(section, entry, number);
        if (status == EntryReadStatus::Damaged || status == EntryReadStatus::NotOpen) {
            diagnostic = "ZEV.PRJ is damaged: entry " + std::to_string(number) + " of " +
                         std::string(tag) + " cannot be read\n";
            return 0;
        }
        text += listingLine(number, entry);
        text += "\r\n";
    }
    std::error_code reason;
    if (!common::writeWholeFile(listingPath, text, &reason)) {
        diagnostic = common::describeFileFailure("Could not write", listingPath, reason) + "\n";
        return 0;
    }
    return section.entryCount;
}

} // namespace zev::gamedata
