#pragma once

#include "build/MissionCheck.h"

#include <QWidget>

#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace zev::dialogs {

// The problems of the mission check, one row each (severity, place, text) under a summary line.
// A double-click (or Enter) on a row hands its problem on. The Check Mission dialog and the
// Problems dock both show their findings with it.
class ProblemsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProblemsPanel(QWidget* parent = nullptr);

    const std::vector<build::MissionProblem>& problems() const { return problems_; }
    void showProblems(std::vector<build::MissionProblem> problems);
    int errorCount() const;
    int warningCount() const { return int(problems_.size()) - errorCount(); }

signals:
    void problemChosen(const zev::build::MissionProblem& problem);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(QTreeWidgetItem* item);

    std::vector<build::MissionProblem> problems_;
    QTreeWidget* ProblemList;
    QLabel* Summary;
};

// "2 errors, 1 warning", or "No problems found." for none.
QString problemSummary(const std::vector<build::MissionProblem>& problems);

} // namespace zev::dialogs
