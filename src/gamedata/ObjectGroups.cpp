#include "gamedata/ObjectGroups.h"

#include "common/FileIo.h"
#include "common/IniFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>
#include <memory>

namespace zev::gamedata {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kRecordSize = ObjectGroupRecord::size;

bool hasGroupExtension(const std::string& name) {
    return name.size() >= 4 && common::equalsIgnoreCase(name.substr(name.size() - 4), ".odb");
}

bool lessIgnoreCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

std::vector<ObjectGroupRecord> recordsFromBytes(std::span<const std::uint8_t> file) {
    std::vector<ObjectGroupRecord> records(file.size() / kRecordSize);
    for (std::size_t i = 0; i < records.size(); ++i)
        std::copy_n(file.begin() + std::ptrdiff_t(i * kRecordSize), kRecordSize,
                    records[i].bytes().begin());
    return records;
}

fs::path objectGroupDirectory(const fs::path& programDirectory) {
    return programDirectory / "data" / "odb";
}

std::vector<std::string> listObjectGroupFiles(const fs::path& programDirectory) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(objectGroupDirectory(programDirectory), ec), end;
         !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc))
            continue;
        std::string name = it->path().filename().string();
        if (hasGroupExtension(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), lessIgnoreCase);
    return names;
}

std::string groupNameFromFileName(std::string_view fileName) {
    return std::string(fileName.substr(0, fileName.find('.')));
}

std::vector<std::string> listObjectGroupNames(const fs::path& programDirectory) {
    std::vector<std::string> names;
    for (const std::string& file : listObjectGroupFiles(programDirectory))
        names.push_back(groupNameFromFileName(file));
    return names;
}

fs::path objectGroupPath(const fs::path& programDirectory, std::string_view groupName) {
    return common::resolveCaseInsensitive(objectGroupDirectory(programDirectory),
                                          std::string(groupName) + ".odb");
}

fs::path objectGroupFilePath(const fs::path& programDirectory, std::string_view fileName) {
    return objectGroupDirectory(programDirectory) / std::string(fileName);
}

std::vector<std::string> listMenuTexts(const fs::path& programDirectory,
                                       std::string_view groupName) {
    std::vector<std::string> texts;
    if (groupName.empty())
        return texts;
    const auto records = readObjectGroup(objectGroupPath(programDirectory, groupName));
    if (!records)
        return texts;
    for (const ObjectGroupRecord& record : *records)
        texts.push_back(record.text(ObjectGroupRecord::menuText));
    return texts;
}

std::optional<std::vector<ObjectGroupRecord>> readObjectGroup(const fs::path& file,
                                                              std::error_code* reason) {
    // A partial record at the end is allowed for, not read.
    const auto bytes =
        common::readWholeFile(file, (kMaxObjectGroupRecords + 1) * kRecordSize - 1, reason);
    if (!bytes)
        return std::nullopt;
    return recordsFromBytes(*bytes);
}

bool hasEditorRecords(const std::vector<ObjectGroupRecord>& records) {
    return std::any_of(records.begin(), records.end(), [](const ObjectGroupRecord& r) {
        return r.text(ObjectGroupRecord::creatorTag) == ObjectGroupRecord::kCreator;
    });
}

std::optional<ObjectGroupRecord> readObjectRecord(const fs::path& file, std::size_t index,
                                                  std::error_code* reason) {
    const auto records = readObjectGroup(file, reason);
    if (!records)
        return std::nullopt;
    if (index >= records->size()) {
        if (reason)
            *reason = std::make_error_code(std::errc::result_out_of_range);
        return std::nullopt;
    }
    return (*records)[index];
}

// Record changes rewrite the whole group through a temporary file: a full disk or a crash
// leaves the group as it was, never half a record.
namespace {

bool writeGroupImage(const fs::path& file, const std::vector<ObjectGroupRecord>& records) {
    std::vector<std::uint8_t> image;
    image.reserve(records.size() * kRecordSize);
    for (const ObjectGroupRecord& r : records)
        image.insert(image.end(), r.bytes().begin(), r.bytes().end());
    return common::writeFileAtomically(file, image) == common::WriteResult::Written;
}

} // namespace

bool rewriteObjectRecord(const fs::path& file, std::size_t index, const ObjectGroupRecord& record) {
    // The record is replaced where it stands; every other byte, a partial tail too, stays.
    auto image = common::readWholeFile(file, (kMaxObjectGroupRecords + 1) * kRecordSize - 1);
    if (!image || index >= image->size() / kRecordSize)
        return false;
    std::copy(record.bytes().begin(), record.bytes().end(),
              image->begin() + static_cast<std::ptrdiff_t>(index * kRecordSize));
    return common::writeFileAtomically(file, *image) == common::WriteResult::Written;
}

bool appendObjectRecord(const fs::path& file, const ObjectGroupRecord& record) {
    std::error_code ec;
    if (fs::is_directory(file, ec))
        return false;
    // A missing group starts empty; a partial record at the end is dropped.
    auto records = fs::exists(file, ec) ? readObjectGroup(file)
                                        : std::optional<std::vector<ObjectGroupRecord>>{};
    if (!records) {
        if (fs::exists(file, ec))
            return false;
        records.emplace();
    }
    records->push_back(record);
    return writeGroupImage(file, *records);
}

bool deleteObjectRecord(const fs::path& file, std::size_t index) {
    auto records = readObjectGroup(file);
    if (!records || index >= records->size())
        return false;
    records->erase(records->begin() + static_cast<std::ptrdiff_t>(index));
    return writeGroupImage(file, *records);
}
bool isAcceptableGroupName(std::string_view name) {
    // The group is its file's name up to the first ".": a dot in the name would make the file list
    // as another group, and "x." would give "x..odb".
    return name.find_first_of("/\\.") == std::string_view::npos;
}

bool isGroupFileName(std::string_view fileName) {
    return !fileName.empty() && fileName != "." && fileName != ".." &&
           fileName.find_first_of("/\\") == std::string_view::npos;
}

bool createObjectGroup(const fs::path& programDirectory, std::string_view name,
                       common::Reporter& reporter) {
    if (!isAcceptableGroupName(name)) {
        reporter.report(kBadGroupNameError, kNewGroupCaption, common::MessageIcon::Stop);
        return false;
    }
    const fs::path path = objectGroupPath(programDirectory, name);
    // A program directory without groups yet gets its group directory with the first one.
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (!common::writeWholeFile(path, std::string_view())) {
        reporter.report(path.string(), kCreateGroupCaption, common::MessageIcon::Information);
        return false;
    }
    return true;
}

bool deleteObjectGroup(const fs::path& programDirectory, std::string_view fileName,
                       common::Reporter& reporter) {
    std::error_code ec;
    const bool removed = isGroupFileName(fileName) &&
                         fs::remove(objectGroupFilePath(programDirectory, fileName), ec) && !ec;
    if (!removed)
        reporter.report(kDeleteGroupError, kDeleteGroupCaption, common::MessageIcon::Stop);
    return removed;
}

} // namespace zev::gamedata
