#include "edit/ObjectViewerModel.h"

#include "common/FileIo.h"

#include <algorithm>

namespace zev::edit {

namespace {

constexpr std::size_t kShortestListedName = 5;

std::vector<gamedata::GeometryIndexRecord> records(std::span<const std::uint8_t> image) {
    std::vector<gamedata::GeometryIndexRecord> out;
    if (image.size() < gamedata::kIndexHeaderSize)
        return out;
    constexpr std::size_t size = gamedata::GeometryIndexRecord::size;
    const std::size_t count = (image.size() - gamedata::kIndexHeaderSize) / size;
    out.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto from = image.subspan(gamedata::kIndexHeaderSize + i * size, size);
        std::copy(from.begin(), from.end(), out[i].bytes().begin());
    }
    return out;
}

} // namespace

std::vector<std::string> viewerObjectNames(std::span<const std::uint8_t> indexImage) {
    std::vector<std::string> names;
    for (const auto& record : records(indexImage)) {
        std::string name = record.text(gamedata::GeometryIndexRecord::longName);
        if (name.size() >= kShortestListedName)
            names.push_back(std::move(name));
    }
    return names;
}

std::optional<gamedata::GeometryIndexRecord>
findExactGeometryRecord(std::span<const std::uint8_t> indexImage, std::string_view name) {
    for (const auto& record : records(indexImage))
        if (record.text(gamedata::GeometryIndexRecord::longName) == name)
            return record;
    return std::nullopt;
}

double viewerFitScale(const engine::Box& box) {
    if (box.empty)
        return 1.0;
    const double largest =
        std::max({box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z});
    // A flat point would otherwise be blown up without bound.
    return largest > 0.0 ? ObjectViewerModel::kShownSize / largest : 1.0;
}

std::string databaseGeometryName(std::string_view listedName) {
    return std::string(listedName.substr(0, listedName.find('.')));
}

ObjectViewerModel::ObjectViewerModel(std::filesystem::path programDirectory)
    : programDirectory_(std::move(programDirectory)) {}

std::optional<std::vector<std::uint8_t>>
ObjectViewerModel::ReadIndex(common::Reporter& reporter) const {
    auto image = common::readWholeFile(
        gamedata::indexFilePath(programDirectory_, gamedata::IndexKind::Poly));
    if (!image)
        reporter.report("Could Not open WTB.IDX", "Error...", common::MessageIcon::Stop);
    return image;
}

bool ObjectViewerModel::LoadNames(common::Reporter& reporter) {
    names_.clear();
    const auto image = ReadIndex(reporter);
    if (!image)
        return false;
    names_ = viewerObjectNames(*image);
    return true;
}

std::optional<gamedata::GeometryIndexRecord>
ObjectViewerModel::FindRecord(std::string_view name, common::Reporter& reporter) const {
    const auto image = ReadIndex(reporter);
    if (!image)
        return std::nullopt;
    return findExactGeometryRecord(*image, name);
}

} // namespace zev::edit
