#include "FindData.h"

#include <cctype>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zev::common {

namespace fs = std::filesystem;

namespace {

// 100-nanosecond ticks between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kUnixEpochInFileTime = 116444736000000000LL;

struct Times {
    std::int64_t sec;
    std::int64_t nsec;
};

bool usableInShortName(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u >= 0x7F)
        return false;
    return std::string_view("\"*+,./:;<=>?[\\]|").find(c) == std::string_view::npos;
}

std::string shortPart(std::string_view text, bool& changed) {
    std::string out;
    for (char c : text) {
        if (usableInShortName(c))
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        else
            changed = true;
    }
    return out;
}

} // namespace

std::uint64_t windowsFileTime(std::int64_t seconds, std::int64_t nanoseconds) {
    const std::int64_t ticks = seconds * 10000000LL + nanoseconds / 100 + kUnixEpochInFileTime;
    return ticks < 0 ? 0 : static_cast<std::uint64_t>(ticks);
}

std::string shortFileName(const std::string& longName) {
    if (longName == "." || longName == "..")
        return longName;
    const std::size_t dot = longName.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    std::string_view stemText(longName);
    std::string_view extText;
    if (hasExtension) {
        stemText = std::string_view(longName).substr(0, dot);
        extText = std::string_view(longName).substr(dot + 1);
    }
    bool changed = false;
    std::string stem = shortPart(stemText, changed);
    std::string ext = shortPart(extText, changed);
    if (stem.empty())
        stem = "_";
    if (!changed && stem.size() <= 8 && ext.size() <= 3)
        return ext.empty() ? stem : stem + "." + ext;
    std::string out = stem.substr(0, 6) + "~1";
    if (!ext.empty())
        out += "." + ext.substr(0, 3);
    return out;
}

std::optional<FindDataRecord> findFileData(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;

    Times creation{st.st_ctim.tv_sec, st.st_ctim.tv_nsec};
#if defined(STATX_BTIME)
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME))
        creation = {sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec};
#endif

    FindDataRecord record;
    std::uint32_t attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= kFileAttributeDirectory;
    else
        attributes |= kFileAttributeArchive;
    if ((st.st_mode & S_IWUSR) == 0)
        attributes |= kFileAttributeReadOnly;
    std::string name = path.filename().string();
    if (name.empty())
        name = path.parent_path().filename().string();
    if (!name.empty() && name[0] == '.' && name != "." && name != "..")
        attributes |= kFileAttributeHidden;
    record.setInt32(FindDataRecord::attributes, static_cast<std::int32_t>(attributes));
    record.setCreationTime(windowsFileTime(creation.sec, creation.nsec));
    record.setLastAccessTime(windowsFileTime(st.st_atim.tv_sec, st.st_atim.tv_nsec));
    record.setLastWriteTime(windowsFileTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec));
    record.setFileSize(S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size));
    record.setText(FindDataRecord::longName, name);
    record.setText(FindDataRecord::shortName, shortFileName(name));
    return record;
}

} // namespace zev::common
