#include "CheckMissionForm.h"

#include "FormParts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zev::dialogs {

using build::MissionProblem;

namespace {

QString counted(std::size_t n, const char* word) {
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(word)).arg(n == 1 ? "" : "s");
}

} // namespace

QString problemSummary(const std::vector<MissionProblem>& problems) {
    if (problems.empty())
        return QStringLiteral("No problems found.");
    const auto errors =
        std::size_t(std::count_if(problems.begin(), problems.end(), [](const MissionProblem& p) {
            return p.severity == MissionProblem::Severity::Error;
        }));
    return counted(errors, "error") + QStringLiteral(", ") +
           counted(problems.size() - errors, "warning");
}

CheckMissionForm::CheckMissionForm(std::vector<MissionProblem> problems, Recheck recheck,
                                   QWidget* parent)
    : QDialog(parent), recheck_(std::move(recheck)) {
    setObjectName(QStringLiteral("CheckMissionForm"));
    setWindowTitle(QStringLiteral("Check Mission"));
    auto* layout = new QVBoxLayout(this);

    Summary = new QLabel;
    Summary->setObjectName(QStringLiteral("Summary"));
    layout->addWidget(Summary);

    ProblemList = new QTreeWidget;
    ProblemList->setObjectName(QStringLiteral("ProblemList"));
    ProblemList->setRootIsDecorated(false);
    ProblemList->setUniformRowHeights(true);
    ProblemList->setHeaderLabels(
        {QStringLiteral("Severity"), QStringLiteral("Place"), QStringLiteral("Problem")});
    ProblemList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ProblemList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(ProblemList, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const int row = ProblemList->indexOfTopLevelItem(item);
        if (row >= 0 && std::size_t(row) < problems_.size())
            emit problemChosen(problems_[std::size_t(row)]);
    });
    layout->addWidget(ProblemList);

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
    problems_ = std::move(problems);
    ProblemList->clear();
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const MissionProblem& p : problems_) {
        const bool error = p.severity == MissionProblem::Severity::Error;
        auto* item =
            new QTreeWidgetItem({error ? QStringLiteral("Error") : QStringLiteral("Warning"),
                                 fromRecordText(p.placeText), fromRecordText(p.text)});
        item->setIcon(0, error ? errorIcon : warningIcon);
        item->setToolTip(2, fromRecordText(p.text));
        ProblemList->addTopLevelItem(item);
    }
    Summary->setText(problemSummary(problems_));
}

void CheckMissionForm::CheckAgainBtnClick() {
    if (recheck_)
        showProblems(recheck_());
}

} // namespace zev::dialogs
