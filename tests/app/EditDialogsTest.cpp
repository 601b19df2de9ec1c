#include "AppTestSupport.h"

#include "mission/MissionObjectRecord.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

using namespace zev;
using apptest::ModalScript;
using R = mission::MissionObjectRecord;

namespace {

// A new mission with one object in slot 0, selected.
std::unique_ptr<apptest::ScriptedDesignForm> windowWithObject(apptest::EditorSandbox& sandbox) {
    auto form = std::make_unique<apptest::ScriptedDesignForm>(sandbox.context());
    form->show();
    form->newAnswers.push_back(apptest::Selection("ABCD", "Objects"));
    form->NewBtn->trigger();
    R record;
    record.setText(R::objectName, "bunker");
    record.setText(R::menuText, "Bunker");
    record.setText(R::areaFile, "1");
    for (int axis = 0; axis < 3; ++axis)
        record.setInt32(R::scale(axis), 1);
    form->editor().applyAddObject(0, record, {12.6, 0, 4}, 0);
    form->editor().select(edit::Selection::object(0));
    return form;
}

} // namespace

TEST(EditDialogs, ObjectPropertiesOkIsOneUndoStepThatPlacesTheObjectFromItsRecord) {
    apptest::EditorSandbox sandbox;
    auto form = windowWithObject(sandbox);
    QString shownX;
    ModalScript script({[&](QWidget* w) {
        auto* x = w->findChild<QLineEdit*>(QStringLiteral("PositionX"));
        auto* scale = w->findChild<QLineEdit*>(QStringLiteral("ScaleY"));
        auto* ok = w->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        if (!x || !scale || !ok)
            return false;
        shownX = x->text();
        scale->setText(QStringLiteral("3"));
        x->setText(QStringLiteral("5000"));
        ok->click();
        return true;
    }});
    form->EditSelection();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(shownX, "1200") << "the workspace position, as Save would write it";
    EXPECT_EQ(form->document().objects.find(0)->int32(R::scale(1)), 3);
    EXPECT_DOUBLE_EQ(form->editor().objectPosition(0)->x, 50);
    EXPECT_EQ(form->UndoItem->text(), "Undo Object Properties");
    form->UndoItem->trigger();
    EXPECT_EQ(form->document().objects.find(0)->int32(R::scale(1)), 1);
    EXPECT_DOUBLE_EQ(form->editor().objectPosition(0)->x, 12.6);
}

TEST(EditDialogs, MissionTablesOkIsOneUndoStepAndCancelChangesNothing) {
    apptest::EditorSandbox sandbox;
    auto form = windowWithObject(sandbox);
    const mission::ObjectiveBlock before = form->document().objectives;
    const auto answer = [](const char* button, int limit) {
        return [button, limit](QWidget* w) {
            auto* time = w->findChild<QSpinBox*>(QStringLiteral("MsnTimeLimit"));
            auto* press = w->findChild<QPushButton*>(QString::fromLatin1(button));
            if (!time || !press)
                return false;
            time->setValue(limit);
            press->click();
            return true;
        };
    };
    ModalScript cancel({answer("Cancel", 600)});
    form->MissionTables1->trigger();
    ASSERT_TRUE(cancel.finished());
    EXPECT_TRUE(form->document().objectives == before);
    EXPECT_EQ(form->UndoItem->text(), "Undo");

    ModalScript ok({answer("OK", 600)});
    form->MissionTables1->trigger();
    ASSERT_TRUE(ok.finished());
    EXPECT_EQ(form->document().objectives[0].missionTimeLimit(), "600");
    EXPECT_EQ(form->UndoItem->text(), "Undo Mission Tables");
    form->UndoItem->trigger();
    EXPECT_TRUE(form->document().objectives == before);
}
