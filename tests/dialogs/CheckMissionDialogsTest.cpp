#include "dialogs/CheckMissionForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace zev;
using build::MissionProblem;
using Kind = MissionProblem::Place::Kind;

TEST(CheckMissionForm, ListsTheProblemsHandsTheDoubleClickedOneOnAndChecksAgain) {
    const std::vector<MissionProblem> found = {
        {MissionProblem::Severity::Error,
         {Kind::Object, 3},
         "Object 3 \"Bunker\"",
         "Geometry \"bunkr\" is not in WTB.IDX"},
        {MissionProblem::Severity::Warning,
         {Kind::Objective, -1, 2, -1, 5},
         "Star 2 objective 5",
         "Target \"ABCDare3\" names area 3, which holds no object"},
    };
    int checks = 0;
    dialogs::CheckMissionForm form(found, [&] {
        ++checks;
        return std::vector<MissionProblem>{};
    });
    EXPECT_EQ(form.windowTitle(), "Check Mission");
    auto* list = form.findChild<QTreeWidget*>(QStringLiteral("ProblemList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(2), "Problem");
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Error");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Object 3 \"Bunker\"");
    EXPECT_EQ(list->topLevelItem(1)->text(0), "Warning");
    EXPECT_EQ(list->topLevelItem(1)->text(2), QString::fromStdString(found[1].text));
    auto* summary = form.findChild<QLabel*>(QStringLiteral("Summary"));
    EXPECT_EQ(summary->text(), "1 error, 1 warning");

    std::vector<MissionProblem> chosen;
    QObject::connect(&form, &dialogs::CheckMissionForm::problemChosen,
                     [&](const MissionProblem& p) { chosen.push_back(p); });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QPoint second = list->visualItemRect(list->topLevelItem(1)).center();
    // A double-click is a press and release and a second press that comes as the double-click.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0], found[1]);

    form.findChild<QPushButton*>(QStringLiteral("CheckAgainBtn"))->click();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(summary->text(), "No problems found.");
    EXPECT_TRUE(form.problems().empty());
}
