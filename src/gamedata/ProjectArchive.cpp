#include "ProjectArchive.h"

#include "ArchiveLayout.h"

#include "common/FileIo.h"
#include "common/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace zev::gamedata {

namespace fs = std::filesystem;
namespace layout = archive_layout;

ProjectArchive::~ProjectArchive() {
    CloseArchive();
}

bool ProjectArchive::OpenArchive(const fs::path& path) {
    CloseArchive();
    // Checked before opening: opening a pipe for reading would wait for a writer.
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    struct stat st {};
    if (::fstat(::fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(f);
        return false;
    }
    file_ = f;
    path_ = path;
    size_ = static_cast<std::uint64_t>(st.st_size);
    position_ = 0;
    return true;
}

void ProjectArchive::openImage(std::vector<std::uint8_t> image) {
    CloseArchive();
    image_ = std::move(image);
    inMemory_ = true;
    path_ = "ZEV.PRJ";
    size_ = image_.size();
    position_ = 0;
}

void ProjectArchive::CloseArchive() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    inMemory_ = false;
    image_ = {};
    for (Block& b : blocks_)
        b = Block{};
    useClock_ = 0;
    path_.clear();
    size_ = 0;
    position_ = 0;
}

bool ProjectArchive::SeekTo(std::uint64_t offset) {
    if (!isOpen() || offset > size_)
        return false;
    position_ = offset;
    return true;
}

bool ProjectArchive::loadFromFile(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
    if (::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0)
        return false;
    if (std::fread(out, 1, count, file_) == count)
        return true;
    std::clearerr(file_); // the file shrank since it was opened
    return false;
}

bool ProjectArchive::readFromFile(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
    if (count >= kBlockSize)
        return loadFromFile(offset, out, count);
    while (count > 0) {
        const std::uint64_t blockStart = offset - offset % kBlockSize;
        Block* block = nullptr;
        for (Block& b : blocks_)
            if (b.start == blockStart)
                block = &b;
        if (!block) {
            block = &blocks_[0];
            for (Block& b : blocks_)
                if (b.lastUse < block->lastUse)
                    block = &b;
            block->bytes.resize(kBlockSize);
            block->start = UINT64_MAX;
            const std::size_t length =
                static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, size_ - blockStart));
            if (!loadFromFile(blockStart, block->bytes.data(), length))
                return false;
            block->start = blockStart;
            block->length = length;
        }
        block->lastUse = ++useClock_;
        const std::size_t within = static_cast<std::size_t>(offset - blockStart);
        const std::size_t n = std::min(count, block->length - within);
        std::memcpy(out, block->bytes.data() + within, n);
        out += n;
        offset += n;
        count -= n;
    }
    return true;
}

bool ProjectArchive::readExact(std::uint64_t offset, void* buffer, std::size_t count) {
    if (!isOpen() || offset > size_ || count > size_ - offset)
        return false;
    if (count > 0) {
        auto* out = static_cast<std::uint8_t*>(buffer);
        if (inMemory_)
            std::memcpy(out, image_.data() + offset, count);
        else if (!readFromFile(offset, out, count))
            return false;
    }
    position_ = offset + count;
    return true;
}

std::size_t ProjectArchive::ReadAt(std::uint64_t offset, void* buffer, std::size_t wanted,
                                   std::size_t available) {
    if (!buffer)
        return 0;
    const std::size_t count = std::min(wanted, available);
    return readExact(offset, buffer, count) ? count : 0;
}

std::size_t ProjectArchive::ReadNext(void* buffer, std::size_t wanted, std::size_t available) {
    return ReadAt(position_, buffer, wanted, available);
}

std::optional<std::vector<std::uint8_t>> ProjectArchive::readBytes(std::uint64_t offset,
                                                                   std::size_t count) {
    if (!isOpen() || offset > size_ || count > size_ - offset)
        return std::nullopt;
    std::vector<std::uint8_t> data(count);
    if (!readExact(offset, data.data(), count))
        return std::nullopt;
    return data;
}

std::optional<std::vector<std::uint8_t>> ProjectArchive::readEntryData(const ArchiveEntry& entry) {
    return readBytes(entry.dataOffset, entry.dataSize);
}

bool ProjectArchive::FindSection(std::string_view tag, SectionIndex& section) {
    section = {};
    if (!isOpen())
        return false;
    // The wanted tag as the reader compares it: a NUL-terminated string of at most 4 characters.
    const std::string wanted(tag.substr(0, tag.find('\0')));
    if (wanted.size() > layout::kTagSize)
        return false; // no directory tag can equal it
    std::uint64_t at = layout::kDirectoryOffset;
    for (;;) {
        std::uint8_t record[layout::kDirectoryRecordSize];
        if (!readExact(at, record, sizeof record))
            return false; // the directory runs past the end of the file
        at += sizeof record;
        const char* tagBytes = reinterpret_cast<const char*>(record + layout::kTagOffset);
        if (tagBytes[0] == '\0')
            return false; // end of the directory: the section is missing
        const std::string found(tagBytes, strnlen(tagBytes, layout::kTagSize));
        if (found != wanted)
            continue;

        const std::uint64_t start = common::getU32(record + layout::kSectionOffsetOffset);
        std::uint8_t header[layout::kSectionHeaderSize];
        if (!readExact(start, header, sizeof header))
            return false;
        const std::uint16_t slots = common::getU16(header + layout::kSlotCountOffset);
        if (slots == 0)
            return false; // no entry count can be taken from it
        const std::uint32_t count = slots - 1u;
        const std::uint64_t table = start + layout::kSectionHeaderSize;
        if (table + static_cast<std::uint64_t>(count) * layout::kSlotSize > size_ ||
            table > 0xFFFFFFFFu)
            return false; // the slots of its entries are not all in the file
        section.tablePosition = static_cast<std::uint32_t>(table);
        section.entryCount = count;
        return true;
    }
}

EntryReadStatus ProjectArchive::readEntryStatus(const SectionIndex& section, ArchiveEntry& entry,
                                                std::uint32_t number) {
    entry = ArchiveEntry{};
    if (!isOpen())
        return EntryReadStatus::NotOpen;
    if (number - 1u >= section.entryCount)
        return EntryReadStatus::OutOfRange;

    std::uint8_t slot[4];
    const std::uint64_t slotAt =
        section.tablePosition + static_cast<std::uint64_t>(number - 1u) * layout::kSlotSize;
    if (!readExact(slotAt, slot, sizeof slot))
        return EntryReadStatus::Damaged;
    const std::uint64_t start = common::getU32(slot);

    std::uint8_t head[layout::kEntryDataOffset];
    if (!readExact(start, head, sizeof head))
        return EntryReadStatus::Damaged;
    const std::uint32_t length = common::getU32(head + layout::kEntryLengthOffset);
    if (length < layout::kLengthOverData || start + layout::kEntryLengthBase + length > size_ ||
        start + layout::kEntryDataOffset > 0xFFFFFFFFu)
        return EntryReadStatus::Damaged; // the data would end before it starts or past the file

    const std::uint8_t* descriptor = head + layout::kDescriptorOffset;
    const auto copyName = [](char* out, const std::uint8_t* from, std::size_t width) {
        std::size_t n = 0;
        while (n < width && from[n] != 0) {
            out[n] = static_cast<char>(from[n]);
            ++n;
        }
        out[n] = '\0';
    };
    entry.number = number;
    copyName(entry.shortName, descriptor + layout::kShortNameInDescriptor, layout::kShortNameSize);
    copyName(entry.longName, descriptor + layout::kLongNameInDescriptor, layout::kLongNameSize);
    entry.dataOffset = static_cast<std::uint32_t>(start + layout::kEntryDataOffset);
    entry.dataSize = length - static_cast<std::uint32_t>(layout::kLengthOverData);
    return EntryReadStatus::Ok;
}

bool ProjectArchive::ReadEntry(const SectionIndex& section, ArchiveEntry& entry,
                               std::uint32_t number) {
    return readEntryStatus(section, entry, number) == EntryReadStatus::Ok;
}

bool OpenArchiveOrReport(ProjectArchive& archive, const fs::path& path,
                         common::Reporter& reporter) {
    if (archive.OpenArchive(path))
        return true;
    archive.CloseArchive();
    reporter.report("Could Not open ZEV.PRJ", "Error...", common::MessageIcon::Stop);
    return false;
}

fs::path CompleteArchivePath(const fs::path& configured) {
    std::error_code ec;
    if (!configured.empty() && fs::is_regular_file(configured, ec))
        return configured;
    if (configured.string().find(".prj") != std::string::npos) {
        // Names a file: find it case-insensitively in its directory.
        const fs::path parent = configured.parent_path();
        if (parent.empty())
            return common::resolveCaseInsensitive(".", configured.filename()).lexically_normal();
        return common::resolveCaseInsensitive(parent, configured.filename());
    }
    return common::resolveCaseInsensitive(configured, "zev.prj");
}

} // namespace zev::gamedata
