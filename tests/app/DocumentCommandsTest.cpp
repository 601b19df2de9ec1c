#include "AppTestSupport.h"

#include "edit/DocumentCommands.h"
#include "mission/MissionFile.h"
#include "mission/MissionHeader.h"
#include "mission/NewMission.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>

#include <fstream>

using namespace zev;
using apptest::ScriptedDesignForm;
using apptest::Selection;
using mission::MissionHeader;
using zev::app::UnsavedChoice;

namespace {

class DocumentCommands : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<ScriptedDesignForm>(sandbox.context());
        form->show();
    }

    // The title's text, without the place Qt puts a modified mission's "*" in.
    std::string title() const {
        return form->windowTitle().remove(QStringLiteral("[*]")).toStdString();
    }

    // An edit through the editor, as a settings dialog's OK makes it: one undo step.
    static void editHeader(app::TDesignForm& window, common::TextField field, const char* text) {
        MissionHeader after = window.document().header;
        after.setText(field, text);
        window.editor().execute(
            std::make_unique<edit::ChangeHeaderCommand>("Edit", window.document().header, after));
    }
    std::string projectName() const {
        return form->document().header.text(MissionHeader::projectName);
    }
    std::string missionName() const {
        return form->document().header.text(MissionHeader::missionName);
    }

    // The document-dependent controls as one state; -1 when they disagree.
    int documentControls() const {
        const bool first = form->SaveBtn->isEnabled();
        for (const QAction* a : {form->SaveAsBtn, form->SaveItem, form->SaveAsItem})
            if (a->isEnabled() != first)
                return -1;
        if (form->ProjectSettings->isEnabled() != first)
            return -1;
        return first ? 1 : 0;
    }

    void makeNewMission(const std::string& project = "ABCD") {
        form->newAnswers.push_back(Selection(project, "Test Mission"));
        form->NewBtn->trigger();
        ASSERT_EQ(title(), "ZEVEDIT 3D  [New Mission]");
    }

    // A mission file made without the window.
    std::filesystem::path writeMission(const std::string& name, const std::string& project) {
        mission::MissionDocument document;
        mission::storeSelection(document, Selection(project, "From Disk"));
        mission::resetToNewMission(document, sandbox.home(), 0);
        mission::RecordPositions positions(document);
        common::RecordingReporter reporter;
        const auto path = sandbox.file(name);
        EXPECT_TRUE(mission::MissionFile::save(document, path, positions, 0, reporter));
        return path;
    }

    static std::string projectNameIn(const std::filesystem::path& path) {
        mission::MissionDocument document;
        std::uint8_t patch = 0;
        common::RecordingReporter reporter;
        if (!mission::MissionFile::open(document, patch, path, reporter))
            return "<unreadable>";
        return document.header.text(MissionHeader::projectName);
    }

    apptest::EditorSandbox sandbox;
    std::unique_ptr<ScriptedDesignForm> form;
};

TEST_F(DocumentCommands, StartWithThePlainTitleAndNoDocumentThenNewEnablesTheDocumentControls) {
    EXPECT_EQ(title(), "ZEVEDIT 3D");
    EXPECT_EQ(documentControls(), 0);
    for (const QAction* a :
         {form->NewBtn, form->OpenBtn, form->NewItem, form->OpenItem, form->ExitItem})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    // Disabled actions do not run their command: nothing is asked.
    form->SaveBtn->trigger();
    form->SaveAsItem->trigger();
    EXPECT_EQ(form->saveAsked, 0);
    EXPECT_FALSE(form->controller().save());

    makeNewMission("WXYZ");
    EXPECT_EQ(form->newAsked, 1);
    EXPECT_EQ(form->unsavedAsked, 0);
    EXPECT_EQ(documentControls(), 1);
    EXPECT_EQ(projectName(), "WXYZ");
    EXPECT_TRUE(form->document().untitled);
    EXPECT_FALSE(form->document().modified);
    EXPECT_EQ(form->messageBoxes, 0);
}

TEST_F(DocumentCommands, NewWhileUnmodifiedAsksNothingAndACancelledSelectionKeepsTheMission) {
    makeNewMission("AAAA");
    form->newAnswers.push_back(std::nullopt);
    form->NewItem->trigger();
    EXPECT_EQ(form->unsavedAsked, 0);
    EXPECT_EQ(form->newAsked, 2);
    EXPECT_EQ(projectName(), "AAAA");
    EXPECT_EQ(title(), "ZEVEDIT 3D  [New Mission]");
    EXPECT_EQ(documentControls(), 1);

    form->newAnswers.push_back(Selection("BBBB", "Second", 6, false));
    form->NewBtn->trigger();
    EXPECT_EQ(form->unsavedAsked, 0);
    EXPECT_EQ(projectName(), "BBBB");
    EXPECT_EQ(form->document().header.text(MissionHeader::numberOfPlayers), "6");
    EXPECT_EQ(form->document().header.byte(MissionHeader::freeForAll), 0);
}

TEST_F(DocumentCommands, ModifiedWorkWithCancelKeepsEverythingAndDumpItDiscardsIt) {
    makeNewMission("AAAA");
    editHeader(*form, MissionHeader::missionName, "Edited");
    const mission::MissionDocument before = form->document();

    form->unsavedAnswers.push_back(UnsavedChoice::Cancel);
    form->NewBtn->trigger();
    EXPECT_EQ(form->unsavedAsked, 1);
    EXPECT_EQ(form->newAsked, 1) << "Cancel must stop before the selection dialog";
    EXPECT_TRUE(form->document() == before);
    EXPECT_TRUE(form->document().modified);
    EXPECT_EQ(title(), "ZEVEDIT 3D  [New Mission]");

    // Cancel before Open: no open dialog either.
    form->unsavedAnswers.push_back(UnsavedChoice::Cancel);
    form->OpenBtn->trigger();
    EXPECT_EQ(form->openAsked, 0);
    EXPECT_TRUE(form->document() == before);

    form->unsavedAnswers.push_back(UnsavedChoice::DumpIt);
    form->newAnswers.push_back(Selection("BBBB", "Fresh"));
    form->NewBtn->trigger();
    EXPECT_EQ(form->saveAsked, 0);
    EXPECT_EQ(projectName(), "BBBB");
    EXPECT_EQ(missionName(), "Fresh");
    EXPECT_FALSE(form->document().modified);
    EXPECT_TRUE(form->document().untitled);
    // Nothing was written anywhere.
    for (const auto& entry : std::filesystem::directory_iterator(sandbox.dir.path()))
        EXPECT_NE(entry.path().extension(), ".mdb") << entry.path();
}

TEST_F(DocumentCommands,
       SaveItOnAnUntitledMissionAsksForANameAndACancelledDialogCancelsTheCommand) {
    makeNewMission("AAAA");
    editHeader(*form, MissionHeader::missionName, "Touched");
    const auto path = sandbox.file("saved-first.mdb");

    form->unsavedAnswers.push_back(UnsavedChoice::SaveIt);
    form->saveAnswers.push_back(std::nullopt);
    form->NewBtn->trigger();
    EXPECT_EQ(form->saveAsked, 1);
    EXPECT_EQ(form->newAsked, 1) << "a cancelled save dialog cancels New";
    EXPECT_TRUE(form->document().modified);
    EXPECT_EQ(projectName(), "AAAA");

    form->unsavedAnswers.push_back(UnsavedChoice::SaveIt);
    form->saveAnswers.push_back(path);
    form->newAnswers.push_back(Selection("BBBB"));
    form->NewBtn->trigger();
    EXPECT_EQ(form->saveAsked, 2);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(projectNameIn(path), "AAAA") << "the old work was saved before the new mission";
    EXPECT_EQ(projectName(), "BBBB");
    EXPECT_EQ(title(), "ZEVEDIT 3D  [New Mission]");
    EXPECT_EQ(form->messageBoxes, 0);
}

TEST_F(DocumentCommands, SaveItOnAnOpenedMissionWritesItsOwnFileWithoutAsking) {
    const auto path = writeMission("opened.mdb", "DISK");
    form->openAnswers.push_back(path);
    form->OpenItem->trigger();
    ASSERT_EQ(projectName(), "DISK");
    editHeader(*form, MissionHeader::projectName, "EDIT");

    form->unsavedAnswers.push_back(UnsavedChoice::SaveIt);
    form->newAnswers.push_back(Selection("NEWP"));
    form->NewBtn->trigger();
    EXPECT_EQ(form->saveAsked, 0);
    EXPECT_EQ(projectNameIn(path), "EDIT");
    EXPECT_EQ(projectName(), "NEWP");
}

TEST_F(DocumentCommands, SaveOnANewMissionAsksForANameOnceAndTheSecondSaveWritesTheSameFile) {
    makeNewMission("AAAA");
    const auto path = sandbox.file("named");
    form->saveAnswers.push_back(path);
    form->SaveBtn->trigger();
    EXPECT_EQ(form->saveAsked, 1);
    ASSERT_TRUE(std::filesystem::exists(path)) << "the name is used as typed, no extension";
    EXPECT_EQ(title(), "ZEVEDIT 3D  [" + path.string() + "]");
    EXPECT_FALSE(form->document().untitled);
    EXPECT_FALSE(form->document().modified);

    editHeader(*form, MissionHeader::projectName, "CCCC");
    form->SaveItem->trigger();
    EXPECT_EQ(form->saveAsked, 1) << "the second Save must not ask again";
    EXPECT_EQ(projectNameIn(path), "CCCC");
    EXPECT_FALSE(form->document().modified);
    EXPECT_EQ(title(), "ZEVEDIT 3D  [" + path.string() + "]");
    EXPECT_EQ(form->messageBoxes, 0);
}

TEST_F(DocumentCommands, SaveAsWritesTheChosenFileAndTakesItsTitleWhileACancelChangesNothing) {
    const auto first = writeMission("first.mdb", "DISK");
    form->openAnswers.push_back(first);
    form->OpenBtn->trigger();
    const std::string openedTitle = title();

    form->saveAnswers.push_back(std::nullopt);
    form->SaveAsBtn->trigger();
    EXPECT_EQ(title(), openedTitle);
    EXPECT_EQ(form->controller().fileName(), first.string());

    const auto second = sandbox.file("second.mdb");
    editHeader(*form, MissionHeader::projectName, "COPY");
    form->saveAnswers.push_back(second);
    form->SaveAsItem->trigger();
    EXPECT_EQ(title(), "ZEVEDIT 3D  [" + second.string() + "]");
    EXPECT_EQ(projectNameIn(second), "COPY");
    EXPECT_EQ(projectNameIn(first), "DISK") << "Save As leaves the old file alone";

    // Save now goes to the new file.
    editHeader(*form, MissionHeader::projectName, "LAST");
    form->SaveBtn->trigger();
    EXPECT_EQ(projectNameIn(second), "LAST");
    EXPECT_EQ(form->saveAsked, 2);
}

TEST_F(DocumentCommands, OpenShowsTheFullPathInTheTitleWithTwoBlanksAndEnablesTheControls) {
    const auto path = writeMission("mission one.mdb", "DISK");
    form->openAnswers.push_back(path);
    form->OpenBtn->trigger();
    EXPECT_EQ(title(), "ZEVEDIT 3D  [" + path.string() + "]");
    EXPECT_EQ(app::DocumentController::titleFor("/m/x.mdb"), "ZEVEDIT 3D  [/m/x.mdb]");
    EXPECT_EQ(documentControls(), 1);
    EXPECT_EQ(projectName(), "DISK");
    EXPECT_EQ(missionName(), "From Disk");
    EXPECT_FALSE(form->document().untitled);
    EXPECT_FALSE(form->document().modified);
    EXPECT_EQ(form->controller().fileName(), path.string());

    // A cancelled open dialog changes nothing.
    form->openAnswers.push_back(std::nullopt);
    form->OpenItem->trigger();
    EXPECT_EQ(title(), "ZEVEDIT 3D  [" + path.string() + "]");
    EXPECT_EQ(projectName(), "DISK");
}

TEST_F(DocumentCommands, AFailedOpenReportsAndKeepsTitleControlsAndThePreviousDocument) {
    const auto broken = sandbox.file("broken.mdb");
    std::ofstream(broken, std::ios::binary) << "this is not a mission file at all";
    form->showBoxes = true;
    std::string boxText, boxCaption;
    const auto readAndClose = [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        boxText = box->text().toStdString();
        boxCaption = box->windowTitle().toStdString();
        box->accept();
    };

    // Without a document.
    apptest::answerNextModal(readAndClose);
    form->openAnswers.push_back(broken);
    form->OpenBtn->trigger();
    EXPECT_EQ(form->messageBoxes, 1);
    EXPECT_EQ(boxText, "Unkown File Type...\n" + std::filesystem::path(broken).string() +
                           ": no mission file tag at its start");
    EXPECT_FALSE(boxCaption.empty());
    EXPECT_EQ(title(), "ZEVEDIT 3D");
    EXPECT_EQ(documentControls(), 0);
    EXPECT_FALSE(form->controller().hasDocument());

    // Over an opened mission.
    form->showBoxes = false;
    const auto good = writeMission("good.mdb", "GOOD");
    form->openAnswers.push_back(good);
    form->OpenBtn->trigger();
    const mission::MissionDocument before = form->document();
    form->openAnswers.push_back(broken);
    form->OpenBtn->trigger();
    EXPECT_EQ(form->messageBoxes, 2);
    EXPECT_EQ(title(), "ZEVEDIT 3D  [" + good.string() + "]");
    EXPECT_EQ(documentControls(), 1);
    EXPECT_TRUE(form->document() == before);
    EXPECT_EQ(form->controller().fileName(), good.string());

    // Over a new mission: a missing file.
    makeNewMission("NEWM");
    form->openAnswers.push_back(sandbox.file("missing.mdb"));
    form->OpenBtn->trigger();
    EXPECT_EQ(form->messageBoxes, 3);
    EXPECT_EQ(title(), "ZEVEDIT 3D  [New Mission]");
    EXPECT_EQ(documentControls(), 1);
    EXPECT_EQ(projectName(), "NEWM");
    EXPECT_TRUE(form->document().untitled);
}

TEST_F(DocumentCommands, ClosingAsksAboutUnsavedWorkAndACancelledSaveDialogKeepsTheWindowOpen) {
    QSignalSpy closed(form.get(), &app::TDesignForm::closed);
    makeNewMission("AAAA");
    editHeader(*form, MissionHeader::missionName, "Touched");

    form->unsavedAnswers.push_back(UnsavedChoice::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());

    form->unsavedAnswers.push_back(UnsavedChoice::SaveIt);
    form->saveAnswers.push_back(std::nullopt);
    form->ExitItem->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(form->document().modified);

    const auto path = sandbox.file("on-close.mdb");
    form->unsavedAnswers.push_back(UnsavedChoice::SaveIt);
    form->saveAnswers.push_back(path);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(projectNameIn(path), "AAAA");
    EXPECT_EQ(form->unsavedAsked, 3);
}

TEST_F(DocumentCommands, ClosingUnmodifiedWorkAsksNothingAndDumpItClosesWithoutSaving) {
    QSignalSpy closed(form.get(), &app::TDesignForm::closed);
    makeNewMission("AAAA");
    EXPECT_TRUE(form->close());
    EXPECT_EQ(form->unsavedAsked, 0);
    EXPECT_EQ(closed.count(), 1);

    auto second = std::make_unique<ScriptedDesignForm>(sandbox.context());
    second->show();
    second->newAnswers.push_back(Selection("BBBB"));
    second->NewBtn->trigger();
    editHeader(*second, MissionHeader::missionName, "Touched");
    second->unsavedAnswers.push_back(UnsavedChoice::DumpIt);
    EXPECT_TRUE(second->close());
    EXPECT_EQ(second->saveAsked, 0);
    EXPECT_FALSE(second->document().modified);
    EXPECT_FALSE(second->document().untitled);
}

} // namespace

TEST_F(DocumentCommands, TheEditMenuNamesTheStepsUndoesAndRedoesThemAndNewAndOpenClearIt) {
    makeNewMission("AAAA");
    EXPECT_FALSE(form->UndoItem->isEnabled());
    editHeader(*form, MissionHeader::missionName, "Changed");
    EXPECT_EQ(form->UndoItem->text(), "Undo Edit");
    EXPECT_TRUE(form->UndoItem->isEnabled());
    EXPECT_EQ(form->RedoItem->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    form->UndoItem->trigger();
    EXPECT_EQ(missionName(), "Test Mission");
    EXPECT_FALSE(form->document().modified) << "back at the clean point";
    EXPECT_EQ(form->RedoItem->text(), "Redo Edit");
    form->RedoItem->trigger();
    EXPECT_EQ(missionName(), "Changed");

    form->unsavedAnswers.push_back(UnsavedChoice::DumpIt);
    makeNewMission("BBBB");
    EXPECT_FALSE(form->UndoItem->isEnabled());
    EXPECT_FALSE(form->RedoItem->isEnabled());
    EXPECT_EQ(form->UndoItem->text(), "Undo");
}
