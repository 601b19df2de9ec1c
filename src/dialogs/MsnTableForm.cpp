#include "MsnTableForm.h"

#include "MsnTableObjSel.h"

#include "common/Numbers.h"
#include "mission/MissionHeader.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace zev::dialogs {

namespace {

using Model = edit::MissionTablesModel;

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::filesystem::path chosenPath(const QString& file) {
    return std::filesystem::path(file.toStdU16String());
}

} // namespace

TMsnTableForm::TMsnTableForm(const mission::ObjectiveBlock& tables, std::string project,
                             common::Reporter& reporter, QWidget* parent)
    : QDialog(parent), model_(tables, std::move(project)), reporter_(reporter) {
    setObjectName(QStringLiteral("MsnTableForm"));
    setWindowTitle(QStringLiteral("ZEVEdit Mission Table Editor"));
    auto* layout = new QVBoxLayout(this);

    TabControl1 = new QTabBar;
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    for (int s = 0; s < mission::kObjectiveTableCount; ++s)
        TabControl1->addTab(QStringLiteral("Star %1").arg(s));
    connect(TabControl1, &QTabBar::currentChanged, this, &TMsnTableForm::TabControl1Change);
    layout->addWidget(TabControl1);

    StringGrid1 = new QTableWidget(Model::kGridLines - 1, Model::kGridColumns);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    QStringList titles;
    for (const auto title : Model::kGridTitles)
        titles << QString::fromLatin1(title.data(), qsizetype(title.size()));
    StringGrid1->setHorizontalHeaderLabels(titles);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < StringGrid1->rowCount(); ++r)
        for (int c = 0; c < Model::kGridColumns; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    connect(StringGrid1, &QTableWidget::cellClicked, this,
            [this](int row, int) { StringGrid1Click(row); });
    // The highlighted row is the selected row however it got there: a click, the arrow keys,
    // Page Up/Down or a drag.
    connect(StringGrid1, &QTableWidget::itemSelectionChanged, this, [this] {
        if (showingTable_)
            return;
        const QModelIndexList rows = StringGrid1->selectionModel()->selectedRows();
        if (rows.isEmpty())
            showTable(); // a Ctrl+click took the highlight away: the selected row keeps it
        else if (rows.front().row() != model_.selectedRow())
            StringGrid1Click(rows.front().row());
    });
    // Delete in the grid is the Delete button.
    auto* deleteKey = new QShortcut(QKeySequence::Delete, StringGrid1);
    deleteKey->setContext(Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] {
        if (DeleteObjective->isEnabled())
            DeleteObjectiveClick();
    });
    layout->addWidget(StringGrid1, 1);

    auto* controls = new QGridLayout;
    controls->addWidget(new QLabel(QStringLiteral("Mission Time Limit")), 0, 0);
    MsnTimeLimit = new QSpinBox;
    MsnTimeLimit->setObjectName(QStringLiteral("MsnTimeLimit"));
    MsnTimeLimit->setRange(Model::kMissionTimeLimitMin, Model::kMissionTimeLimitMax);
    MsnTimeLimit->setValue(-1);
    MsnTimeLimit->setToolTip(
        QStringLiteral("Time limit for completion of all objectives (seconds)"));
    connect(MsnTimeLimit, &QSpinBox::valueChanged, this, &TMsnTableForm::MsnTimeLimitChange);
    controls->addWidget(MsnTimeLimit, 1, 0);
    AddObjective =
        button("AddObjective", "Add", "Add a new Table Entry", &TMsnTableForm::AddObjectiveClick);
    EditObjective = button("EditObjective", "Edit", "Edit an existing Table Entry",
                           &TMsnTableForm::EditObjectiveClick);
    CopyObjective =
        button("CopyObjective", "Copy", "Copy a Table Entry", &TMsnTableForm::CopyObjectiveClick);
    DeleteObjective = button("DeleteObjective", "Delete", "Delete a Table Entry",
                             &TMsnTableForm::DeleteObjectiveClick);
    ShiftUp = button("ShiftUp", "Up", "Shift the selected Objective up one row",
                     &TMsnTableForm::ShiftUpClick);
    ShiftDown = button("ShiftDown", "Down", "Shift the selected Objective down one row",
                       &TMsnTableForm::ShiftDownClick);
    LoadTable =
        button("LoadTable", "Load Table", "Load a Mission Table", &TMsnTableForm::LoadTableClick);
    SaveTable =
        button("SaveTable", "Save Table", "Save a Mission Table", &TMsnTableForm::SaveTableClick);
    ClearTable = button("ClearTable", "Clear Table", "Clear the Star Table",
                        &TMsnTableForm::ClearTableClick);
    int column = 1;
    for (QPushButton* b :
         {AddObjective, EditObjective, CopyObjective, DeleteObjective, ShiftUp, ShiftDown})
        controls->addWidget(b, 1, column++);
    controls->addWidget(LoadTable, 0, column);
    controls->addWidget(SaveTable, 1, column++);
    controls->addWidget(ClearTable, 1, column++);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TMsnTableForm::OKClick);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    controls->addWidget(ok, 0, column);
    controls->addWidget(cancel, 1, column);
    layout->addLayout(controls);
    resize(980, 620);
    showTable();
}

QPushButton* TMsnTableForm::button(const char* name, const char* text, const char* hint,
                                   void (TMsnTableForm::*slot)()) {
    auto* b = new QPushButton(QString::fromLatin1(text));
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromLatin1(hint));
    connect(b, &QPushButton::clicked, this, slot);
    return b;
}

void TMsnTableForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TMsnTableForm::FormShow() {
    model_.refresh();
    showTable();
}

void TMsnTableForm::showTable() {
    {
        const QSignalBlocker blocker(MsnTimeLimit);
        MsnTimeLimit->setValue(model_.missionTimeLimitSpinValue());
    }
    for (int line = 1; line < Model::kGridLines; ++line)
        for (int c = 0; c < Model::kGridColumns; ++c)
            StringGrid1->item(line - 1, c)->setText(latin1(model_.gridText(line, c)));
    const Model::ButtonStates b = model_.buttons();
    AddObjective->setEnabled(b.add);
    EditObjective->setEnabled(b.edit);
    CopyObjective->setEnabled(b.copy);
    DeleteObjective->setEnabled(b.remove);
    ShiftUp->setEnabled(b.up);
    ShiftDown->setEnabled(b.down);
    const QScopedValueRollback<bool> showing(showingTable_, true);
    if (model_.selectedRow() >= 0)
        StringGrid1->selectRow(model_.selectedRow());
    else
        StringGrid1->clearSelection();
}

void TMsnTableForm::showObjective(int star, int row) {
    if (star >= 0 && star < TabControl1->count())
        TabControl1->setCurrentIndex(star); // the tab's change shows its table
    if (row >= 0 && row < mission::ObjectiveTable::rowCount)
        StringGrid1Click(row);
}

void TMsnTableForm::TabControl1Change(int index) {
    model_.selectStar(index);
    showTable();
}

void TMsnTableForm::StringGrid1Click(int row) {
    model_.clickRow(row);
    showTable();
}

bool TMsnTableForm::runEntry(mission::ObjectiveRow& row, int rowIndex) {
    TMsnTableObjSel entry(row, rowIndex, model_.currentStar(), model_.project(), this);
    return entry.exec() == QDialog::Accepted;
}

void TMsnTableForm::AddObjectiveClick() {
    model_.add([this](mission::ObjectiveRow& row, int r) { return runEntry(row, r); });
    showTable();
}

void TMsnTableForm::EditObjectiveClick() {
    model_.edit([this](mission::ObjectiveRow& row, int r) { return runEntry(row, r); });
    showTable();
}

void TMsnTableForm::CopyObjectiveClick() {
    model_.copy();
    showTable();
}

void TMsnTableForm::DeleteObjectiveClick() {
    model_.remove();
    showTable();
}

void TMsnTableForm::ShiftUpClick() {
    model_.moveUp();
    showTable();
}

void TMsnTableForm::ShiftDownClick() {
    model_.moveDown();
    showTable();
}

void TMsnTableForm::ClearTableClick() {
    model_.clearTable();
    showTable();
}

void TMsnTableForm::MsnTimeLimitChange(int value) {
    model_.setMissionTimeLimit(common::decimal(value));
}

void TMsnTableForm::SaveTableClick() {
    QFileDialog dialog(this, QStringLiteral("Save Mission Table"));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("*.tbl"));
    dialog.setDefaultSuffix(QStringLiteral("tbl"));
    dialog.selectFile(latin1(model_.defaultTableFileName()));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        model_.saveTable(chosenPath(dialog.selectedFiles().front()), reporter_);
    else
        model_.clickRow(0);
    showTable();
}

void TMsnTableForm::LoadTableClick() {
    QFileDialog dialog(this, QStringLiteral("Load Mission Table"));
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("*.tbl"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        model_.loadTable(chosenPath(dialog.selectedFiles().front()), reporter_);
    else
        model_.clickRow(0);
    showTable();
}

void TMsnTableForm::OKClick() {
    accept();
}

std::optional<mission::ObjectiveBlock> editMissionTables(const mission::MissionDocument& document,
                                                         common::Reporter& reporter,
                                                         QWidget* parent, int star, int row) {
    TMsnTableForm form(document.objectives,
                       document.header.text(mission::MissionHeader::projectName), reporter, parent);
    form.showObjective(star, row);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.model().working();
}

} // namespace zev::dialogs
