#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace zev::common {

// Reasons of our own beside the system's, so every failure can say why in one form.
enum class FileError {
    NotRegularFile = 1, // a directory, device, pipe or socket where a file is expected
    TooLarge,           // larger than the format can hold
};
const std::error_category& fileErrorCategory();
std::error_code make_error_code(FileError e);

// "cannot write out/d/sub: Is a directory": the action, the file and the reason.
std::string describeFileFailure(std::string_view action, const std::filesystem::path& path,
                                const std::error_code& reason);

// A message whose words are the program's own, followed on a line of its own by the file and
// why: "Unkown File Type...\r\nmissions/a.mdb: no mission file tag at its start". A box shows
// both lines; the command-line tool prints them on one.
std::string messageWithFile(std::string_view text, const std::filesystem::path& path,
                            std::string_view reason);
std::string messageWithFile(std::string_view text, const std::filesystem::path& path,
                            const std::error_code& reason);

// No cap on what a reader takes but the size of the file itself.
constexpr std::uintmax_t kNoSizeCap = ~std::uintmax_t{0};

// The whole file, or nothing when it cannot be read to its end. Only regular files are read
// (a device or pipe could be endless), and none larger than `maxSize`; `reason` tells why
// nothing came back.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path,
                                                       std::uintmax_t maxSize = kNoSizeCap,
                                                       std::error_code* reason = nullptr);

// The first `count` bytes of a regular file (fewer when the file is shorter), so a reader can
// check a tag before it takes the rest.
std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::filesystem::path& path,
                                                        std::size_t count,
                                                        std::error_code* reason = nullptr);

enum class WriteResult { Written, CannotCreate, WriteFailed };

// Writes through a new temporary file beside `path` and renames it over `path` only when every
// byte was written, so a failed write never harms the file that was there and leaves no
// temporary behind. The file's bytes and the directory entry are synced to the disk around the
// rename. A symbolic link at `path` is replaced by the new file, never written through; an
// existing file's permissions are kept. A target that exists and is a device, pipe or socket
// (also behind a link) is refused (`FileError::NotRegularFile`); a directory fails the rename.
WriteResult writeFileAtomically(const std::filesystem::path& path,
                                std::span<const std::uint8_t> data,
                                std::error_code* reason = nullptr);

// The same for callers that only need success and the reason.
bool writeWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                    std::error_code* reason = nullptr);
bool writeWholeFile(const std::filesystem::path& path, std::string_view text,
                    std::error_code* reason = nullptr);

// Writes files only where none is yet, for commands that set up a folder a user may already
// have changed (run again, they must not replace an edited file): an existing file, a link or
// anything else of that name is kept and remembered, so the command can say what it left.
class NewFilesWriter {
public:
    // True when the file was written or kept; false when the write failed (`reason` says why).
    bool write(const std::filesystem::path& path, std::span<const std::uint8_t> data,
               std::error_code* reason = nullptr);
    const std::vector<std::filesystem::path>& kept() const { return kept_; }

private:
    std::vector<std::filesystem::path> kept_;
};

// A file filled piece by piece (a package as the assembler run adds its members): the pieces
// go to a temporary file beside the target, which `commit` renames over it. Destroyed or
// discarded without a commit, it removes the temporary and the target stays as it was.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    ~AtomicFileWriter();

    bool open(const std::filesystem::path& path);
    bool write(std::span<const std::uint8_t> data);
    bool commit();
    void discard();
    bool isOpen() const { return file_ != nullptr; }
    // Why the last step failed.
    const std::error_code& reason() const { return reason_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    std::error_code reason_;
};

// Finds `relative` below `base` comparing every name case-insensitively (game data copied from
// a CD often has upper-case names). An exact match is preferred. When nothing matches, the
// path as given is returned.
std::filesystem::path resolveCaseInsensitive(const std::filesystem::path& base,
                                             const std::filesystem::path& relative);

} // namespace zev::common

template <> struct std::is_error_code_enum<zev::common::FileError> : std::true_type {};
