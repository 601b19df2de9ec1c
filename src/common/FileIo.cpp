#include "FileIo.h"

#include "IniFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zev::common {

namespace fs = std::filesystem;

namespace {

class FileErrorCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "zev-file"; }
    std::string message(int value) const override {
        switch (static_cast<FileError>(value)) {
        case FileError::NotRegularFile:
            return "Not a regular file";
        case FileError::TooLarge:
            return "File too large for its kind";
        }
        return "Unknown file error";
    }
};

std::error_code lastSystemError() {
    return {errno ? errno : EIO, std::generic_category()};
}

void setReason(std::error_code* reason, std::error_code value) {
    if (reason)
        *reason = value;
}

// Opens a regular file for reading and tells its size; anything else is refused before a byte
// is read.
std::FILE* openRegular(const fs::path& path, std::uintmax_t& size, std::error_code& reason) {
    const fs::file_status status = fs::status(path, reason);
    if (reason)
        return nullptr;
    if (!fs::is_regular_file(status)) {
        reason = FileError::NotRegularFile;
        return nullptr;
    }
    size = fs::file_size(path, reason);
    if (reason)
        return nullptr;
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (!f)
        reason = lastSystemError();
    return f;
}

// Reads at most `limit` bytes; the file may have changed size since it was measured, so the
// read goes by what arrives, never past `limit`.
std::optional<std::vector<std::uint8_t>> readUpTo(std::FILE* f, std::uintmax_t expected,
                                                  std::uintmax_t limit, std::error_code& reason) {
    std::vector<std::uint8_t> data;
    // Reserve what the file claims, but never trust a size for a large allocation up front.
    data.reserve(static_cast<std::size_t>(std::min({expected, limit, std::uintmax_t{1} << 26})));
    std::uint8_t chunk[65536];
    while (data.size() < limit) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uintmax_t>(sizeof chunk, limit - data.size()));
        errno = 0;
        const std::size_t got = std::fread(chunk, 1, want, f);
        data.insert(data.end(), chunk, chunk + got);
        if (got < want) {
            if (std::ferror(f)) {
                reason = lastSystemError();
                return std::nullopt;
            }
            break;
        }
    }
    return data;
}

fs::path temporaryBeside(const fs::path& path) {
    static std::random_device rd;
    static std::mt19937 generator(rd());
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(generator()));
    fs::path tmp = path;
    tmp += suffix;
    return tmp;
}

// A new file of our own: "x" refuses anything already there, a planted link included.
std::FILE* createExclusive(const fs::path& target, fs::path& temporary, std::error_code& reason) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = temporaryBeside(target);
        errno = 0;
        if (std::FILE* f = std::fopen(temporary.string().c_str(), "wbx"))
            return f;
        if (errno != EEXIST)
            break;
    }
    reason = lastSystemError();
    return nullptr;
}

bool writeAll(std::FILE* f, std::span<const std::uint8_t> data, std::error_code& reason) {
    errno = 0;
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f) != data.size()) {
        reason = lastSystemError();
        return false;
    }
    return true;
}

// Asks the system to put the file's bytes on the disk before the rename makes them the
// target's: otherwise a power cut right after a save can leave an empty file in its place.
bool syncToDisk(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return ::fsync(fileno(f)) == 0 || errno == EINVAL; // EINVAL: a file system that cannot sync
#endif
}

// The directory's entry for the renamed file on the disk too.
void syncDirectory(const fs::path& directory) {
#ifndef _WIN32
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)directory;
#endif
}

// Flushes, syncs and closes; a full disk often shows only here.
bool closeFile(std::FILE*& f, std::error_code& reason) {
    errno = 0;
    bool ok = std::fflush(f) == 0 && syncToDisk(f);
    if (!ok)
        reason = lastSystemError();
    errno = 0;
    if (std::fclose(f) != 0 && ok) {
        reason = lastSystemError();
        ok = false;
    }
    f = nullptr;
    return ok;
}

// Renames the finished temporary over the target, keeping an existing file's permissions.
bool replaceTarget(const fs::path& temporary, const fs::path& target, std::error_code& reason) {
    std::error_code ec;
    const fs::file_status old = fs::symlink_status(target, ec);
    if (!ec && fs::is_regular_file(old))
        fs::permissions(temporary, old.permissions(), ec);
    fs::rename(temporary, target, reason);
    if (reason)
        return false;
    syncDirectory(target.parent_path());
    return true;
}

// What may be replaced by a new file: nothing yet, a regular file or a link (replaced itself,
// never written through). A device, pipe or socket is refused, and so is a link to one: the
// rename would put a regular file where the system keeps something else (`/dev/full`, a named
// pipe another program reads). A directory is left to the rename, which refuses it.
bool replaceableTarget(const fs::path& target, std::error_code& reason) {
    std::error_code ec;
    const fs::file_status followed = fs::status(target, ec);
    if (ec || !fs::exists(followed) || fs::is_regular_file(followed) || fs::is_directory(followed))
        return true;
    reason = FileError::NotRegularFile;
    return false;
}

} // namespace

const std::error_category& fileErrorCategory() {
    static const FileErrorCategory category;
    return category;
}

std::error_code make_error_code(FileError e) {
    return {static_cast<int>(e), fileErrorCategory()};
}

std::string describeFileFailure(std::string_view action, const fs::path& path,
                                const std::error_code& reason) {
    std::string text(action);
    text += ' ';
    text += path.string();
    if (reason) {
        text += ": ";
        text += reason.message();
    }
    return text;
}

std::string messageWithFile(std::string_view text, const fs::path& path, std::string_view reason) {
    std::string message(text);
    message += "\r\n";
    message += path.string();
    if (!reason.empty()) {
        message += ": ";
        message += reason;
    }
    return message;
}

std::string messageWithFile(std::string_view text, const fs::path& path,
                            const std::error_code& reason) {
    return messageWithFile(text, path, reason ? reason.message() : std::string());
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const fs::path& path, std::uintmax_t maxSize,
                                                       std::error_code* reason) {
    std::error_code why;
    std::uintmax_t size = 0;
    std::FILE* f = openRegular(path, size, why);
    if (f && size > maxSize)
        why = FileError::TooLarge;
    std::optional<std::vector<std::uint8_t>> data;
    if (f && !why) {
        // One byte past the cap tells a file that grew beyond it since it was measured.
        data = readUpTo(f, size, maxSize == kNoSizeCap ? maxSize : maxSize + 1, why);
        if (data && data->size() > maxSize) {
            why = FileError::TooLarge;
            data.reset();
        }
    }
    if (f)
        std::fclose(f);
    setReason(reason, why);
    return data;
}

std::optional<std::vector<std::uint8_t>> readFilePrefix(const fs::path& path, std::size_t count,
                                                        std::error_code* reason) {
    std::error_code why;
    std::uintmax_t size = 0;
    std::FILE* f = openRegular(path, size, why);
    std::optional<std::vector<std::uint8_t>> data;
    if (f) {
        data = readUpTo(f, size, count, why);
        std::fclose(f);
    }
    setReason(reason, why);
    return data;
}

WriteResult writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> data,
                                std::error_code* reason) {
    AtomicFileWriter writer;
    if (!writer.open(path)) {
        setReason(reason, writer.reason());
        return WriteResult::CannotCreate;
    }
    if (!writer.write(data) || !writer.commit()) {
        setReason(reason, writer.reason());
        return WriteResult::WriteFailed;
    }
    setReason(reason, {});
    return WriteResult::Written;
}

bool writeWholeFile(const fs::path& path, std::span<const std::uint8_t> data,
                    std::error_code* reason) {
    return writeFileAtomically(path, data, reason) == WriteResult::Written;
}

bool writeWholeFile(const fs::path& path, std::string_view text, std::error_code* reason) {
    return writeWholeFile(path,
                          std::span<const std::uint8_t>(
                              reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                          reason);
}

bool NewFilesWriter::write(const fs::path& path, std::span<const std::uint8_t> data,
                           std::error_code* reason) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec))) {
        kept_.push_back(path);
        setReason(reason, {});
        return true;
    }
    return writeWholeFile(path, data, reason);
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

bool AtomicFileWriter::open(const fs::path& path) {
    discard();
    reason_.clear();
    target_ = path;
    if (!replaceableTarget(path, reason_))
        return false;
    file_ = createExclusive(path, temporary_, reason_);
    return file_ != nullptr;
}

bool AtomicFileWriter::write(std::span<const std::uint8_t> data) {
    if (!file_)
        return false;
    if (writeAll(file_, data, reason_))
        return true;
    discard();
    return false;
}

bool AtomicFileWriter::commit() {
    if (!file_)
        return false;
    if (!closeFile(file_, reason_) || !replaceTarget(temporary_, target_, reason_)) {
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void AtomicFileWriter::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        std::error_code ec;
        fs::remove(temporary_, ec);
        temporary_.clear();
    }
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
