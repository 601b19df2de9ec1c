#include "ArchiveWriter.h"

#include "ArchiveLayout.h"

#include "common/ByteWriter.h"
#include "common/FileIo.h"

#include <algorithm>
#include <cstring>

namespace zev::gamedata {

namespace layout = archive_layout;

namespace {

// This project's own file header: an identifying text, NUL-padded to the header size.
constexpr char kHeaderText[] = "ZEVEDIT3D ARCHIVE 1.0";
static_assert(sizeof kHeaderText <= layout::kFileHeaderSize);

void putName(std::uint8_t* field, std::size_t width, std::string_view name) {
    const std::size_t n = std::min(name.size(), width);
    std::memcpy(field, name.data(), n);
}

} // namespace

std::uint32_t ArchiveWriter::Section::addEntry(std::string_view shortName,
                                               std::string_view longName,
                                               std::span<const std::uint8_t> data) {
    entries_.push_back(Entry{std::string(shortName.substr(0, layout::kShortNameSize)),
                             std::string(longName.substr(0, layout::kLongNameSize)),
                             std::vector<std::uint8_t>(data.begin(), data.end())});
    return static_cast<std::uint32_t>(entries_.size());
}

std::uint32_t ArchiveWriter::Section::addEntry(std::string_view shortName,
                                               std::string_view longName, std::string_view data) {
    return addEntry(shortName, longName,
                    std::span<const std::uint8_t>(
                        reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
}

ArchiveWriter::Section& ArchiveWriter::addSection(std::string_view tag) {
    return sections_.emplace_back(std::string(tag.substr(0, layout::kTagSize)));
}

std::optional<std::vector<std::uint8_t>> ArchiveWriter::toBytes() const {
    // First pass: where every section and entry goes.
    std::uint64_t at =
        layout::kDirectoryOffset + (sections_.size() + 1) * layout::kDirectoryRecordSize;
    std::vector<std::uint64_t> sectionAt;
    std::vector<std::vector<std::uint64_t>> entryAt;
    for (const Section& section : sections_) {
        if (section.entries().size() > layout::kMaxEntriesPerSection)
            return std::nullopt;
        sectionAt.push_back(at);
        const std::size_t slots = section.entries().size() + 1;
        at += layout::kSectionHeaderSize + slots * layout::kSlotSize;
        auto& positions = entryAt.emplace_back();
        for (const Entry& entry : section.entries()) {
            positions.push_back(at);
            at += layout::kEntryDataOffset + entry.data.size();
        }
    }
    if (at > 0xFFFFFFFFu)
        return std::nullopt;

    common::ByteWriter out;
    std::uint8_t header[layout::kFileHeaderSize] = {};
    std::memcpy(header, kHeaderText, sizeof kHeaderText);
    out.bytes(header);

    for (std::size_t s = 0; s < sections_.size(); ++s) {
        std::uint8_t record[layout::kDirectoryRecordSize] = {};
        putName(record + layout::kTagOffset, layout::kTagSize, sections_[s].tag());
        common::putU32(record + layout::kSectionOffsetOffset,
                       static_cast<std::uint32_t>(sectionAt[s]));
        // Not read by the editor: the section's entry count, for people reading a dump.
        common::putU32(record + 8, static_cast<std::uint32_t>(sections_[s].entries().size()));
        out.bytes(record);
    }
    out.zeros(layout::kDirectoryRecordSize); // end of the directory

    for (std::size_t s = 0; s < sections_.size(); ++s) {
        const Section& section = sections_[s];
        const std::size_t slots = section.entries().size() + 1;
        std::uint8_t sectionHeader[layout::kSectionHeaderSize] = {};
        putName(sectionHeader, layout::kTagSize, section.tag());
        common::putU16(sectionHeader + layout::kSlotCountOffset, static_cast<std::uint16_t>(slots));
        out.bytes(sectionHeader);
        for (std::size_t k = 0; k < slots; ++k) {
            // The last slot stands for entry n + 1, which the reader never takes.
            const bool real = k < section.entries().size();
            out.u32(real ? static_cast<std::uint32_t>(entryAt[s][k]) : 0);
            out.u32(real ? static_cast<std::uint32_t>(section.entries()[k].data.size()) : 0);
        }
        for (std::size_t k = 0; k < section.entries().size(); ++k) {
            const Entry& entry = section.entries()[k];
            std::uint8_t head[layout::kEntryDataOffset] = {};
            common::putU32(head, static_cast<std::uint32_t>(k + 1)); // not read: the number
            common::putU32(head + layout::kEntryLengthOffset,
                           static_cast<std::uint32_t>(layout::kLengthOverData + entry.data.size()));
            std::uint8_t* descriptor = head + layout::kDescriptorOffset;
            putName(descriptor + layout::kShortNameInDescriptor, layout::kShortNameSize,
                    entry.shortName);
            putName(descriptor + layout::kLongNameInDescriptor, layout::kLongNameSize,
                    entry.longName);
            out.bytes(head);
            out.bytes(entry.data);
        }
    }
    return out.take();
}

bool ArchiveWriter::writeTo(const std::filesystem::path& path) const {
    const auto image = toBytes();
    if (!image)
        return false;
    return common::writeFileAtomically(path, *image) == common::WriteResult::Written;
}

} // namespace zev::gamedata
