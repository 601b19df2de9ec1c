#pragma once

#include "common/Reporter.h"
#include "edit/KeyTable.h"

#include <QDialog>

#include <filesystem>

class QTableWidget;

namespace zev::dialogs {

// "Keyboard Mapping": the 23 workspace actions and their keys. A double-click on a row asks for
// a key in the key selection dialog; the model refuses the space bar and a key already taken.
// OK puts the working copy into the workspace's table and writes "key.map"; Cancel forgets it.
class TKeyForm : public QDialog {
    Q_OBJECT
public:
    TKeyForm(edit::KeyTable& table, std::filesystem::path programDirectory,
             common::Reporter& reporter, QWidget* parent = nullptr);

public slots:
    void ActionGridDblClick(int row);
    void BitBtn1Click();

private:
    void showRow(int action);

    edit::KeyTable& table_;
    std::filesystem::path programDirectory_;
    common::Reporter& reporter_;
    edit::KeyMappingModel model_;
    QTableWidget* ActionGrid;
};

} // namespace zev::dialogs
