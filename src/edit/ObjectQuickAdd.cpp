#include "ObjectQuickAdd.h"

#include "ObjectDatabaseModel.h"

#include "gamedata/ObjectGroups.h"

#include <algorithm>

namespace zev::edit {

ObjectQuickAddModel::ObjectQuickAddModel(std::filesystem::path programDirectory,
                                         std::string_view geometryName, common::Reporter& reporter)
    : directory_(std::move(programDirectory)), reporter_(reporter), geometry_(geometryName) {
    listGroups();
    const std::string name(geometryName.substr(0, geometryName.find('.')));
    prefill_.objectName = name.substr(0, kObjectNameChars);
    prefill_.menuText = name.substr(0, kMenuTextChars);
    prefill_.scale = {"1", "1", "1"};
    prefill_.mainType = 0;
    prefill_.alternateType = 0;
    prefill_.objectType = gamedata::kObjectTypes[0];
    prefill_.objectParent = gamedata::kObjectParents[0];
}

void ObjectQuickAddModel::listGroups() {
    groups_ = gamedata::listObjectGroupFiles(directory_);
    group_ = groups_.empty() ? -1 : 0;
}

void ObjectQuickAddModel::chooseGroup(int index) {
    if (index >= 0 && std::size_t(index) < groups_.size())
        group_ = index;
}

std::string ObjectQuickAddModel::caption() const {
    return std::string(kQuickAddCaption) + " [" + geometry_ + "]";
}

gamedata::ObjectGroupRecord ObjectQuickAddModel::recordFrom(const ObjectRecordValues& values) {
    ObjectRecordValues v = values;
    v.readyMade = false;
    return composeRecord(gamedata::ObjectGroupRecord{}, v);
}

bool ObjectQuickAddModel::add(const ObjectRecordValues& values) {
    const bool written =
        group_ >= 0 && gamedata::appendObjectRecord(
                           gamedata::objectGroupFilePath(directory_, groups_[std::size_t(group_)]),
                           recordFrom(values));
    if (!written) {
        reporter_.report(gamedata::kGroupWriteError, kQuickAddErrorCaption,
                         common::MessageIcon::Stop);
        return false;
    }
    ++changes_;
    return true;
}

bool ObjectQuickAddModel::newGroup(std::string_view name) {
    if (!addObjectGroup(directory_, name, reporter_))
        return false;
    ++changes_;
    const std::string created = gamedata::objectGroupPath(directory_, name).filename().string();
    listGroups();
    const auto found = std::find(groups_.begin(), groups_.end(), created);
    if (found != groups_.end())
        group_ = int(found - groups_.begin());
    return true;
}

} // namespace zev::edit
