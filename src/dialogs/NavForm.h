#pragma once

#include "edit/NavPointTable.h"
#include "mission/NavPointRecord.h"

#include <QDialog>

#include <array>
#include <optional>

class QTabBar;
class QTableWidget;

namespace zev::dialogs {

// "Nav points": the nav point slots of the eight stars, one tab each, as a grid, with the
// buttons that insert, delete and erase a slot and undo every change; a double-click edits a
// slot in the setting dialog. Everything works on the model's working copy; OK accepts it,
// Cancel forgets it.
class TNavForm : public QDialog {
    Q_OBJECT
public:
    TNavForm(const edit::NavStars& stars, int firstStar, QWidget* parent = nullptr);

    const edit::NavPointTable& model() const { return model_; }

public slots:
    void TabControl1Change(int index);
    void StringGrid1DblClick();
    void InsertBtnClick();
    void BitBtn4Click();
    void EraseBtnClick();
    void UndoBtnClick();
    void BitBtn1Click();

private:
    // The slot of the selected grid line; outside 0..24 when none is selected.
    int selectedSlot() const;
    void showGrid();

    edit::NavPointTable model_;
    QTabBar* TabControl1;
    QTableWidget* StringGrid1;
};

// Runs the nav point table on a copy of `stars`, showing `firstStar` first: the edited stars on
// OK, nothing on Cancel.
std::optional<std::array<mission::Star, mission::kStarCount>>
editNavPoints(const std::array<mission::Star, mission::kStarCount>& stars, int firstStar,
              QWidget* parent);

} // namespace zev::dialogs
