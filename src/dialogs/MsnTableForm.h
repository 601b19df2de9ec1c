#pragma once

#include "common/Reporter.h"
#include "edit/MissionTables.h"
#include "mission/MissionDocument.h"

#include <QDialog>

#include <optional>
#include <string>

class QPushButton;
class QSpinBox;
class QTabBar;
class QTableWidget;

namespace zev::dialogs {

// "ZEVEdit Mission Table Editor": the objective tables of the eight stars, one tab each, as a
// grid, with the buttons that add, edit, copy, delete and move rows, clear the table and load or
// save it as a ".tbl" file, and the star's mission time limit. Everything works on the model's
// working copy; OK accepts it, Cancel forgets it.
class TMsnTableForm : public QDialog {
    Q_OBJECT
public:
    TMsnTableForm(const mission::ObjectiveBlock& tables, std::string project,
                  common::Reporter& reporter, QWidget* parent = nullptr);

    const edit::MissionTablesModel& model() const { return model_; }
    // Shows a star's table with a row selected (a problem of the mission check names it).
    void showObjective(int star, int row);

public slots:
    void FormShow();
    void TabControl1Change(int index);
    void StringGrid1Click(int row);
    void AddObjectiveClick();
    void EditObjectiveClick();
    void CopyObjectiveClick();
    void DeleteObjectiveClick();
    void ShiftUpClick();
    void ShiftDownClick();
    void ClearTableClick();
    void MsnTimeLimitChange(int value);
    void SaveTableClick();
    void LoadTableClick();
    void OKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* button(const char* name, const char* text, const char* hint,
                        void (TMsnTableForm::*slot)());
    bool runEntry(mission::ObjectiveRow& row, int rowIndex);
    // The grid, the time limit and the buttons as the model has them now.
    void showTable();

    edit::MissionTablesModel model_;
    common::Reporter& reporter_;
    // Set while showTable moves the grid's highlight: that move is no choice of the user.
    bool showingTable_ = false;
    QTabBar* TabControl1;
    QTableWidget* StringGrid1;
    QSpinBox* MsnTimeLimit;
    QPushButton *AddObjective, *EditObjective, *CopyObjective, *DeleteObjective, *ShiftUp,
        *ShiftDown, *LoadTable, *SaveTable, *ClearTable;
};

// Runs the mission table editor on the document's tables; the edited tables on OK, nothing on
// Cancel. The targets take the document's project name. It opens on `star`'s table with `row`
// selected (star 0, row 0 by default).
std::optional<mission::ObjectiveBlock> editMissionTables(const mission::MissionDocument& document,
                                                         common::Reporter& reporter,
                                                         QWidget* parent, int star = 0,
                                                         int row = -1);

} // namespace zev::dialogs
