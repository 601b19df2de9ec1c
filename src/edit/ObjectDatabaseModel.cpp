#include "ObjectDatabaseModel.h"

#include "gamedata/ObjectGroups.h"

#include <algorithm>

namespace zev::edit {

namespace fs = std::filesystem;
using common::MessageIcon;

bool addObjectGroup(const fs::path& programDirectory, std::string_view name,
                    common::Reporter& reporter) {
    std::error_code ec;
    if (gamedata::isAcceptableGroupName(name) &&
        fs::exists(gamedata::objectGroupPath(programDirectory, name), ec)) {
        reporter.report(kGroupExistsError, gamedata::kNewGroupCaption, MessageIcon::Stop);
        return false;
    }
    return gamedata::createObjectGroup(programDirectory, name, reporter);
}

ObjectDatabaseModel::ObjectDatabaseModel(fs::path programDirectory, common::Reporter& reporter)
    : directory_(std::move(programDirectory)), reporter_(reporter) {
    listGroups();
}

DatabaseControls ObjectDatabaseModel::controls() const {
    DatabaseControls c;
    if (editing_) {
        c.saveData = c.abortChanges = true;
        return c;
    }
    c.groupList = c.objectList = c.newGroup = true;
    c.newObject = c.deleteGroup = group_ >= 0;
    c.deleteObject = record_ >= 0;
    return c;
}

fs::path ObjectDatabaseModel::groupFile() const {
    return gamedata::objectGroupFilePath(directory_, groups_[std::size_t(group_)]);
}

void ObjectDatabaseModel::clearRecord() {
    record_ = -1;
    values_ = {};
}

void ObjectDatabaseModel::listGroups() {
    groups_ = gamedata::listObjectGroupFiles(directory_);
    group_ = -1;
    objects_.clear();
    clearRecord();
}

bool ObjectDatabaseModel::listObjects() {
    objects_.clear();
    const auto records = gamedata::readObjectGroup(groupFile());
    if (!records) {
        reporter_.report(gamedata::kGroupListOpenError, gamedata::kGroupListOpenCaption,
                         MessageIcon::Information);
        clearRecord();
        return false;
    }
    for (const gamedata::ObjectGroupRecord& r : *records)
        objects_.push_back(r.text(gamedata::ObjectGroupRecord::objectName));
    return true;
}

bool ObjectDatabaseModel::chooseGroup(int index) {
    if (!controls().groupList || index < 0 || std::size_t(index) >= groups_.size())
        return false;
    group_ = index;
    record_ = -1;
    return listObjects();
}

bool ObjectDatabaseModel::chooseRecord(int index) {
    if (!controls().objectList || group_ < 0 || index < 0 || std::size_t(index) >= objects_.size())
        return false;
    const auto read = gamedata::readObjectRecord(groupFile(), std::size_t(index));
    if (!read) {
        reporter_.report(gamedata::kRecordOpenError, gamedata::kRecordOpenCaption,
                         MessageIcon::Stop);
        record_ = -1;
        return false;
    }
    record_ = index;
    buffer_ = *read;
    values_ = valuesFromRecord(buffer_);
    return true;
}

bool ObjectDatabaseModel::edit(const ObjectRecordValues& values) {
    if (loading_)
        return false;
    if (!editing_) {
        editing_ = true;
        // There is no record to rewrite: what is typed becomes a new object.
        if (record_ < 0)
            saveMode_ = SaveMode::Append;
    }
    values_ = values;
    return true;
}

bool ObjectDatabaseModel::newObject() {
    if (!controls().newObject)
        return false;
    values_ = {};
    editing_ = true;
    saveMode_ = SaveMode::Append;
    return true;
}

bool ObjectDatabaseModel::saveData() {
    if (!editing_)
        return false;
    const bool append = saveMode_ == SaveMode::Append;
    // Fields without a control come from the record read last. A new object takes its type words
    // only from its own radio groups: a word the form does not show is not saved with it.
    gamedata::ObjectGroupRecord base = buffer_;
    if (append) {
        base.setText(gamedata::ObjectGroupRecord::mainType, "");
        base.setText(gamedata::ObjectGroupRecord::alternateType, "");
    }
    const gamedata::ObjectGroupRecord record = composeRecord(base, values_);
    const bool written =
        group_ >= 0 &&
        (append ? gamedata::appendObjectRecord(groupFile(), record)
                : gamedata::rewriteObjectRecord(groupFile(), std::size_t(record_), record));
    if (!written) {
        reporter_.report(gamedata::kGroupWriteError, kSaveErrorCaption, MessageIcon::Stop);
        return false;
    }
    ++changes_;
    buffer_ = record;
    editing_ = false;
    saveMode_ = SaveMode::Rewrite;
    // The list shows the stored names; a new object is chosen so that further edits rewrite it.
    const int chosen = append ? -1 : record_;
    if (listObjects()) {
        record_ = append ? int(objects_.size()) - 1 : chosen;
        values_ = valuesFromRecord(buffer_);
    }
    return true;
}

bool ObjectDatabaseModel::abortChanges() {
    if (!editing_)
        return false;
    editing_ = false;
    saveMode_ = SaveMode::Rewrite;
    if (record_ < 0) {
        values_ = {};
        return true;
    }
    const int index = record_;
    record_ = -1;
    if (!chooseRecord(index))
        values_ = {};
    return true;
}

bool ObjectDatabaseModel::deleteObject() {
    if (!controls().deleteObject)
        return false;
    if (!gamedata::deleteObjectRecord(groupFile(), std::size_t(record_))) {
        reporter_.report(gamedata::kGroupListOpenError, gamedata::kGroupListOpenCaption,
                         MessageIcon::Information);
        return false;
    }
    ++changes_;
    clearRecord();
    listObjects();
    return true;
}

bool ObjectDatabaseModel::deleteGroup() {
    if (!controls().deleteGroup)
        return false;
    if (!gamedata::deleteObjectGroup(directory_, groups_[std::size_t(group_)], reporter_))
        return false;
    ++changes_;
    listGroups();
    return true;
}

bool ObjectDatabaseModel::newGroup(std::string_view name) {
    if (!controls().newGroup || !addObjectGroup(directory_, name, reporter_))
        return false;
    ++changes_;
    const std::string created = gamedata::objectGroupPath(directory_, name).filename().string();
    listGroups();
    const auto found = std::find(groups_.begin(), groups_.end(), created);
    chooseGroup(found != groups_.end() ? int(found - groups_.begin()) : int(groups_.size()) - 1);
    return true;
}

} // namespace zev::edit
