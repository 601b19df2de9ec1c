#include "RecentFiles.h"

#include <algorithm>
#include <filesystem>

namespace zev::edit {

RecentFiles::RecentFiles(const std::vector<std::string>& files) {
    // Oldest first, so that the newest of repeated entries wins its place.
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        add(*it);
}

void RecentFiles::add(const std::string& file) {
    if (file.empty())
        return;
    remove(file);
    files_.insert(files_.begin(), file);
    if (files_.size() > kMaxFiles)
        files_.resize(kMaxFiles);
}

void RecentFiles::remove(const std::string& file) {
    files_.erase(std::remove(files_.begin(), files_.end(), file), files_.end());
}

std::string RecentFiles::menuText(std::size_t index, const std::string& file) {
    std::string name = std::filesystem::path(file).filename().string();
    // A "&" of the name is shown as itself, not taken as an accelerator.
    std::string shown;
    for (char c : name) {
        if (c == '&')
            shown += '&';
        shown += c;
    }
    return "&" + std::to_string(index + 1) + " " + shown;
}

} // namespace zev::edit
