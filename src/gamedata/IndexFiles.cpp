#include "IndexFiles.h"

#include "ChassisStems.h"

#include "common/FileIo.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zev::gamedata {

namespace fs = std::filesystem;

const char* const kIndexOutOfDateMessage =
    "GEO Table Index file Not Found and or is Out of Date!\n"
    "                 Run GEO Scan Option From Pull Down Menu..";

const IndexFileInfo& indexFileInfo(IndexKind kind) {
    static const IndexFileInfo infos[] = {
        {"POLY", "WTB.IDX", "IDX", GeometryIndexRecord::size},
        {"MEK", "MEK.IDX", "MEK", NameIndexRecord::size},
        {"BWD", "CHS.IDX", "CHS", NameIndexRecord::size},
    };
    return infos[static_cast<int>(kind)];
}

common::FindDataRecord IndexHeader::findData() const {
    common::FindDataRecord record;
    std::copy_n(bytes().begin() + findDataOffset, common::FindDataRecord::size,
                record.bytes().begin());
    return record;
}

void IndexHeader::setFindData(const common::FindDataRecord& record) {
    std::copy(record.bytes().begin(), record.bytes().end(), bytes().begin() + findDataOffset);
}

static_assert(IndexHeader::findDataOffset + common::FindDataRecord::size == kIndexHeaderSize);

fs::path indexFilePath(const fs::path& programDirectory, IndexKind kind) {
    return common::resolveCaseInsensitive(programDirectory, indexFileInfo(kind).fileName);
}

std::optional<std::vector<std::uint8_t>>
buildIndexImage(ProjectArchive& archive, IndexKind kind, const common::FindDataRecord& findData,
                const std::vector<std::string>& chassisStems, std::uint32_t& entryCount) {
    entryCount = 0;
    const IndexFileInfo& info = indexFileInfo(kind);
    SectionIndex section;
    if (!archive.FindSection(info.sectionTag, section))
        return std::nullopt;

    std::vector<std::uint8_t> image;
    image.reserve(kIndexHeaderSize +
                  static_cast<std::size_t>(section.entryCount) * info.recordSize);
    IndexHeader header;
    header.setText(IndexHeader::magic, info.magic);
    header.setFindData(findData);
    image.insert(image.end(), header.bytes().begin(), header.bytes().end());

    for (std::uint32_t number = 0; number < section.entryCount; ++number) {
        ArchiveEntry entry;
        const EntryReadStatus status = archive.readEntryStatus(section, entry, number);
        // Entry 0 is not a valid number and gives the empty record; any other failure means
        // the archive is damaged or truncated.
        if (status != EntryReadStatus::Ok &&
            !(status == EntryReadStatus::OutOfRange && number == 0))
            return std::nullopt;
        if (kind == IndexKind::Poly) {
            GeometryIndexRecord record;
            record.setText(GeometryIndexRecord::longName, entry.longName);
            record.setInt32(GeometryIndexRecord::dataOffset,
                            static_cast<std::int32_t>(entry.dataOffset));
            record.setInt32(GeometryIndexRecord::number, static_cast<std::int32_t>(entry.number));
            image.insert(image.end(), record.bytes().begin(), record.bytes().end());
            continue;
        }
        if (kind == IndexKind::Chassis &&
            matchingChassisStem(entry.shortName, chassisStems).empty())
            continue;
        NameIndexRecord record;
        record.setText(NameIndexRecord::shortName, entry.shortName);
        record.setInt32(NameIndexRecord::number, static_cast<std::int32_t>(entry.number));
        image.insert(image.end(), record.bytes().begin(), record.bytes().end());
    }
    entryCount = section.entryCount;
    return image;
}

namespace {

std::uint32_t buildIndex(ProjectArchive& archive, IndexKind kind, const fs::path& archivePath,
                         const fs::path& programDirectory, IndexBuildFailure* failure) {
    const auto fail = [&](const fs::path& path, std::string reason) -> std::uint32_t {
        if (failure)
            *failure = {path, std::move(reason)};
        return 0;
    };
    const IndexFileInfo& info = indexFileInfo(kind);
    // The section is looked up before anything else, so a missing one leaves the file alone.
    SectionIndex section;
    if (!archive.FindSection(info.sectionTag, section))
        return fail(archivePath, std::string("no \"") + info.sectionTag + "\" section");
    const auto findData = common::findFileData(archivePath);
    if (!findData)
        return fail(archivePath, "its file data cannot be read");
    const std::vector<std::string> stems = kind == IndexKind::Chassis
                                               ? loadChassisStems(programDirectory)
                                               : std::vector<std::string>{};
    std::uint32_t count = 0;
    const auto image = buildIndexImage(archive, kind, *findData, stems, count);
    if (!image)
        return fail(archivePath, std::string("an entry of the \"") + info.sectionTag +
                                     "\" section cannot be read (a damaged archive)");
    const fs::path target = indexFilePath(programDirectory, kind);
    if (kind == IndexKind::Poly)
        forgetCachedGeometryIndexes();
    std::error_code reason;
    if (common::writeFileAtomically(target, *image, &reason) != common::WriteResult::Written)
        return fail(target, reason.message());
    if (count == 0)
        return fail(archivePath,
                    std::string("the \"") + info.sectionTag + "\" section holds no entries");
    return count;
}

} // namespace

std::uint32_t BuildPolyIndex(ProjectArchive& archive, const fs::path& archivePath,
                             const fs::path& programDirectory, IndexBuildFailure* failure) {
    return buildIndex(archive, IndexKind::Poly, archivePath, programDirectory, failure);
}

std::uint32_t BuildMekIndex(ProjectArchive& archive, const fs::path& archivePath,
                            const fs::path& programDirectory, IndexBuildFailure* failure) {
    return buildIndex(archive, IndexKind::Mek, archivePath, programDirectory, failure);
}

std::uint32_t BuildChassisIndex(ProjectArchive& archive, const fs::path& archivePath,
                                const fs::path& programDirectory, IndexBuildFailure* failure) {
    return buildIndex(archive, IndexKind::Chassis, archivePath, programDirectory, failure);
}

std::string indexHeaderStaleReason(IndexKind kind, std::span<const std::uint8_t> fileStart,
                                   const common::FindDataRecord& archiveData) {
    const IndexFileInfo& info = indexFileInfo(kind);
    if (fileStart.size() < kIndexHeaderSize)
        return std::string(info.fileName) + " has no complete header";
    IndexHeader header;
    std::copy_n(fileStart.begin(), kIndexHeaderSize, header.bytes().begin());
    const auto magic = header.bytes().subspan(0, kIndexMagicSize);
    if (std::memcmp(magic.data(), info.magic, kIndexMagicSize) != 0)
        return std::string(info.fileName) + " is not an index file of its kind";
    const common::FindDataRecord stored = header.findData();
    if (stored.creationTime() != archiveData.creationTime())
        return std::string(info.fileName) + " was built for an archive of another creation time";
    if (stored.lastWriteTime() != archiveData.lastWriteTime())
        return std::string(info.fileName) + " was built before the archive last changed";
    if (stored.fileSize() != archiveData.fileSize())
        return std::string(info.fileName) + " was built for an archive of another size";
    return {};
}

std::string indexStaleReason(const fs::path& configuredArchivePath,
                             const fs::path& programDirectory) {
    const fs::path archivePath = CompleteArchivePath(configuredArchivePath);
    const auto archiveData = common::findFileData(archivePath);
    if (!archiveData)
        return "the archive " + archivePath.string() + " does not exist";
    for (IndexKind kind : {IndexKind::Poly, IndexKind::Mek, IndexKind::Chassis}) {
        const fs::path path = indexFilePath(programDirectory, kind);
        // Only a regular file is read, and only its header.
        const auto prefix = common::readFilePrefix(path, kIndexHeaderSize);
        if (!prefix)
            return std::string(indexFileInfo(kind).fileName) + " is missing";
        if (auto reason = indexHeaderStaleReason(kind, *prefix, *archiveData); !reason.empty())
            return reason;
    }
    return {};
}

bool CheckIndexFiles(const fs::path& configuredArchivePath, const fs::path& programDirectory) {
    return indexStaleReason(configuredArchivePath, programDirectory).empty();
}

} // namespace zev::gamedata
