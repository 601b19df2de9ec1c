#include "IndexFiles.h"

#include "common/FileIo.h"

#include <algorithm>
#include <map>
#include <sys/stat.h>

namespace zev::gamedata {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kExtensionLength = 4;

std::string_view untilNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

} // namespace

bool geometryNameMatches(std::string_view recordName, std::string_view objectName) {
    recordName = untilNul(recordName);
    objectName = untilNul(objectName);
    if (recordName.size() < kExtensionLength)
        return objectName == recordName;
    const std::size_t n = recordName.size() - kExtensionLength;
    return objectName.size() >= n && objectName.substr(0, n) == recordName.substr(0, n);
}

GeometryIndex GeometryIndex::fromImage(std::span<const std::uint8_t> image) {
    GeometryIndex index;
    if (image.size() < kIndexHeaderSize)
        return index;
    const std::size_t count = (image.size() - kIndexHeaderSize) / GeometryIndexRecord::size;
    index.records_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        GeometryIndexRecord record;
        const auto from = image.subspan(kIndexHeaderSize + i * GeometryIndexRecord::size,
                                        GeometryIndexRecord::size);
        std::copy(from.begin(), from.end(), record.bytes().begin());
        std::string name = record.text(GeometryIndexRecord::longName);
        if (name.size() >= kExtensionLength) {
            std::string key = name.substr(0, name.size() - kExtensionLength);
            index.longestPrefix_ = std::max(index.longestPrefix_, key.size());
            index.prefixKeys_.try_emplace(std::move(key), i);
        } else {
            index.exactKeys_.try_emplace(name, i);
        }
        index.records_.push_back(
            {std::move(name),
             static_cast<std::uint32_t>(record.int32(GeometryIndexRecord::dataOffset)),
             static_cast<std::uint32_t>(record.int32(GeometryIndexRecord::number))});
    }
    return index;
}

std::optional<GeometryLocation> GeometryIndex::find(std::string_view objectName) const {
    objectName = untilNul(objectName);
    std::size_t best = records_.size();
    if (const auto it = exactKeys_.find(std::string(objectName)); it != exactKeys_.end())
        best = it->second;
    // Every record whose name less its extension is a prefix of the object name matches; the
    // earliest in the file wins.
    const std::size_t longest = std::min(objectName.size(), longestPrefix_);
    std::string key;
    key.reserve(longest);
    for (std::size_t p = 0;; ++p) {
        if (const auto it = prefixKeys_.find(key); it != prefixKeys_.end())
            best = std::min(best, it->second);
        if (p == longest)
            break;
        key.push_back(objectName[p]);
    }
    if (best == records_.size())
        return std::nullopt;
    const Record& r = records_[best];
    return GeometryLocation{r.dataOffset, r.number, r.name};
}

namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modified = 0; // nanoseconds
    std::int64_t changed = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

std::optional<FileIdentity> identityOf(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino, st.st_size,
                        st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
                        st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec};
}

struct CachedIndex {
    FileIdentity identity;
    GeometryIndex index;
};

std::map<fs::path, CachedIndex>& cache() {
    static std::map<fs::path, CachedIndex> entries;
    return entries;
}

} // namespace

const GeometryIndex* cachedGeometryIndex(const fs::path& indexFile) {
    auto& entries = cache();
    const auto identity = identityOf(indexFile);
    if (!identity) {
        entries.erase(indexFile);
        return nullptr;
    }
    if (const auto it = entries.find(indexFile);
        it != entries.end() && it->second.identity == *identity)
        return &it->second.index;
    const auto image = common::readWholeFile(indexFile);
    if (!image) {
        entries.erase(indexFile);
        return nullptr;
    }
    // Stat again after reading: a file replaced while it was read is read again next time.
    const auto after = identityOf(indexFile);
    CachedIndex& slot = entries[indexFile];
    slot.identity = after && *after == *identity ? *identity : FileIdentity{};
    slot.index = GeometryIndex::fromImage(*image);
    return &slot.index;
}

void forgetCachedGeometryIndexes() {
    cache().clear();
}

std::optional<GeometryLocation> FindGeometry(ProjectArchive& archive, const fs::path& archivePath,
                                             const fs::path& programDirectory,
                                             std::string_view objectName, std::string& lastError) {
    if (!archive.OpenArchive(CompleteArchivePath(archivePath))) {
        lastError = "Could Not open ZEV.PRJ";
        return std::nullopt;
    }
    const GeometryIndex* index =
        cachedGeometryIndex(indexFilePath(programDirectory, IndexKind::Poly));
    if (!index) {
        lastError = "Could Not open WTB.IDX";
        archive.CloseArchive();
        return std::nullopt;
    }
    auto found = index->find(objectName);
    if (!found) {
        lastError = "Object not Found in GEO Table";
        archive.CloseArchive();
        return std::nullopt;
    }
    return found;
}

} // namespace zev::gamedata
