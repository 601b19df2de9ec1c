#include "NavForm.h"

#include "FormParts.h"
#include "INavPointForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zev::dialogs {

namespace {

using Model = edit::NavPointTable;

// The grid has no line of its own for the titles: they are its header, as in the other table
// dialogs, so table row r is grid line r + 1.
constexpr int kFirstSlotLine = 1;

} // namespace

TNavForm::TNavForm(const edit::NavStars& stars, int firstStar, QWidget* parent)
    : QDialog(parent), model_(stars) {
    setObjectName(QStringLiteral("NavForm"));
    setWindowTitle(QStringLiteral("Nav points"));
    model_.selectStar(firstStar);
    auto* layout = new QVBoxLayout(this);

    TabControl1 = new QTabBar;
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    for (int s = 0; s < mission::kStarCount; ++s)
        TabControl1->addTab(QStringLiteral("Nav Star %1").arg(s));
    TabControl1->setCurrentIndex(model_.currentStar());
    connect(TabControl1, &QTabBar::currentChanged, this, &TNavForm::TabControl1Change);
    layout->addWidget(TabControl1);

    StringGrid1 = new QTableWidget(Model::kGridLines - kFirstSlotLine, Model::kGridColumns);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    QStringList titles;
    for (int c = 0; c < Model::kGridColumns; ++c)
        titles << fromRecordText(model_.gridText(0, c));
    StringGrid1->setHorizontalHeaderLabels(titles);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < StringGrid1->rowCount(); ++r)
        for (int c = 0; c < Model::kGridColumns; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    // All 25 slots in view at once, and room for an action list.
    const int line = fontMetrics().height() + 6;
    StringGrid1->verticalHeader()->setDefaultSectionSize(line);
    StringGrid1->setColumnWidth(0, 44);
    for (int c = 1; c < 7; ++c)
        StringGrid1->setColumnWidth(c, 84);
    StringGrid1->setColumnWidth(7, 230);
    StringGrid1->setMinimumSize(960, StringGrid1->horizontalHeader()->sizeHint().height() +
                                         line * StringGrid1->rowCount() + 4);
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this,
            [this](int, int) { StringGrid1DblClick(); });
    layout->addWidget(StringGrid1, 1);

    auto* buttons = new QHBoxLayout;
    struct Button {
        const char* name;
        const char* text;
        void (TNavForm::*handler)();
    };
    const Button tableButtons[] = {{"InsertBtn", "Insert", &TNavForm::InsertBtnClick},
                                   {"BitBtn4", "Delete", &TNavForm::BitBtn4Click},
                                   {"EraseBtn", "Erase", &TNavForm::EraseBtnClick},
                                   {"UndoBtn", "Undo", &TNavForm::UndoBtnClick}};
    for (const Button& button : tableButtons) {
        auto* b = new QPushButton(QString::fromLatin1(button.text));
        b->setObjectName(QString::fromLatin1(button.name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, button.handler);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    addOkCancel(this, buttons, [this] { BitBtn1Click(); });
    layout->addLayout(buttons);
    resize(900, 600);
    showGrid();
}

int TNavForm::selectedSlot() const {
    const int row = StringGrid1->currentRow();
    if (row < 0 || !StringGrid1->item(row, 0)->isSelected())
        return -1;
    return Model::slotOfLine(row + kFirstSlotLine);
}

void TNavForm::showGrid() {
    for (int line = kFirstSlotLine; line < Model::kGridLines; ++line)
        for (int c = 0; c < Model::kGridColumns; ++c)
            StringGrid1->item(line - kFirstSlotLine, c)
                ->setText(fromRecordText(model_.gridText(line, c)));
}

void TNavForm::TabControl1Change(int index) {
    model_.selectStar(index);
    showGrid();
}

void TNavForm::StringGrid1DblClick() {
    const int slot = selectedSlot();
    const auto record = model_.record(slot);
    if (!record)
        return;
    TINavPointForm setting(*record, this);
    if (setting.exec() != QDialog::Accepted)
        return;
    model_.replace(slot, setting.result());
    showGrid();
}

void TNavForm::InsertBtnClick() {
    model_.insert(selectedSlot());
    showGrid();
}

void TNavForm::BitBtn4Click() {
    model_.remove(selectedSlot());
    showGrid();
}

void TNavForm::EraseBtnClick() {
    model_.erase(selectedSlot());
    showGrid();
}

void TNavForm::UndoBtnClick() {
    model_.undo();
    showGrid();
}

void TNavForm::BitBtn1Click() {
    accept();
}

std::optional<std::array<mission::Star, mission::kStarCount>>
editNavPoints(const std::array<mission::Star, mission::kStarCount>& stars, int firstStar,
              QWidget* parent) {
    TNavForm form(stars, firstStar, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.model().stars();
}

} // namespace zev::dialogs
