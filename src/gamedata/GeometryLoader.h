#pragma once

#include "gamedata/Mesh.h"
#include "gamedata/ProjectArchive.h"
#include "gamedata/ReadyMadeGroup.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Game geometry as meshes, straight from the installed game data: the project archive named by
// the configured project path, WTB.IDX of the program directory and the ready-made group files
// beside the archive. Each call opens and closes what it reads; failures leave their text in
// `lastError` (the editor shows it after a failed load).
namespace zev::gamedata {

// An object's geometry found by name through WTB.IDX and converted with the object's scale.
// Fails with the texts of the lookup ("Could Not open ZEV.PRJ", "Could Not open WTB.IDX",
// "Object not Found in GEO Table") or of the conversion.
bool loadObjectMesh(const std::filesystem::path& configuredArchivePath,
                    const std::filesystem::path& programDirectory, std::string_view objectName,
                    Vec3 scale, Mesh& mesh, std::string& lastError);

// The directory that holds the "RMG" directory of the ready-made group files: the configured
// path when it names a directory, else its parent when its last component has an extension
// (it names the archive file), else the path itself.
std::filesystem::path readyMadeGroupBase(const std::filesystem::path& configuredArchivePath);

// "RMG/<name>.bwd" beside the archive, found case-insensitively; nothing when the name holds a
// path separator or "..".
std::optional<std::filesystem::path>
readyMadeGroupPath(const std::filesystem::path& configuredArchivePath, std::string_view name);

// A ready-made group with its members' meshes and placements. Fails with
// "Could not Open BWD File!", "Is Not a Ready Made Group (BWD file)!" and the texts of
// buildReadyMadeGroup.
bool loadReadyMadeGroup(const std::filesystem::path& configuredArchivePath,
                        const std::filesystem::path& programDirectory, std::string_view name,
                        ReadyMadeGroup& group, std::string& lastError);

// The geometry bytes at a data offset of an open archive: enough for the geometry there, cut at
// the end of the file. False when not even its header can be read.
bool readGeometryBytes(ProjectArchive& archive, std::uint32_t dataOffset,
                       std::vector<std::uint8_t>& bytes);

} // namespace zev::gamedata
