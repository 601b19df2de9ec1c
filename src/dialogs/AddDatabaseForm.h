#pragma once

#include "common/Reporter.h"
#include "edit/ObjectQuickAdd.h"

#include <QDialog>

#include <filesystem>
#include <string>

class QListWidget;

namespace zev::dialogs {

class ObjectRecordPanel;

// "ZEVEDIT 3D Object Database Quick Add": one new record for a geometry, appended to the chosen
// group at OK.
class TAddDatabase : public QDialog {
    Q_OBJECT
public:
    TAddDatabase(const std::filesystem::path& programDirectory, const std::string& geometryName,
                 common::Reporter& reporter, QWidget* parent = nullptr);

    const edit::ObjectQuickAddModel& model() const { return model_; }

public slots:
    void FormCreate();
    void BitBtn1Click();
    void BitBtn3Click();

private:
    void showGroups();

    edit::ObjectQuickAddModel model_;
    QListWidget* GroupBox;
    ObjectRecordPanel* Record;
};

// Runs the quick-add dialog modally; true when a record was added or a group created.
bool runQuickAdd(const std::filesystem::path& programDirectory, const std::string& geometryName,
                 common::Reporter& reporter, QWidget* parent);

} // namespace zev::dialogs
