#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zev::edit {

// The missions last opened or saved, newest first, as the File menu offers them again.
class RecentFiles {
public:
    static constexpr std::size_t kMaxFiles = 8;

    RecentFiles() = default;
    // Empty entries and repeats are dropped; at most kMaxFiles are kept.
    explicit RecentFiles(const std::vector<std::string>& files);

    // A file opened or saved: it goes first, once.
    void add(const std::string& file);
    void remove(const std::string& file);
    const std::vector<std::string>& files() const { return files_; }

    // The menu text of entry `index`: its number as the Alt accelerator, then the file's name.
    static std::string menuText(std::size_t index, const std::string& file);

private:
    std::vector<std::string> files_;
};

} // namespace zev::edit
