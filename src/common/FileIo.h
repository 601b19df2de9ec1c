#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zev::common {

// The whole file, or nothing when it cannot be opened or read to its end.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path);

enum class WriteResult { Written, CannotCreate, WriteFailed };

// Writes through a temporary file beside `path` and renames it over `path` only when every
// byte was written, so a failed write never harms the file that was there.
WriteResult writeFileAtomically(const std::filesystem::path& path,
                                std::span<const std::uint8_t> data);

// Plain write of a whole file (created or truncated); false when any step fails.
bool writeWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> data);
bool writeWholeFile(const std::filesystem::path& path, std::string_view text);

// Finds `relative` below `base` comparing every name case-insensitively (game data copied from
// a CD often has upper-case names). An exact match is preferred. When nothing matches, the
// path as given is returned.
std::filesystem::path resolveCaseInsensitive(const std::filesystem::path& base,
                                             const std::filesystem::path& relative);

} // namespace zev::common
