// The outline, inspector and problems docks in the main window: where they start, their names
// for assistive technology, and how they follow and change the mission.

#include "AppTestSupport.h"

#include "build/MissionCheck.h"
#include "edit/ObjectCommands.h"
#include "gamedata/DemoData.h"
#include "mission/MissionObjectRecord.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

using namespace zev;
using apptest::ScriptedDesignForm;
using R = mission::MissionObjectRecord;

namespace {

class Docks : public ::testing::Test {
protected:
    void SetUp() override {
        common::SilentReporter quiet;
        ASSERT_TRUE(gamedata::demo::writeDemoData(sandbox.dir.path() / "demo", quiet));
        demo = gamedata::demo::demoDataPaths(sandbox.dir.path() / "demo");
        app::EditorContext context = sandbox.context();
        context.programDirectory = demo.programDirectory;
        context.archiveOverride = QString::fromStdString(demo.archive.string());
        form = std::make_unique<ScriptedDesignForm>(context);
        form->show();
        form->newAnswers.push_back(apptest::Selection("ABCD", "Docks"));
        form->NewBtn->trigger();
    }

    // Drops an object of a demo group's geometry and menu text at x (game units).
    int drop(const std::string& geometry, const std::string& menu, int x) {
        R r;
        r.setText(R::objectName, geometry);
        r.setText(R::menuText, menu);
        r.setText(R::areaFile, "1");
        for (int axis = 0; axis < 3; ++axis)
            r.setInt32(R::scale(axis), 1);
        common::SilentReporter quiet;
        edit::MissionEditor& editor = form->editor();
        const int slot = *editor.documentForChange().objects.allocate(quiet);
        editor.documentForChange().objects.free(slot);
        editor.execute(
            std::make_unique<edit::AddObjectCommand>(slot, r, engine::Vector3{x * 0.01, 0, 0}));
        return slot;
    }

    template <typename T> T* child(const char* name) {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    apptest::EditorSandbox sandbox;
    gamedata::demo::DemoDataPaths demo;
    std::unique_ptr<ScriptedDesignForm> form;
};

QString accessibleName(QObject* o) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Name) : QString();
}

TEST_F(Docks, StartOnTheRightAreToggledFromTheViewMenuAndAreNamed) {
    const struct {
        QDockWidget* dock;
        const char* name;
        const char* title;
    } docks[] = {{form->OutlineDock, "OutlineDock", "Outline"},
                 {form->InspectorDock, "InspectorDock", "Inspector"},
                 {form->ProblemsDock, "ProblemsDock", "Problems"}};
    QStringList items;
    for (QAction* a : form->ViewMenu->actions())
        items << a->text();
    EXPECT_EQ(items.mid(0, 3), QStringList({"Outline", "Inspector", "Problems"}))
        << "the docks head the View menu";
    for (const auto& d : docks) {
        EXPECT_EQ(d.dock->objectName(), d.name);
        EXPECT_EQ(d.dock->windowTitle(), d.title);
        EXPECT_EQ(form->dockWidgetArea(d.dock), Qt::RightDockWidgetArea);
        EXPECT_TRUE(d.dock->isVisible());
        EXPECT_EQ(accessibleName(d.dock), d.title);
        d.dock->toggleViewAction()->trigger();
        EXPECT_FALSE(d.dock->isVisible());
        d.dock->toggleViewAction()->trigger();
        EXPECT_TRUE(d.dock->isVisible());
    }
    EXPECT_EQ(accessibleName(child<QLineEdit>("OutlineSearch")), "Search the outline");
    EXPECT_EQ(accessibleName(child<QTableView>("OutlineList")), "Mission outline");
    EXPECT_EQ(accessibleName(child<QLineEdit>("Inspector_position_x")), "Position X");
    EXPECT_EQ(accessibleName(child<QCheckBox>("Inspector_collision_on")), "Collision On");
    EXPECT_EQ(accessibleName(child<QTreeWidget>("ProblemList")), "Problems");
}

TEST_F(Docks, OutlineSelectsBothWaysAndInspectorTypesIntoTwoObjectsAsOneStep) {
    const int a = drop("truck", "Cargo Truck", 100);
    const int b = drop("tank", "Battle Tank", 300);
    auto* list = child<QTableView>("OutlineList");
    auto* search = child<QLineEdit>("OutlineSearch");
    ASSERT_EQ(list->model()->rowCount(), 2 + 8 + form->editor().navPointMarkers().size());
    EXPECT_EQ(list->model()->index(0, 3).data().toString(), "Vehicles");

    QTest::keyClicks(search, "group:vehicles tank");
    ASSERT_EQ(list->model()->rowCount(), 1);
    // A click on the row: rows the view selects on its own are not handed on.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 1)).center());
    EXPECT_EQ(form->editor().selection(), edit::Selection::object(b));
    search->clear();
    form->editor().select(edit::Selection::object(a));
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].data().toString(), QString::number(a));

    // Typing X in the inspector moves the selected object; a refused text says why.
    auto* x = child<QLineEdit>("Inspector_position_x");
    EXPECT_EQ(x->text(), "100");
    x->setFocus();
    x->selectAll();
    QTest::keyClicks(x, "1500");
    QTest::keyClick(x, Qt::Key_Return);
    EXPECT_EQ(form->editor().objectPosition(a)->x, 15.0);
    EXPECT_EQ(form->UndoItem->text(), "Undo Set Position X");
    x->selectAll();
    QTest::keyClicks(x, "far");
    QTest::keyClick(x, Qt::Key_Return);
    EXPECT_EQ(child<QLabel>("InspectorMessage")->text(),
              "Position X takes a whole number: \"far\" is not one");
    EXPECT_EQ(form->editor().objectPosition(a)->x, 15.0);

    // Rows picked with Ctrl select all their things; the inspector sets X on all as one step.
    const int c = drop("truck", "Cargo Truck", 500);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 1)).center());
    for (int row : {1, 2})
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualRect(list->model()->index(row, 1)).center());
    EXPECT_EQ(form->editor().selectionSize(), 3u);
    for (int slot : {a, b, c})
        EXPECT_TRUE(form->editor().isSelected(edit::Selection::object(slot))) << slot;
    form->editor().setSelection({edit::Selection::object(a), edit::Selection::object(c)});
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 2) << "the outline follows";
    EXPECT_EQ(x->text(), "") << "the two differ";
    x->setFocus();
    QTest::keyClicks(x, "2000");
    QTest::keyClick(x, Qt::Key_Return);
    EXPECT_EQ(form->editor().objectPosition(a)->x, 20.0);
    EXPECT_EQ(form->editor().objectPosition(c)->x, 20.0);
    EXPECT_NE(form->editor().objectPosition(b)->x, 20.0);
    ASSERT_TRUE(form->editor().undo());
    EXPECT_EQ(form->editor().objectPosition(a)->x, 15.0) << "one step for both";
    EXPECT_EQ(form->editor().objectPosition(c)->x, 5.0);
}

TEST_F(Docks, ProblemsFollowChangesCountOnTheToolBarAndAskBeforeCompiling) {
    const auto errorsShown = [this] {
        return form->ProblemCounts->text().section(QLatin1Char(' '), 0, 0).toInt();
    };
    form->refreshProblems();
    const int before = errorsShown();
    const int slot = drop("nosuchgeometry", "Ghost", 100);
    // The check runs a moment after the change.
    EXPECT_EQ(errorsShown(), before);
    QTRY_COMPARE(errorsShown(), before + 1);
    auto* list = child<QTreeWidget>("ProblemList");
    QTreeWidgetItem* ghost = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(2).contains("nosuchgeometry"))
            ghost = list->topLevelItem(i);
    ASSERT_NE(ghost, nullptr);
    emit list->itemDoubleClicked(ghost, 0);
    EXPECT_EQ(form->editor().selection(), edit::Selection::object(slot));

    form->compileAnyway = false;
    form->CompileBtn->trigger();
    EXPECT_EQ(form->compileAnywayAsked, 1);
    form->LaunchBtn->trigger();
    EXPECT_EQ(form->compileAnywayAsked, 2);

    form->editor().undo();
    form->refreshProblems();
    EXPECT_EQ(errorsShown(), before);
}

} // namespace
