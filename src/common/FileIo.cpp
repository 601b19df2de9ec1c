#include "FileIo.h"

#include "IniFile.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

namespace zev::common {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> readWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> data;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        data.insert(data.end(), chunk, chunk + in.gcount());
        if (!in)
            break;
    }
    if (in.bad())
        return std::nullopt;
    return data;
}

namespace {

fs::path temporaryBeside(const fs::path& path) {
    std::random_device rd;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(rd()));
    fs::path tmp = path;
    tmp += suffix;
    return tmp;
}

bool writeStream(const fs::path& path, std::span<const std::uint8_t> data, bool& opened) {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    opened = f != nullptr;
    if (!f)
        return false;
    bool ok = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

} // namespace

WriteResult writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> data) {
    const fs::path tmp = temporaryBeside(path);
    bool opened = false;
    const bool written = writeStream(tmp, data, opened);
    std::error_code ec;
    if (!opened)
        return WriteResult::CannotCreate;
    if (!written) {
        fs::remove(tmp, ec);
        return WriteResult::WriteFailed;
    }
    fs::rename(tmp, path, ec);
    if (ec) {
        fs::remove(tmp, ec);
        return WriteResult::WriteFailed;
    }
    return WriteResult::Written;
}

bool writeWholeFile(const fs::path& path, std::span<const std::uint8_t> data) {
    bool opened = false;
    return writeStream(path, data, opened);
}

bool writeWholeFile(const fs::path& path, std::string_view text) {
    return writeWholeFile(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()),
                                            text.size()));
}

fs::path resolveCaseInsensitive(const fs::path& base, const fs::path& relative) {
    fs::path current = base;
    for (const auto& part : relative) {
        const fs::path exact = current / part;
        std::error_code ec;
        if (part == "." || part == ".." || fs::exists(exact, ec)) {
            current = exact;
            continue;
        }
        fs::path found;
        for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
            if (equalsIgnoreCase(it->path().filename().string(), part.string())) {
                found = it->path();
                break;
            }
        }
        if (found.empty())
            return base / relative;
        current = found;
    }
    return current;
}

} // namespace zev::common
