// Feeds arbitrary bytes to the index file readers as an index file image: the header check
// behind the freshness check, the WTB.IDX lookup (compared with the first-match rule applied
// record by record) and the MEK.IDX / CHS.IDX records with the launch selection list.

#include "gamedata/IndexFiles.h"

#include "common/FindData.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace zev::gamedata;
using zev::common::FindDataRecord;

void require(bool condition) {
    if (!condition)
        std::abort();
}

// The header check against an archive record taken from the header itself: current exactly
// when the magic is right; a change to a compared field of the archive makes it stale, a change
// to any other field does not.
void checkHeader(std::span<const std::uint8_t> bytes) {
    FindDataRecord archive;
    if (bytes.size() >= kIndexHeaderSize)
        std::copy_n(bytes.begin() + IndexHeader::findDataOffset, FindDataRecord::size,
                    archive.bytes().begin());
    const std::uint8_t delta = bytes.empty() ? 1 : bytes.back() | 1;
    for (IndexKind kind : {IndexKind::Poly, IndexKind::Mek, IndexKind::Chassis}) {
        const IndexFileInfo& info = indexFileInfo(kind);
        const std::string reason = indexHeaderStaleReason(kind, bytes, archive);
        if (bytes.size() < kIndexHeaderSize) {
            require(reason == std::string(info.fileName) + " has no complete header");
            continue;
        }
        const bool magicRight = std::memcmp(bytes.data(), info.magic, kIndexMagicSize) == 0;
        require(reason.empty() == magicRight);
        if (!magicRight)
            continue;

        FindDataRecord ignored = archive;
        ignored.setInt32(FindDataRecord::attributes,
                         ignored.int32(FindDataRecord::attributes) ^ delta);
        ignored.setLastAccessTime(ignored.lastAccessTime() + delta);
        ignored.setText(FindDataRecord::longName, "elsewhere.prj");
        ignored.setText(FindDataRecord::shortName, "ELSEWH~1.PRJ");
        require(indexHeaderStaleReason(kind, bytes, ignored).empty());

        FindDataRecord created = archive;
        created.setCreationTime(created.creationTime() + delta);
        FindDataRecord written = archive;
        written.setLastWriteTime(written.lastWriteTime() ^ (std::uint64_t{delta} << 32));
        FindDataRecord resized = archive;
        resized.setFileSize(resized.fileSize() - delta);
        for (const FindDataRecord& changed : {created, written, resized})
            require(!indexHeaderStaleReason(kind, bytes, changed).empty());
    }
}

// The WTB.IDX lookup against a plain pass over the records.
void checkGeometryIndex(std::span<const std::uint8_t> bytes) {
    const GeometryIndex index = GeometryIndex::fromImage(bytes);
    std::vector<GeometryIndexRecord> records;
    for (std::size_t at = kIndexHeaderSize; at + GeometryIndexRecord::size <= bytes.size();
         at += GeometryIndexRecord::size) {
        GeometryIndexRecord& r = records.emplace_back();
        std::copy_n(bytes.begin() + at, GeometryIndexRecord::size, r.bytes().begin());
    }
    require(index.size() == records.size());

    // Names to look up: the record names, longer and shorter forms of them, and texts of the
    // input itself (which may hold NUL bytes).
    std::vector<std::string> queries = {
        "", std::string(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 20))};
    const std::string tail(bytes.end() - std::min<std::size_t>(bytes.size(), 3), bytes.end());
    for (std::size_t i = 0; i < records.size() && i < 48; ++i) {
        const std::string name = records[i].text(GeometryIndexRecord::longName);
        queries.push_back(name);
        queries.push_back(name + tail);
        if (!name.empty())
            queries.push_back(name.substr(0, name.size() - 1));
        if (name.size() > 4)
            queries.push_back(name.substr(0, name.size() - 4));
    }
    for (const std::string& query : queries) {
        const auto found = index.find(query);
        const auto first = std::find_if(records.begin(), records.end(), [&](const auto& r) {
            return geometryNameMatches(r.text(GeometryIndexRecord::longName), query);
        });
        require(found.has_value() == (first != records.end()));
        if (!found)
            continue;
        require(found->recordName == first->text(GeometryIndexRecord::longName));
        require(found->dataOffset ==
                static_cast<std::uint32_t>(first->int32(GeometryIndexRecord::dataOffset)));
        require(found->number ==
                static_cast<std::uint32_t>(first->int32(GeometryIndexRecord::number)));
    }
}

std::pair<std::string, std::string> sortKey(const std::string& name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return {lower, name};
}

// MEK.IDX / CHS.IDX records and the list the launch selection dialog shows of them.
void checkNameIndex(std::span<const std::uint8_t> bytes) {
    const std::vector<LaunchRecord> records = nameIndexRecords(bytes);
    const std::size_t expected = bytes.size() < kIndexHeaderSize
                                     ? 0
                                     : (bytes.size() - kIndexHeaderSize) / NameIndexRecord::size;
    require(records.size() == expected);
    for (const LaunchRecord& r : records)
        require(r.name.size() <= NameIndexRecord::shortName.width &&
                r.name.find('\0') == std::string::npos);

    const std::vector<std::string> list = launchSelectionList(records);
    for (std::size_t i = 0; i < list.size(); ++i) {
        require(list[i].size() > 4);
        if (i > 0)
            require(sortKey(list[i - 1]) < sortKey(list[i]));
    }
    for (const LaunchRecord& r : records)
        if (r.name.size() > 4)
            require(std::binary_search(list.begin(), list.end(), r.name,
                                       [](const std::string& a, const std::string& b) {
                                           return sortKey(a) < sortKey(b);
                                       }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    checkHeader(bytes);
    checkGeometryIndex(bytes);
    checkNameIndex(bytes);
    return 0;
}
