#pragma once

#include "ProblemsPanel.h"

#include "build/MissionCheck.h"

#include <QDialog>

#include <functional>
#include <vector>

namespace zev::dialogs {

// "Check Mission": the problems of the mission, one row each (severity, place, text). A
// double-click on a row hands its problem to whoever mends it; "Check Again" runs the check
// once more and shows what it finds. Works modeless or modal.
class CheckMissionForm : public QDialog {
    Q_OBJECT
public:
    using Recheck = std::function<std::vector<build::MissionProblem>()>;

    CheckMissionForm(std::vector<build::MissionProblem> problems, Recheck recheck,
                     QWidget* parent = nullptr);

    const std::vector<build::MissionProblem>& problems() const { return panel_->problems(); }
    void showProblems(std::vector<build::MissionProblem> problems);

signals:
    void problemChosen(const zev::build::MissionProblem& problem);

private:
    void CheckAgainBtnClick();

    Recheck recheck_;
    ProblemsPanel* panel_;
};

} // namespace zev::dialogs
