#include "AppTestSupport.h"

#include "app/DirtyForm.h"
#include "app/FileDialogs.h"
#include "app/SelectionForm.h"

#include "common/Reporter.h"
#include "mission/MissionHeader.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>

using namespace zev;
using app::TSelectionForm;
using app::UnsavedChoice;
using common::MessageIcon;
using common::ReportedMessage;

namespace {

TEST(SelectionForm, OffersItsTabsAndFieldsWithTheirDefaults) {
    common::RecordingReporter reporter;
    TSelectionForm form(reporter, true);
    EXPECT_EQ(form.windowTitle(), "New Mission Selection");
    ASSERT_EQ(form.SelectionControl->count(), 2);
    EXPECT_EQ(form.SelectionControl->tabText(0), "Free for All");
    EXPECT_EQ(form.SelectionControl->tabText(1), "Team Play");
    EXPECT_EQ(form.SelectionControl->currentIndex(), 0);
    EXPECT_EQ(form.Players->value(), 4);
    EXPECT_EQ(form.PatchBox->text(), "use mission for 1.1 patch");
    EXPECT_TRUE(form.PatchBox->isChecked()) << "the patch box follows the program-wide setting";
    TSelectionForm unpatched(reporter, false);
    EXPECT_FALSE(unpatched.PatchBox->isChecked());
}

TEST(SelectionForm, AnEmptyProjectNameIsRefusedWithItsMessageAndTheDialogStaysOpen) {
    common::RecordingReporter reporter;
    TSelectionForm form(reporter, false);
    form.show();
    form.BitBtn1Click();
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], (ReportedMessage{"You Must Specify a Project Name.",
                                                     "ZEVEDIT 3D", MessageIcon::Information}));
    EXPECT_TRUE(form.isVisible());
    EXPECT_NE(form.result(), QDialog::Accepted);

    // The OK button is the same check.
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    EXPECT_EQ(reporter.messages.size(), 2u);
    EXPECT_TRUE(form.isVisible());

    // Cancel still closes.
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(reporter.messages.size(), 2u);
}

TEST(SelectionForm, TheProjectNameHoldsAtMostFourCharactersAndNoPathSeparators) {
    common::RecordingReporter reporter;
    TSelectionForm form(reporter, false);
    form.show();
    QTest::keyClicks(form.ProjectName, "AB/C\\DEFG");
    EXPECT_EQ(form.ProjectName->text(), "ABCD") << "typed separators are refused, then 4 chars";
    form.ProjectName->setText(QStringLiteral("LONGNAME"));
    EXPECT_EQ(form.ProjectName->text(), "LONG");

    // Text that got past the editor (pasted or set) is refused on OK with the reason.
    for (const char* unsafe : {"a/b", "a\\b", "..", "a:b", ".", "ab*?", "a b", "a%b"}) {
        form.ProjectName->setText(QString::fromLatin1(unsafe));
        form.BitBtn1Click();
        EXPECT_TRUE(form.isVisible()) << unsafe;
        EXPECT_NE(form.result(), QDialog::Accepted) << unsafe;
    }
    ASSERT_EQ(reporter.messages.size(), 8u);
    EXPECT_EQ(reporter.messages[3].text, "Project Name May Not Contain Path Separators or \"..\"!");
    EXPECT_EQ(
        reporter.messages[5].text,
        "Project Name May Not Contain Blanks, Control Characters or Any of * ? \" < > | & ^ % #");

    form.ProjectName->setText(QStringLiteral("A.B"));
    QTest::keyClicks(form.ProjectName, "*");
    EXPECT_EQ(form.ProjectName->text(), "A.B") << "unsafe characters cannot be typed";
    form.BitBtn1Click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(reporter.messages.size(), 8u);
}

TEST(SelectionForm, PlayersStayBetweenTwoAndEightAndTheTabChoosesFreeForAllOrTeamPlay) {
    common::RecordingReporter reporter;
    TSelectionForm form(reporter, false);
    form.Players->setValue(1);
    EXPECT_EQ(form.Players->value(), 2);
    form.Players->setValue(9);
    EXPECT_EQ(form.Players->value(), 8);
    form.Players->setValue(2);
    QTest::keyClick(form.Players, Qt::Key_Down);
    EXPECT_EQ(form.Players->value(), 2);

    form.ProjectName->setText(QStringLiteral("TEAM"));
    form.MissionName->setText(QString(50, QLatin1Char('m')));
    form.Players->setValue(6);
    form.PatchBox->setChecked(true);
    form.SelectionControl->setCurrentIndex(1);
    mission::NewMissionSelection s = form.selection();
    EXPECT_EQ(s.projectName, "TEAM");
    EXPECT_EQ(s.missionName, std::string(39, 'm')) << "the header field holds 39 characters";
    EXPECT_EQ(s.players, 6);
    EXPECT_FALSE(s.freeForAll);
    EXPECT_TRUE(s.patch);
    form.SelectionControl->setCurrentIndex(0);
    EXPECT_TRUE(form.selection().freeForAll);
}

TEST(SelectionForm, TheMainWindowsOwnDialogMakesTheNewMissionFromWhatWasEntered) {
    apptest::EditorSandbox sandbox;
    apptest::ScriptedDesignForm form(sandbox.context());
    form.show();
    form.realSelectionDialog = true;
    form.showBoxes = true;
    int emptyNameBoxes = 0;
    apptest::answerNextModal([&](QWidget* modal) {
        auto* selection = qobject_cast<TSelectionForm*>(modal);
        ASSERT_NE(selection, nullptr);
        // First an empty name: the message box comes up over the dialog.
        apptest::answerNextModal([&](QWidget* box) {
            ++emptyNameBoxes;
            EXPECT_NE(box, selection);
            QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        });
        selection->BitBtn1Click();
        EXPECT_TRUE(selection->isVisible());
        selection->ProjectName->setText(QStringLiteral("SELF"));
        selection->MissionName->setText(QStringLiteral("Made Here"));
        selection->Players->setValue(3);
        selection->SelectionControl->setCurrentIndex(1);
        selection->BitBtn1Click();
    });
    form.NewBtn->trigger();
    EXPECT_EQ(emptyNameBoxes, 1);
    EXPECT_EQ(form.messageBoxes, 1);
    const mission::MissionHeader& h = form.document().header;
    EXPECT_EQ(h.text(mission::MissionHeader::projectName), "SELF");
    EXPECT_EQ(h.text(mission::MissionHeader::missionName), "Made Here");
    EXPECT_EQ(h.text(mission::MissionHeader::numberOfPlayers), "3");
    EXPECT_EQ(h.byte(mission::MissionHeader::freeForAll), 0);
    EXPECT_EQ(form.windowTitle(), "ZEVEDIT 3D  [New Mission][*]");

    // Cancelling the dialog keeps that mission.
    apptest::answerNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    form.NewBtn->trigger();
    EXPECT_EQ(form.document().header.text(mission::MissionHeader::projectName), "SELF");
}

TEST(DirtyForm, ShowsItsTextsAndEachButtonGivesItsAnswer) {
    app::TDirtyForm form;
    EXPECT_EQ(form.windowTitle(), "ZEVEDIT 3D Work Space Manager");
    QStringList texts;
    for (const QLabel* label : form.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("You currently have an unsaved Work Space Open."));
    EXPECT_TRUE(texts.contains("What Would You Like to Do?"));

    const struct {
        const char* button;
        const char* text;
        UnsavedChoice answer;
        int result;
    } cases[] = {{"SaveItBtn", "Save It", UnsavedChoice::SaveIt, 1},
                 {"DumpItBtn", "Dump It", UnsavedChoice::DumpIt, 5},
                 {"CancelBtn", "Cancel", UnsavedChoice::Cancel, 2}};
    for (const auto& c : cases) {
        int result = -1;
        apptest::answerNextModal([&](QWidget* modal) {
            auto* button = modal->findChild<QPushButton*>(QString::fromLatin1(c.button));
            ASSERT_NE(button, nullptr) << c.button;
            EXPECT_EQ(button->text(), c.text);
            QTest::mouseClick(button, Qt::LeftButton);
            result = static_cast<QDialog*>(modal)->result();
        });
        EXPECT_EQ(app::TDirtyForm::ask(nullptr), c.answer) << c.button;
        EXPECT_EQ(result, c.result) << c.button;
    }
    // Closing the box is Cancel.
    apptest::answerNextModal([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(app::TDirtyForm::ask(nullptr), UnsavedChoice::Cancel);
}

TEST(FileDialogs, TheResultPathJoinsFolderAndNameAsTextsWithoutAddingAnExtension) {
    const QString sep = QDir::separator();
    EXPECT_EQ(app::joinDialogPath(QStringLiteral("/m"), QStringLiteral("test")),
              "/m" + sep + "test");
    // A root folder gives a doubled separator: nothing is normalised.
    EXPECT_EQ(app::joinDialogPath(sep, QStringLiteral("x.mdb")), sep + sep + "x.mdb");
}

} // namespace
