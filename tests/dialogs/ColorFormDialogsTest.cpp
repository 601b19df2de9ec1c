#include "DialogTestSupport.h"
#include "dialogs/ColorForm.h"

#include "common/FileIo.h"
#include "mission/CustomPaletteFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace zev;
using namespace dialogtest;
using dialogs::TColorForm;
using mission::PaletteRecord;

namespace {

PaletteRecord palette(const std::string& prefix) {
    PaletteRecord record;
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        record.setText(PaletteRecord::entry(i), prefix + std::to_string(i));
    return record;
}

// Runs the builder on `record`; `steps` works the open form, which ends with OK or Cancel.
std::optional<PaletteRecord> runBuilder(const PaletteRecord& record,
                                        const std::filesystem::path& ini,
                                        common::Reporter& reporter,
                                        std::function<void(TColorForm*)> steps) {
    QTimer::singleShot(0, [steps] {
        auto* form = qobject_cast<TColorForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        steps(form);
    });
    return dialogs::editCustomPalette(record, ini, reporter, nullptr);
}

} // namespace

TEST(ColorForm, ShowsTheRecordLoadsAFileThroughTheChooserAndGivesTheRecordBackAtOk) {
    TempDir dir;
    const auto ini = dir / "zevedit.ini";
    ASSERT_TRUE(common::writeWholeFile(
        ini, std::string_view("[CUSTOM COLOR PALETTES]\nITEM COUNT=2\nITEM 1=ds0npal1\n"
                              "ITEM 2=gr0npal1\n")));
    const auto file = dir / "night.ccp";
    ASSERT_TRUE(common::writeWholeFile(
        file, mission::customPaletteImage(mission::paletteNames(palette("file")))));
    common::RecordingReporter reporter;
    PaletteRecord record = palette("doc");

    const auto result = runBuilder(record, ini, reporter, [&](TColorForm* form) {
        EXPECT_EQ(form->windowTitle(), "ZEVEDIT 3D Custom Color Pallette Builder");
        auto* day = child<QComboBox>(form, "DayStd");
        auto* alt = child<QComboBox>(form, "MiscAlt");
        EXPECT_TRUE(alt->isEditable());
        EXPECT_EQ(alt->count(), 2);
        EXPECT_EQ(alt->itemText(1), "gr0npal1");
        EXPECT_EQ(day->currentText(), "doc0");
        EXPECT_EQ(alt->lineEdit()->maxLength(), 29);
        auto* use = child<QCheckBox>(form, "CheckBox1");
        EXPECT_EQ(use->text(), "Use custom color pallette for this mission");
        EXPECT_FALSE(use->isChecked());

        std::vector<TColorForm::FileAction> asked;
        form->setFileChooser([&](TColorForm::FileAction action, QWidget*) {
            asked.push_back(action);
            return std::optional(action == TColorForm::FileAction::Load ? file : dir / "out.ccp");
        });
        use->setChecked(true);
        child<QPushButton>(form, "BitBtn3")->click();
        EXPECT_EQ(day->currentText(), "file0");
        EXPECT_TRUE(use->isChecked());
        alt->setEditText("gr0npal1");
        child<QPushButton>(form, "BitBtn4")->click();
        EXPECT_EQ(asked, (std::vector{TColorForm::FileAction::Load, TColorForm::FileAction::Save}));
        child<QPushButton>(form, "BitBtn1")->click();
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text(PaletteRecord::entry(0)), "file0");
    EXPECT_EQ(result->text(PaletteRecord::entry(18)), "file18");
    EXPECT_EQ(result->text(PaletteRecord::entry(19)), "gr0npal1");
    EXPECT_EQ(result->byte(PaletteRecord::flag), 1);
    const auto saved = mission::parseCustomPalette(*common::readWholeFile(dir / "out.ccp"));
    ASSERT_TRUE(saved);
    EXPECT_EQ((*saved)[19], "gr0npal1");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(ColorForm, CancelAfterALoadAndARefusedFileLeaveTheRecordAsItWas) {
    TempDir dir;
    const auto file = dir / "good.ccp";
    ASSERT_TRUE(common::writeWholeFile(
        file, mission::customPaletteImage(mission::paletteNames(palette("file")))));
    common::RecordingReporter reporter;
    const auto result =
        runBuilder(palette("doc"), dir / "zevedit.ini", reporter, [&](TColorForm* form) {
            auto* day = child<QComboBox>(form, "DayStd");
            EXPECT_EQ(day->count(), 0);
            // The builder's own save dialog, cancelled: nothing written, nothing reported.
            QTimer::singleShot(0, [] {
                auto* save = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(save, nullptr);
                EXPECT_EQ(save->nameFilters(), QStringList{"Custom Color Palette Files (*.ccp)"});
                EXPECT_EQ(save->defaultSuffix(), "ccp");
                save->reject();
            });
            child<QPushButton>(form, "BitBtn4")->click();
            form->setFileChooser(
                [&](TColorForm::FileAction, QWidget*) { return std::optional(dir / "none.ccp"); });
            child<QPushButton>(form, "BitBtn3")->click();
            EXPECT_EQ(day->currentText(), "doc0");
            form->setFileChooser(
                [&](TColorForm::FileAction, QWidget*) { return std::optional(file); });
            child<QPushButton>(form, "BitBtn3")->click();
            EXPECT_EQ(day->currentText(), "file0");
            child<QPushButton>(form, "BitBtn2")->click();
        });
    EXPECT_FALSE(result);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "Error- Could Not Open:");
}
