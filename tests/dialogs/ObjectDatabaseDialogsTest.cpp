#include "DialogTestSupport.h"
#include "dialogs/AddDatabaseForm.h"
#include "dialogs/NewObjectGroupForm.h"
#include "dialogs/ObjectDatabaseForm.h"

#include "common/FileIo.h"
#include "gamedata/ObjectGroups.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

using namespace zev;
using namespace dialogtest;
using gamedata::ObjectGroupRecord;
using R = ObjectGroupRecord;
namespace fs = std::filesystem;

namespace {

bool enabled(QWidget* parent, const char* name) {
    return child<QWidget>(parent, name)->isEnabled();
}

// "tanks.odb" with the records "tank" and "wall", and an empty "trees.odb".
struct Program {
    TempDir dir;
    common::RecordingReporter reporter;
    Program() {
        fs::create_directories(gamedata::objectGroupDirectory(dir.path()));
        for (const char* name : {"tank", "wall"}) {
            R r;
            r.setText(R::objectName, name);
            r.setText(R::mainType, "ground");
            r.setInt32(R::reservedInt(0), 55);
            gamedata::appendObjectRecord(file("tanks.odb"), r);
        }
        common::writeWholeFile(file("trees.odb"), std::string_view());
    }
    fs::path file(const std::string& name) const {
        return gamedata::objectGroupFilePath(dir.path(), name);
    }
    std::vector<R> records(const std::string& name) const {
        return gamedata::readObjectGroup(file(name)).value_or(std::vector<R>{});
    }
};

} // namespace

TEST(ObjectDatabaseForm, ChoosesAGroupAndARecordEditsItAndSavesItIntoTheFile) {
    Program p;
    dialogs::TObjectDatabase form(p.dir.path(), p.reporter);
    EXPECT_EQ(form.windowTitle(), "ZEVEDIT 3D Object Database");
    auto* groups = child<QListWidget>(&form, "GroupBox");
    auto* objects = child<QListWidget>(&form, "ObjectItems");
    ASSERT_EQ(groups->count(), 2);
    EXPECT_EQ(groups->item(0)->text(), "tanks.odb");
    EXPECT_TRUE(enabled(&form, "NewGroupBtn"));
    EXPECT_FALSE(enabled(&form, "NewObjectBtn"));
    EXPECT_EQ(child<QPushButton>(&form, "SaveBtn")->text(), "Save Data");

    groups->setCurrentRow(0);
    ASSERT_EQ(objects->count(), 2);
    EXPECT_EQ(objects->item(1)->text(), "wall");
    objects->setCurrentRow(1);
    EXPECT_EQ(child<QLineEdit>(&form, "Object")->text(), "wall");
    auto* mainType = child<QGroupBox>(&form, "MainType");
    EXPECT_TRUE(child<QRadioButton>(mainType, "ground")->isChecked());
    EXPECT_TRUE(enabled(&form, "DeleteObjectBtn"));
    EXPECT_FALSE(enabled(&form, "SaveBtn")); // filling was no edit

    child<QLineEdit>(&form, "MenuText")->setText("Stone Wall");
    EXPECT_TRUE(enabled(&form, "SaveBtn"));
    EXPECT_FALSE(groups->isEnabled());
    EXPECT_FALSE(enabled(&form, "DeleteGroupBtn"));
    child<QCheckBox>(&form, "RMGObject")->setChecked(true);
    EXPECT_FALSE(enabled(&form, "ScaleX"));
    EXPECT_TRUE(enabled(&form, "MainRotationX"));
    click(&form, "SaveBtn");
    EXPECT_TRUE(groups->isEnabled());
    EXPECT_EQ(objects->currentRow(), 1);

    const auto records = p.records("tanks.odb");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].text(R::menuText), "Stone Wall");
    EXPECT_EQ(records[1].text(R::creatorTag), "zevedit");
    EXPECT_EQ(records[1].byte(R::readyMadeGroup), 1);
    EXPECT_EQ(records[1].int32(R::reservedInt(0)), 55);

    answerNext<dialogs::TNewObjectGroupForm>([](dialogs::TNewObjectGroupForm* ask) {
        EXPECT_EQ(ask->windowTitle(), "New Object Group Creation");
        child<QLineEdit>(ask, "GroupName")->setText("rocks");
        click(ask, "BitBtn1");
    });
    click(&form, "NewGroupBtn");
    EXPECT_TRUE(fs::exists(p.file("rocks.odb")));
    ASSERT_EQ(groups->count(), 3);
    EXPECT_EQ(groups->currentItem()->text(), "rocks.odb");
    EXPECT_TRUE(form.model().changes() > 0);
    EXPECT_TRUE(p.reporter.messages.empty());

    answerNext<dialogs::TObjectDatabase>([](dialogs::TObjectDatabase* f) { click(f, "CloseBtn"); });
    EXPECT_FALSE(dialogs::runObjectDatabase(p.dir.path(), p.reporter, nullptr));
}

TEST(AddDatabaseForm, ShowsTheGeometryAppendsAtOkAndCreatesGroups) {
    Program p;
    dialogs::TAddDatabase form(p.dir.path(), "hut", p.reporter);
    EXPECT_EQ(form.windowTitle(), "ZEVEDIT 3D Object Database Quick Add [hut]");
    EXPECT_EQ(child<QLineEdit>(&form, "Object")->text(), "hut");
    EXPECT_EQ(child<QLineEdit>(&form, "ScaleZ")->text(), "1");
    EXPECT_EQ(form.findChild<QCheckBox*>(QStringLiteral("RMGObject")), nullptr);
    child<QListWidget>(&form, "GroupBox")->setCurrentRow(1);
    child<QLineEdit>(&form, "TargetingInfo")->setText("Hut");
    click(&form, "BitBtn1");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const auto records = p.records("trees.odb");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text(R::objectName), "hut");
    EXPECT_EQ(records[0].text(R::targetingInfo), "Hut");
    EXPECT_EQ(records[0].int32(R::scale(2)), 1);

    answerNext<dialogs::TAddDatabase>([](dialogs::TAddDatabase* add) {
        answerNext<dialogs::TNewObjectGroupForm>([](dialogs::TNewObjectGroupForm* ask) {
            child<QLineEdit>(ask, "GroupName")->setText("huts");
            click(ask, "BitBtn1");
        });
        click(add, "BitBtn3");
        EXPECT_EQ(child<QListWidget>(add, "GroupBox")->currentItem()->text(), "huts.odb");
        click(add, "BitBtn2");
    });
    EXPECT_TRUE(dialogs::runQuickAdd(p.dir.path(), "hut", p.reporter, nullptr));
    EXPECT_TRUE(fs::exists(p.file("huts.odb")));
    EXPECT_TRUE(p.reporter.messages.empty());
}
