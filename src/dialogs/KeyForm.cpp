#include "KeyForm.h"

#include "KeySelectionForm.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zev::dialogs {

TKeyForm::TKeyForm(edit::KeyTable& table, std::filesystem::path programDirectory,
                   common::Reporter& reporter, QWidget* parent)
    : QDialog(parent), table_(table), programDirectory_(std::move(programDirectory)),
      reporter_(reporter), model_(table) {
    setObjectName(QStringLiteral("KeyForm"));
    setWindowTitle(QStringLiteral("Keyboard Mapping"));
    auto* layout = new QVBoxLayout(this);
    ActionGrid = new QTableWidget(edit::KeyTable::kActions, 2);
    ActionGrid->setObjectName(QStringLiteral("ActionGrid"));
    ActionGrid->setHorizontalHeaderLabels(
        {QStringLiteral("Work Space Action"), QStringLiteral("Key")});
    ActionGrid->verticalHeader()->hide();
    ActionGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ActionGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ActionGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int action = 1; action <= edit::KeyTable::kActions; ++action) {
        ActionGrid->setItem(
            action - 1, 0,
            new QTableWidgetItem(QString::fromLatin1(edit::workspaceActionText(action))));
        ActionGrid->setItem(action - 1, 1, new QTableWidgetItem);
        showRow(action);
    }
    ActionGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ActionGrid->horizontalHeader()->setStretchLastSection(true);
    connect(ActionGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { ActionGridDblClick(row); });
    layout->addWidget(ActionGrid);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TKeyForm::BitBtn1Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 640);
}

void TKeyForm::showRow(int action) {
    ActionGrid->item(action - 1, 1)
        ->setText(QString::fromLatin1(model_.working().entry(action).name.c_str()));
}

void TKeyForm::ActionGridDblClick(int row) {
    const int action = row + 1;
    if (action < 1 || action > edit::KeyTable::kActions)
        return;
    TKeySelectionForm selection(this);
    if (selection.exec() != QDialog::Accepted)
        return;
    if (const auto choice = selection.chosen())
        if (model_.choose(action, *choice, reporter_))
            showRow(action);
}

void TKeyForm::BitBtn1Click() {
    table_ = model_.working();
    table_.save(programDirectory_, reporter_);
    accept();
}

} // namespace zev::dialogs
