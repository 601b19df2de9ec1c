#include "DialogTestSupport.h"
#include "dialogs/BriefingForm.h"
#include "dialogs/BriefingPage.h"

#include "build/RtfBriefing.h"
#include "mission/ProjectName.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace zev;
using namespace dialogtest;
using mission::MissionHeader;

namespace {

std::vector<std::uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::string converted(const std::vector<std::uint8_t>& page) {
    return build::convertBriefingRtf(page).text;
}

// Selects characters [from, to) of a page.
void select(QTextEdit* page, int from, int to) {
    QTextCursor cursor(page->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    page->setTextCursor(cursor);
}

struct Drive : platform::CdAudioDevice {
    std::vector<std::int32_t>* tracks;
    explicit Drive(std::vector<std::int32_t>* t) : tracks(t) {}
    bool playFromTrack(std::int32_t track) override {
        tracks->push_back(track);
        return true;
    }
    bool stop() override { return true; }
};

mission::MissionDocument briefedMission() {
    mission::MissionDocument d;
    d.header.setText(MissionHeader::projectName, "ABCD");
    d.header.setText(MissionHeader::missionName, "Dawn");
    d.header.setInt32(MissionHeader::teamAMekGroup, 2);
    d.header.setInt32(MissionHeader::teamBMekGroup, 9); // no button: none checked
    d.briefings[0] = bytes(build::writeBriefingRtf({{"Go north\n", build::kBriefingWhite}}));
    d.briefings[1] = bytes("{\\rtf1\\ansi Team A orders}");
    // A page of another editor, untouched below: its bytes must come back as they are.
    d.briefings[2] = bytes("{\\rtf1\\ansi\\ansicpg1252{\\colortbl ;\\red0\\green0\\blue255;}"
                           "\\viewkind4\\cf1 Team B\\par\r\n}\r\n\0");
    return d;
}

} // namespace

TEST(BriefingForm, ColoursTheSelectionInEveryPageAndStoresEditedPagesAtOk) {
    common::RecordingReporter reporter;
    dialogs::TBriefingForm form(reporter);
    std::vector<std::int32_t> tracks;
    form.setPlayerMaker(
        [&tracks] { return std::make_unique<platform::TCD32>(std::make_unique<Drive>(&tracks)); });
    const mission::MissionDocument document = briefedMission();

    QTimer::singleShot(0, [&] {
        EXPECT_EQ(form.windowTitle(), "Briefing Room");
        EXPECT_EQ(child<QLineEdit>(&form, "ProjectName")->text(), "ABCD");
        EXPECT_TRUE(child<QRadioButton>(&form, "TeamABoth")->isChecked());
        EXPECT_FALSE(child<QRadioButton>(&form, "TeamBClan")->isChecked());
        ASSERT_NE(form.player(), nullptr);
        child<QPushButton>(&form, "Play")->click(); // empty track field: track 0

        auto* main = child<QTextEdit>(&form, "BrfEdit0");
        auto* teamA = child<QTextEdit>(&form, "BrfEdit1");
        EXPECT_EQ(main->toPlainText(), "Go north\n");
        QTextCursor end(main->document());
        end.movePosition(QTextCursor::End);
        main->setTextCursor(end);
        main->insertPlainText("Then east");
        select(main, 3, 9);  // "north" and the line end
        select(teamA, 0, 4); // "Team"
        child<QPushButton>(&form, "RedBtn")->click();
        select(main, 14, 18);                // "east"
        teamA->moveCursor(QTextCursor::End); // nothing selected in Team A now
        child<QPushButton>(&form, "GreenBtn")->click();

        child<QLineEdit>(&form, "ProjectName")->setText("a/b");
        child<QPushButton>(&form, "OkBtn")->click();
        ASSERT_EQ(reporter.messages.size(), 1u); // refused, the window stays
        EXPECT_EQ(reporter.messages[0].text, mission::kProjectNameEscapes);
        child<QLineEdit>(&form, "ProjectName")->setText("WXYZ");
        child<QLineEdit>(&form, "ProjectName")->insert("Q"); // a fifth character cannot be typed
        child<QRadioButton>(&form, "TeamBClan")->setChecked(true);
        child<QPushButton>(&form, "OkBtn")->click();
    });
    const auto result = form.edit(document);
    ASSERT_TRUE(result);
    EXPECT_EQ(tracks, std::vector<std::int32_t>{0});
    EXPECT_EQ(form.player(), nullptr); // the player ends with the window
    EXPECT_EQ(result->header.text(MissionHeader::projectName), "WXYZ");
    EXPECT_EQ(result->header.int32(MissionHeader::teamAMekGroup), 2);
    EXPECT_EQ(result->header.int32(MissionHeader::teamBMekGroup), 0);
    EXPECT_EQ(converted(result->briefings[0]), "&WGo &Rnorth\n&WThen &Geast\n&X");
    EXPECT_EQ(converted(result->briefings[1]), "&RTeam A orders\n&X");
    EXPECT_EQ(result->briefings[2], document.briefings[2]);

    // Shown again over the stored pages, nothing changed: the same bytes, and Cancel nothing.
    mission::MissionDocument stored = document;
    stored.briefings = result->briefings;
    QTimer::singleShot(0, [&] { child<QPushButton>(&form, "OkBtn")->click(); });
    const auto again = form.edit(stored);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->briefings, stored.briefings);
    QTimer::singleShot(0, [&] { child<QPushButton>(&form, "CancelBtn")->click(); });
    EXPECT_FALSE(form.edit(stored));
}

TEST(BriefingPage, AnEditedPageWritesItsRunsAndReadsBackTheSame) {
    QTextDocument page;
    const std::string rtf = build::writeBriefingRtf({{"Plain ", std::nullopt},
                                                     {"red\n\nline", build::kBriefingRed},
                                                     {" blue", build::kBriefingBlue}});
    dialogs::showBriefingPage(
        page, std::span(reinterpret_cast<const std::uint8_t*>(rtf.data()), rtf.size()));
    EXPECT_FALSE(page.isModified());
    const auto runs = dialogs::briefingPageRuns(page);
    EXPECT_EQ(build::writeBriefingRtf(runs), rtf);
    page.setModified(true);
    EXPECT_EQ(dialogs::storedBriefingPage(page, {}), bytes(rtf));
}

TEST(BriefingForm, KeepsWhatWasTypedWhenClosedWithoutOkAndWhenRestoredFromMinimised) {
    common::RecordingReporter reporter;
    dialogs::TBriefingForm form(reporter);
    int players = 0;
    std::vector<std::int32_t> tracks;
    form.setPlayerMaker([&] {
        ++players;
        return std::make_unique<platform::TCD32>(std::make_unique<Drive>(&tracks));
    });
    const mission::MissionDocument document = briefedMission();

    QTimer::singleShot(0, [&] {
        auto* teamA = child<QTextEdit>(&form, "BrfEdit1");
        teamA->moveCursor(QTextCursor::Start);
        teamA->insertPlainText("Hold the ridge. ");
        child<QLineEdit>(&form, "MissionTitle")->setText("Dusk");
        // Minimised and restored: nothing reloaded, the player not made again.
        form.setWindowState(Qt::WindowMinimized);
        form.setWindowState(Qt::WindowNoState);
        EXPECT_EQ(teamA->toPlainText(), "Hold the ridge. Team A orders");
        EXPECT_EQ(child<QLineEdit>(&form, "MissionTitle")->text(), "Dusk");
        EXPECT_EQ(players, 1);
        QTest::keyClick(&form, Qt::Key_Escape);
    });
    EXPECT_FALSE(form.edit(document));

    // Shown again over the same document: what was typed is there, and OK stores it.
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(child<QTextEdit>(&form, "BrfEdit1")->toPlainText(),
                  "Hold the ridge. Team A orders");
        EXPECT_EQ(child<QLineEdit>(&form, "MissionTitle")->text(), "Dusk");
        click(&form, "OkBtn");
    });
    const auto stored = form.edit(document);
    ASSERT_TRUE(stored);
    EXPECT_EQ(converted(stored->briefings[1]), "Hold the ridge. Team A orders\n&X");
    EXPECT_EQ(stored->header.text(MissionHeader::missionName), "Dusk");
    EXPECT_EQ(stored->briefings[0], document.briefings[0]);

    // Another mission's pages replace what the window holds.
    mission::MissionDocument other = briefedMission();
    other.briefings[1] = bytes("{\\rtf1\\ansi Other orders}");
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(child<QTextEdit>(&form, "BrfEdit1")->toPlainText(), "Other orders");
        EXPECT_EQ(child<QLineEdit>(&form, "MissionTitle")->text(), "Dawn");
        click(&form, "CancelBtn");
    });
    EXPECT_FALSE(form.edit(other));
}
