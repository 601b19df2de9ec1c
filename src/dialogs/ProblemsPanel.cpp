#include "ProblemsPanel.h"

#include "FormParts.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
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

std::size_t errorsIn(const std::vector<MissionProblem>& problems) {
    return std::size_t(std::count_if(problems.begin(), problems.end(), [](const MissionProblem& p) {
        return p.severity == MissionProblem::Severity::Error;
    }));
}

} // namespace

QString problemSummary(const std::vector<MissionProblem>& problems) {
    if (problems.empty())
        return QStringLiteral("No problems found.");
    const std::size_t errors = errorsIn(problems);
    return counted(errors, "error") + QStringLiteral(", ") +
           counted(problems.size() - errors, "warning");
}

ProblemsPanel::ProblemsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProblemsPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Summary = new QLabel;
    Summary->setObjectName(QStringLiteral("Summary"));
    Summary->setAccessibleName(QStringLiteral("Problem summary"));
    layout->addWidget(Summary);

    ProblemList = new QTreeWidget;
    ProblemList->setObjectName(QStringLiteral("ProblemList"));
    ProblemList->setAccessibleName(QStringLiteral("Problems"));
    ProblemList->setRootIsDecorated(false);
    ProblemList->setUniformRowHeights(true);
    ProblemList->setHeaderLabels(
        {QStringLiteral("Severity"), QStringLiteral("Place"), QStringLiteral("Problem")});
    ProblemList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ProblemList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(ProblemList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { choose(item); });
    ProblemList->installEventFilter(this); // Enter hands on the current row
    layout->addWidget(ProblemList);
    Summary->setText(problemSummary(problems_));
}

void ProblemsPanel::choose(QTreeWidgetItem* item) {
    const int row = item ? ProblemList->indexOfTopLevelItem(item) : -1;
    if (row >= 0 && std::size_t(row) < problems_.size())
        emit problemChosen(problems_[std::size_t(row)]);
}

bool ProblemsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ProblemList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(ProblemList->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int ProblemsPanel::errorCount() const {
    return int(errorsIn(problems_));
}

void ProblemsPanel::showProblems(std::vector<MissionProblem> problems) {
    if (problems == problems_)
        return; // the rows stay, and so does the row the user is on
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

} // namespace zev::dialogs
