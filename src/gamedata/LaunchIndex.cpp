#include "IndexFiles.h"

#include "common/FileIo.h"

#include <algorithm>
#include <cctype>

namespace zev::gamedata {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLaunchListMinimumLength = 5; // names longer than 4 characters

std::optional<std::vector<LaunchRecord>> readRecords(const fs::path& programDirectory,
                                                     IndexKind kind) {
    const auto image = common::readWholeFile(indexFilePath(programDirectory, kind));
    if (!image)
        return std::nullopt;
    return nameIndexRecords(*image);
}

std::string cannotOpen(IndexKind kind) {
    return std::string("Could Not open ") + indexFileInfo(kind).fileName;
}

std::optional<LaunchRecord> findReported(const fs::path& programDirectory, IndexKind kind,
                                         std::string_view name, const char* notFound,
                                         common::Reporter& reporter) {
    LaunchRecord record;
    switch (FindLaunchRecord(programDirectory, kind, name, record)) {
    case LaunchLookup::Found:
        return record;
    case LaunchLookup::FileMissing:
        reporter.report(cannotOpen(kind), "Error...", common::MessageIcon::Stop);
        return std::nullopt;
    case LaunchLookup::NotFound:
        break;
    }
    reporter.report(notFound, "Error", common::MessageIcon::Stop);
    return std::nullopt;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return std::tolower(c); };
    const bool less =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
            return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y));
        });
    const bool greater =
        std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [&](char x, char y) {
            return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y));
        });
    if (less != greater)
        return less;
    return a < b;
}

} // namespace

std::vector<LaunchRecord> nameIndexRecords(std::span<const std::uint8_t> image) {
    std::vector<LaunchRecord> records;
    if (image.size() < kIndexHeaderSize)
        return records;
    const std::size_t count = (image.size() - kIndexHeaderSize) / NameIndexRecord::size;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        NameIndexRecord record;
        const auto from =
            image.subspan(kIndexHeaderSize + i * NameIndexRecord::size, NameIndexRecord::size);
        std::copy(from.begin(), from.end(), record.bytes().begin());
        records.push_back({record.text(NameIndexRecord::shortName),
                           static_cast<std::uint32_t>(record.int32(NameIndexRecord::number))});
    }
    return records;
}

std::vector<std::string> launchSelectionList(const std::vector<LaunchRecord>& records) {
    std::vector<std::string> names;
    for (const LaunchRecord& r : records)
        if (r.name.size() >= kLaunchListMinimumLength &&
            std::find(names.begin(), names.end(), r.name) == names.end())
            names.push_back(r.name);
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

std::vector<LaunchRecord> readNameIndex(const fs::path& programDirectory, IndexKind kind) {
    return readRecords(programDirectory, kind).value_or(std::vector<LaunchRecord>{});
}

LaunchLookup FindLaunchRecord(const fs::path& programDirectory, IndexKind kind,
                              std::string_view name, LaunchRecord& record) {
    record = {};
    const auto records = readRecords(programDirectory, kind);
    if (!records)
        return LaunchLookup::FileMissing;
    for (const LaunchRecord& r : *records) {
        if (r.name == name) {
            record = r;
            return LaunchLookup::Found;
        }
    }
    return LaunchLookup::NotFound;
}

std::optional<LaunchRecord> findLaunchChassis(const fs::path& programDirectory,
                                              std::string_view chassis,
                                              common::Reporter& reporter) {
    return findReported(programDirectory, IndexKind::Chassis, chassis,
                        "Selected Launch Mek Chassis not Found", reporter);
}

std::optional<LaunchRecord> findLaunchConfiguration(const fs::path& programDirectory,
                                                    std::string_view configuration,
                                                    common::Reporter& reporter) {
    return findReported(programDirectory, IndexKind::Mek, configuration,
                        "Selected Launch Mek Configuration not Found", reporter);
}

LaunchSelectionLists readLaunchSelectionLists(const fs::path& programDirectory,
                                              common::Reporter& reporter) {
    LaunchSelectionLists lists;
    if (const auto chassis = readRecords(programDirectory, IndexKind::Chassis))
        lists.chassis = launchSelectionList(*chassis);
    else
        reporter.report(cannotOpen(IndexKind::Chassis), "Error...", common::MessageIcon::Stop);
    if (const auto configurations = readRecords(programDirectory, IndexKind::Mek))
        lists.configurations = launchSelectionList(*configurations);
    else
        reporter.report(cannotOpen(IndexKind::Mek), "Error...", common::MessageIcon::Stop);
    return lists;
}

} // namespace zev::gamedata
