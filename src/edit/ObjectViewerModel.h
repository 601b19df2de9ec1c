#pragma once

#include "common/Reporter.h"
#include "engine/RenderQuality.h"
#include "engine/Visual.h"
#include "gamedata/IndexFiles.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The object viewer without its window: which geometries it lists, how it finds the one to
// show, how large it shows it and the render quality its menus change.
namespace zev::edit {

// Every WTB.IDX record name longer than 4 characters, in file order (repeats kept): the
// header is skipped, a partial last record ignored.
std::vector<std::string> viewerObjectNames(std::span<const std::uint8_t> indexImage);

// The first WTB.IDX record whose name equals `name` exactly.
std::optional<gamedata::GeometryIndexRecord>
findExactGeometryRecord(std::span<const std::uint8_t> indexImage, std::string_view name);

// The uniform scale that makes the largest extent of `box` ObjectViewerModel::kShownSize. A box
// without extent (empty, or a single point) keeps its size: 1.
double viewerFitScale(const engine::Box& box);

// A listed name as the object database takes it: cut at its first ".".
std::string databaseGeometryName(std::string_view listedName);

class ObjectViewerModel {
public:
    // Every object is shown about this many units across.
    static constexpr double kShownSize = 30.0;
    // How fast the shown object turns about Y, in radians per millisecond.
    static constexpr double kTurnSpeed = 0.0008;

    explicit ObjectViewerModel(std::filesystem::path programDirectory);

    // Reads the list from WTB.IDX of the program directory. When the file cannot be read,
    // reports "Could Not open WTB.IDX" (caption "Error...", stop icon), leaves the list empty
    // and returns false.
    bool LoadNames(common::Reporter& reporter);
    const std::vector<std::string>& Names() const { return names_; }

    // Reads WTB.IDX again and finds the record of a listed name (findExactGeometryRecord); the
    // file's failure is reported as by LoadNames. Nothing when the file or the name is missing.
    std::optional<gamedata::GeometryIndexRecord> FindRecord(std::string_view name,
                                                            common::Reporter& reporter) const;

    // The viewer's own render quality, 0x89 at first; the fill and shade menus change it.
    engine::RenderQuality Quality() const { return quality_; }
    void SetFill(engine::FillMode fill) { quality_ = quality_.WithFill(fill); }
    void SetShade(engine::ShadeMode shade) { quality_ = quality_.WithShade(shade); }

private:
    std::optional<std::vector<std::uint8_t>> ReadIndex(common::Reporter& reporter) const;

    std::filesystem::path programDirectory_;
    std::vector<std::string> names_;
    engine::RenderQuality quality_{engine::RenderQuality::kDefault};
};

} // namespace zev::edit
