#include "RecoveryCopies.h"

#include "common/FileIo.h"
#include "common/IniFile.h"
#include "common/Reporter.h"
#include "mission/MissionFile.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QUuid>

#include <algorithm>

namespace zev::app {

namespace fs = std::filesystem;

namespace {

fs::path withExtension(fs::path base, const char* extension) {
    base += extension;
    return base;
}

// The folder itself, never a link to another one (a user's missions behind a link must never be
// listed, written or deleted as copies).
bool isOwnFolder(const fs::path& directory) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(directory, ec));
}

bool isRegularNotLink(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(path, ec));
}

// A copy this editor wrote: named after an editor session, a regular file (not a link) with
// its regular description beside it.
bool isOwnCopy(const fs::path& mission) {
    const QString stem = QString::fromStdString(mission.stem().string());
    const QUuid session = QUuid::fromString(stem);
    return mission.extension() == ".mdb" && !session.isNull() &&
           session.toString(QUuid::WithoutBraces) == stem.toLower() && isRegularNotLink(mission) &&
           isRegularNotLink(withExtension(fs::path(mission).replace_extension(), ".ini"));
}

} // namespace

RecoveryCopies::RecoveryCopies(fs::path directory)
    : directory_(std::move(directory)),
      session_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

RecoveryCopies::~RecoveryCopies() = default;

fs::path RecoveryCopies::base() const {
    return directory_ / session_.toStdString();
}

bool RecoveryCopies::write(const mission::MissionDocument& document,
                           const mission::ScenePositions& positions, std::uint8_t patchSetting,
                           const QString& fileName) {
    std::error_code ec;
    fs::create_directories(directory_, ec);
    if (!isOwnFolder(directory_))
        return false;
    if (!lock_) {
        lock_ = std::make_unique<QLockFile>(
            QString::fromStdString(withExtension(base(), ".lock").string()));
        lock_->setStaleLockTime(0); // held as long as this editor runs
        if (!lock_->tryLock(0)) {
            lock_.reset();
            return false;
        }
    }
    // Save stamps and refreshes the document it writes: a copy, so the mission stays untouched.
    mission::MissionDocument copy = document;
    common::SilentReporter quiet;
    if (!mission::MissionFile::save(copy, withExtension(base(), ".mdb"), positions, patchSetting,
                                    quiet))
        return false;
    const QString info =
        QStringLiteral("[Recovery]\r\nMission=%1\r\nFile=%2\r\nTime=%3\r\n")
            .arg(QString::fromLatin1(document.header.text(mission::MissionHeader::missionName)),
                 fileName, QDateTime::currentDateTime().toString(Qt::ISODate));
    return common::writeWholeFile(withExtension(base(), ".ini"), info.toStdString());
}

bool RecoveryCopies::hasCopy() const {
    std::error_code ec;
    return fs::exists(withExtension(base(), ".mdb"), ec);
}

void RecoveryCopies::discard() {
    std::error_code ec;
    fs::remove(withExtension(base(), ".mdb"), ec);
    fs::remove(withExtension(base(), ".ini"), ec);
    if (lock_) {
        lock_->unlock();
        lock_.reset();
    }
}

std::vector<RecoveryCopy> RecoveryCopies::leftBehind() const {
    std::vector<RecoveryCopy> copies;
    std::error_code ec;
    if (!isOwnFolder(directory_))
        return copies;
    for (const auto& entry : fs::directory_iterator(directory_, ec)) {
        const fs::path mission = entry.path();
        if (!isOwnCopy(mission) || mission.stem().string() == session_.toStdString())
            continue;
        fs::path stem = mission;
        stem.replace_extension();
        // A copy whose editor still runs is locked; a lock of an editor that was killed is
        // stale and taken over here.
        QLockFile lock(QString::fromStdString(withExtension(stem, ".lock").string()));
        lock.setStaleLockTime(0); // by its process only, however old the lock is
        if (!lock.tryLock(0))
            continue;
        lock.unlock();
        const common::IniFile info = common::IniFile::load(withExtension(stem, ".ini"));
        RecoveryCopy copy;
        copy.mission = mission;
        copy.missionName = QString::fromLatin1(info.getString("Recovery", "Mission", "").c_str());
        copy.fileName = QString::fromStdString(info.getString("Recovery", "File", ""));
        copy.time = QDateTime::fromString(
            QString::fromStdString(info.getString("Recovery", "Time", "")), Qt::ISODate);
        copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.time > b.time; });
    return copies;
}

void RecoveryCopies::remove(const RecoveryCopy& copy) {
    if (!isOwnFolder(copy.mission.parent_path()) || !isOwnCopy(copy.mission))
        return;
    fs::path stem = copy.mission;
    stem.replace_extension();
    std::error_code ec;
    fs::remove(copy.mission, ec);
    fs::remove(withExtension(stem, ".ini"), ec);
    fs::remove(withExtension(stem, ".lock"), ec);
}

} // namespace zev::app
