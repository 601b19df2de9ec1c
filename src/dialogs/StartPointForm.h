#pragma once

#include "edit/StartPointsModel.h"

#include <QDialog>

#include <optional>

class QButtonGroup;
class QLineEdit;
class QTabBar;

namespace zev::dialogs {

// "Player Start Points": one page per player on the tab bar, each with the start position,
// heading and camouflage pattern. The pages edit a working copy; OK hands it back, Cancel drops
// it.
class TStartPoint : public QDialog {
    Q_OBJECT
public:
    // `firstPlayer` (1 to 8) is the page shown first.
    TStartPoint(const edit::StartPointRecords& records, int firstPlayer, QWidget* parent = nullptr);
    // The eight records OK stored; the records as given until then.
    const edit::StartPointRecords& result() const { return result_; }

public slots:
    void FormCreate();
    void PlayerTabChanging();
    void PlayerTabChange();
    void BitBtn1Click();

private:
    void showPage(int player);
    edit::StartPointValues controls() const;

    edit::StartPointsModel model_;
    edit::StartPointRecords result_;
    int shownPlayer_;

    QTabBar* PlayerTab;
    QLineEdit *X, *Y, *Z, *Heading;
    QButtonGroup* MekCamoPattern;
};

// Runs the start point dialog modally on `firstPlayer`'s page: the eight records on OK, nothing
// on Cancel.
std::optional<edit::StartPointRecords> editStartPoints(const edit::StartPointRecords& records,
                                                       int firstPlayer, QWidget* parent);

} // namespace zev::dialogs
