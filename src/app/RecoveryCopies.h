#pragma once

#include "mission/MissionDocument.h"
#include "mission/ScenePositions.h"

#include <QDateTime>
#include <QString>

#include <filesystem>
#include <memory>
#include <vector>

class QLockFile;

namespace zev::app {

// A recovery copy another editor left behind when it ended without saving.
struct RecoveryCopy {
    std::filesystem::path mission; // the copy itself, a mission file
    QString missionName;
    QString fileName; // the user's file it was a copy of; empty for a mission never saved
    QDateTime time;
};

// The recovery copies of the missions being edited, in the program directory's "recovery"
// folder: this editor's own one, written while its mission is modified and removed when the
// mission is saved or given up, and the ones of editors that ended without either. An editor
// holds a lock beside its copy while it runs, so a second editor never offers a copy in use.
class RecoveryCopies {
public:
    explicit RecoveryCopies(std::filesystem::path directory);
    ~RecoveryCopies();

    // Writes this editor's copy (through a temporary file; never over the user's file).
    bool write(const mission::MissionDocument& document, const mission::ScenePositions& positions,
               std::uint8_t patchSetting, const QString& fileName);
    // Removes this editor's copy.
    void discard();
    bool hasCopy() const;

    // Copies of editors that no longer run, newest first. Only what an editor wrote there:
    // regular files named after an editor's session with their description beside them, in
    // the folder itself; a folder that is a link lists nothing, and nothing is followed.
    std::vector<RecoveryCopy> leftBehind() const;
    // Removes a copy by the same rule; anything else is left alone.
    static void remove(const RecoveryCopy& copy);

    const std::filesystem::path& directory() const { return directory_; }

private:
    std::filesystem::path base() const;

    std::filesystem::path directory_;
    QString session_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace zev::app
