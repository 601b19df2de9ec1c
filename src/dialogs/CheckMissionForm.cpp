#include "CheckMissionForm.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev::dialogs {

using build::MissionProblem;

CheckMissionForm::CheckMissionForm(std::vector<MissionProblem> problems, Recheck recheck,
                                   QWidget* parent)
    : QDialog(parent), recheck_(std::move(recheck)) {
    setObjectName(QStringLiteral("CheckMissionForm"));
    setWindowTitle(QStringLiteral("Check Mission"));
    auto* layout = new QVBoxLayout(this);

    panel_ = new ProblemsPanel;
    connect(panel_, &ProblemsPanel::problemChosen, this, &CheckMissionForm::problemChosen);
    layout->addWidget(panel_);

    auto* buttons = new QDialogButtonBox;
    auto* again = buttons->addButton(QStringLiteral("Check Again"), QDialogButtonBox::ActionRole);
    again->setObjectName(QStringLiteral("CheckAgainBtn"));
    again->setEnabled(bool(recheck_));
    connect(again, &QPushButton::clicked, this, [this] { CheckAgainBtnClick(); });
    auto* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("CloseBtn"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    showProblems(std::move(problems));
    resize(720, 360);
}

void CheckMissionForm::showProblems(std::vector<MissionProblem> problems) {
    panel_->showProblems(std::move(problems));
}

void CheckMissionForm::CheckAgainBtnClick() {
    if (recheck_)
        showProblems(recheck_());
}

} // namespace zev::dialogs
