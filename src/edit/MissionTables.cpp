#include "MissionTables.h"

#include "common/FileIo.h"
#include "common/FixedText.h"
#include "common/Numbers.h"
#include "mission/ObjectiveDefaults.h"

#include <algorithm>
#include <utility>

namespace zev::edit {

namespace {

constexpr const char* kProgramTitle = "ZEVEDIT 3D";
using mission::ObjectiveRow;
using mission::ObjectiveTable;

} // namespace

const std::array<std::string_view, MissionTablesModel::kGridColumns>
    MissionTablesModel::kGridTitles = {"ID#",        "Action",      "Visibility", "Target",
                                       "Activation", "Time",        "mpt",        "dnd",
                                       "Priority",   "Requirement", "Audio",      "Text"};

MissionTablesModel::MissionTablesModel(const mission::ObjectiveBlock& tables, std::string project)
    : working_(tables), project_(std::move(project)) {
    mission::adjustTargetsToProject(working_, project_);
    refresh();
}

void MissionTablesModel::refresh() {
    if (!currentTable().row(0).isUsed())
        mission::fillEmptyTables(working_, project_);
}

std::string MissionTablesModel::gridText(int line, int column) const {
    if (column < 0 || column >= kGridColumns || line < 0 || line >= kGridLines)
        return {};
    if (line == 0)
        return std::string(kGridTitles[std::size_t(column)]);
    const int r = line - 1;
    if (column == 0)
        return common::decimal(r);
    const ObjectiveRow& row = currentTable().row(r);
    if (!row.isUsed())
        return {};
    switch (column) {
    case 1:
        return row.text(ObjectiveRow::action);
    case 2:
        return row.text(ObjectiveRow::visibility);
    case 3:
        return row.text(ObjectiveRow::target);
    case 4:
        return row.conditionsInUse() < 2 ? row.text(ObjectiveRow::condition(0)) : "Table";
    case 5:
        return row.text(ObjectiveRow::timeLimit);
    case 6:
        return row.text(ObjectiveRow::aiMechsPerTarget);
    case 7:
        return row.text(ObjectiveRow::aiAttack);
    case 8:
        return row.text(ObjectiveRow::priority);
    case 9:
        return row.text(ObjectiveRow::requirement);
    case 10:
        return row.text(ObjectiveRow::audio);
    default:
        return row.text(ObjectiveRow::screenText);
    }
}

MissionTablesModel::ButtonStates MissionTablesModel::buttons() const {
    constexpr int lastRow = ObjectiveTable::rowCount - 1;
    const int last = lastUsedRow();
    ButtonStates b;
    b.add = last != lastRow;
    b.remove = selected_ > 0;
    b.up = selected_ > 0;
    b.edit = selected_ >= 0;
    b.copy = selected_ >= 0 && last != lastRow;
    b.down = selected_ != last;
    return b;
}

int MissionTablesModel::clickRow(int row) {
    selected_ = std::clamp(row, 0, lastUsedRow());
    return selected_;
}

void MissionTablesModel::finish(int row) {
    refresh();
    clickRow(row);
}

void MissionTablesModel::selectStar(int star) {
    star_ = std::clamp(star, 0, mission::kObjectiveTableCount - 1);
    finish(0);
}

bool MissionTablesModel::add(const EntryDialog& entry) {
    const int r = usedRows();
    if (r >= ObjectiveTable::rowCount)
        return false;
    selected_ = r;
    // Cancel leaves no trace: the row comes back byte for byte, combination flag included.
    const ObjectiveRow before = table().row(r);
    const bool ok = entry(table().row(r), r);
    if (!ok)
        table().row(r) = before;
    finish(ok ? r : r - 1);
    return ok;
}

bool MissionTablesModel::edit(const EntryDialog& entry) {
    if (selected_ < 0)
        return false;
    const int r = selected_;
    const ObjectiveTable before = table();
    const bool ok = entry(table().row(r), r);
    if (!ok)
        table() = before;
    finish(r);
    return ok;
}

void MissionTablesModel::copy() {
    const int n = usedRows();
    if (selected_ < 0 || n >= ObjectiveTable::rowCount)
        return;
    table().row(n) = table().row(selected_);
    finish(n);
}

void MissionTablesModel::remove() {
    if (selected_ <= 0)
        return;
    table().row(selected_).clear();
    finish(selected_ - 1);
}

void MissionTablesModel::moveUp() {
    if (selected_ <= 0)
        return;
    std::swap(table().row(selected_), table().row(selected_ - 1));
    finish(selected_ - 1);
}

void MissionTablesModel::moveDown() {
    if (selected_ < 0 || selected_ >= lastUsedRow())
        return;
    std::swap(table().row(selected_), table().row(selected_ + 1));
    finish(selected_ + 1);
}

void MissionTablesModel::clearTable() {
    table().clear();
    finish(0);
}

void MissionTablesModel::setMissionTimeLimit(std::string_view text) {
    table().setMissionTimeLimit(text.substr(0, kMissionTimeLimitChars));
}

int MissionTablesModel::missionTimeLimitSpinValue() const {
    return std::clamp(common::leadingInt(missionTimeLimit()), kMissionTimeLimitMin,
                      kMissionTimeLimitMax);
}

std::string MissionTablesModel::defaultTableFileName() const {
    return "msn" + common::decimal(star_) + ".tbl";
}

bool MissionTablesModel::saveTable(const std::filesystem::path& path, common::Reporter& reporter) {
    std::error_code reason;
    const bool written = common::writeWholeFile(path, currentTable().toBytes(), &reason);
    if (!written) {
        reporter.report(kTableWriteError, kProgramTitle, common::MessageIcon::Stop);
        reporter.detail(common::describeFileFailure("cannot write", path, reason));
    }
    finish(0);
    return written;
}

bool MissionTablesModel::loadTable(const std::filesystem::path& path, common::Reporter& reporter) {
    std::error_code reason;
    const auto bytes = common::readFilePrefix(path, ObjectiveTable::size, &reason);
    std::optional<ObjectiveTable> loaded;
    if (!bytes) {
        reporter.report(kTableOpenError, kProgramTitle, common::MessageIcon::Stop);
        reporter.detail(common::describeFileFailure("cannot read", path, reason));
    } else if (!(loaded = ObjectiveTable::fromBytes(*bytes))) {
        reporter.report(kTableTooShort, kProgramTitle, common::MessageIcon::Stop);
        reporter.detail(path.string() + ": " + common::decimal(std::int64_t(bytes->size())) +
                        " bytes");
    } else {
        table() = *loaded;
    }
    finish(0);
    return loaded.has_value();
}

} // namespace zev::edit
