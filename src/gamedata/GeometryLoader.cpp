#include "gamedata/GeometryLoader.h"

#include "common/FileIo.h"
#include "gamedata/GeometryConverter.h"
#include "gamedata/GeometryFormat.h"
#include "gamedata/IndexFiles.h"

#include <algorithm>
#include <unordered_map>

namespace zev::gamedata {

namespace fs = std::filesystem;

bool readGeometryBytes(ProjectArchive& archive, std::uint32_t dataOffset,
                       std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (!archive.isOpen() || dataOffset > archive.fileSize())
        return false;
    const std::uint64_t left = archive.fileSize() - dataOffset;
    auto header = archive.readBytes(
        dataOffset, std::size_t(std::min<std::uint64_t>(left, geometry::kHeaderSize)));
    if (!header || header->size() < geometry::kHeaderSize)
        return false;
    // A header with negative counts is read alone; the converter refuses it.
    const std::size_t wanted =
        std::max(geometrySizeBound(*header), std::size_t(geometry::kHeaderSize));
    auto all = archive.readBytes(dataOffset, std::size_t(std::min<std::uint64_t>(left, wanted)));
    if (!all)
        return false;
    bytes = std::move(*all);
    return true;
}

bool loadObjectMesh(const fs::path& configuredArchivePath, const fs::path& programDirectory,
                    std::string_view objectName, Vec3 scale, Mesh& mesh, std::string& lastError) {
    mesh.groups.clear();
    ProjectArchive archive;
    const auto location = FindGeometry(archive, CompleteArchivePath(configuredArchivePath),
                                       programDirectory, objectName, lastError);
    if (!location)
        return false;
    std::vector<std::uint8_t> bytes;
    const bool ok = readGeometryBytes(archive, location->dataOffset, bytes)
                        ? ConvertGeometry(bytes, scale, {}, mesh, lastError)
                        : (lastError = kGeometryReadError, false);
    archive.CloseArchive();
    return ok;
}

fs::path readyMadeGroupBase(const fs::path& configuredArchivePath) {
    std::error_code ec;
    if (fs::is_directory(configuredArchivePath, ec))
        return configuredArchivePath;
    if (configuredArchivePath.has_filename() && configuredArchivePath.has_extension())
        return configuredArchivePath.parent_path();
    return configuredArchivePath;
}

std::optional<fs::path> readyMadeGroupPath(const fs::path& configuredArchivePath,
                                           std::string_view name) {
    if (name.find_first_of("/\\") != std::string_view::npos ||
        name.find("..") != std::string_view::npos)
        return std::nullopt;
    const fs::path relative = fs::path("RMG") / (std::string(name) + ".bwd");
    return common::resolveCaseInsensitive(readyMadeGroupBase(configuredArchivePath), relative);
}

namespace {

// WTB.IDX read once per group; the archive opened at the first member that needs it.
class InstalledGeometrySource : public GroupGeometrySource {
public:
    InstalledGeometrySource(fs::path archivePath, const fs::path& programDirectory)
        : archivePath_(std::move(archivePath)) {
        const auto image = common::readWholeFile(indexFilePath(programDirectory, IndexKind::Poly));
        if (!image)
            return;
        indexRead_ = true;
        const std::size_t recordSize = GeometryIndexRecord::size;
        for (std::size_t at = kIndexHeaderSize;
             image->size() >= recordSize && at <= image->size() - recordSize; at += recordSize) {
            GeometryIndexRecord record;
            std::copy_n(image->begin() + std::ptrdiff_t(at), recordSize, record.bytes().begin());
            // The first record of a number wins.
            offsets_.try_emplace(record.int32(GeometryIndexRecord::number),
                                 std::uint32_t(record.int32(GeometryIndexRecord::dataOffset)));
        }
    }

    Lookup findEntry(std::int32_t entryNumber, std::uint32_t& dataOffset) override {
        if (!indexRead_)
            return Lookup::IndexUnavailable;
        const auto it = offsets_.find(entryNumber);
        if (it == offsets_.end())
            return Lookup::Missing;
        dataOffset = it->second;
        return Lookup::Found;
    }

    bool geometryAt(std::uint32_t dataOffset, std::vector<std::uint8_t>& bytes) override {
        if (!archive_.isOpen() && !archive_.OpenArchive(archivePath_))
            return false;
        // Bytes that cannot be read are left empty: the conversion then fails with its own text.
        readGeometryBytes(archive_, dataOffset, bytes);
        return true;
    }

private:
    fs::path archivePath_;
    bool indexRead_ = false;
    std::unordered_map<std::int32_t, std::uint32_t> offsets_;
    ProjectArchive archive_;
};

} // namespace

bool loadReadyMadeGroup(const fs::path& configuredArchivePath, const fs::path& programDirectory,
                        std::string_view name, ReadyMadeGroup& group, std::string& lastError) {
    group.members.clear();
    const auto path = readyMadeGroupPath(configuredArchivePath, name);
    const auto file = path ? common::readWholeFile(*path) : std::nullopt;
    if (!file) {
        lastError = kGroupFileOpenError;
        return false;
    }
    InstalledGeometrySource source(CompleteArchivePath(configuredArchivePath), programDirectory);
    return buildReadyMadeGroup(*file, source, group, lastError);
}

} // namespace zev::gamedata
