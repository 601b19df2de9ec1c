#include "KeySelectionForm.h"

#include "edit/KeyTable.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev::dialogs {

TKeySelectionForm::TKeySelectionForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KeySelectionForm"));
    setWindowTitle(QStringLiteral("Key Selection"));
    auto* layout = new QVBoxLayout(this);
    KeyList = new QListWidget;
    KeyList->setObjectName(QStringLiteral("KeyList"));
    for (const edit::KeyChoice& choice : edit::keySelectionList())
        KeyList->addItem(QString::fromLatin1(choice.text));
    layout->addWidget(KeyList);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(KeyList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(320, 420);
}

std::optional<std::size_t> TKeySelectionForm::chosen() const {
    const int row = KeyList->currentRow();
    if (row < 0 || !KeyList->currentItem()->isSelected())
        return std::nullopt;
    return std::size_t(row);
}

} // namespace zev::dialogs
