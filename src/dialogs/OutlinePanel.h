#pragma once

#include "edit/OutlineModel.h"

#include <QWidget>

#include <vector>

class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace zev::dialogs {

class OutlineTableModel;

// The outline: a search field over a sortable table of the mission's objects, start points and
// nav points. Rows selected by the user are handed on to be selected in the workspace; a
// double-click asks for the camera to go to the row's thing, Enter for its editor.
class OutlinePanel : public QWidget {
    Q_OBJECT
public:
    OutlinePanel(edit::OutlineModel& outline, QWidget* parent = nullptr);
    ~OutlinePanel() override;

    // Marks the rows of what the workspace has selected, without handing them on again.
    void showSelection(const std::vector<edit::Selection>& selection);
    // The rows the search leaves, in the order shown.
    int shownRowCount() const;

signals:
    void thingsChosen(const std::vector<zev::edit::Selection>& things);
    void thingActivated(const zev::edit::Selection& thing);
    void thingToEdit(const zev::edit::Selection& thing);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    edit::Selection thingAt(int proxyRow) const;
    void selectionMoved();

    OutlineTableModel* table_;
    QSortFilterProxyModel* proxy_;
    QLineEdit* OutlineSearch;
    QTableView* OutlineList;
    bool showing_ = false;
    std::vector<edit::Selection> shown_;
};

} // namespace zev::dialogs
