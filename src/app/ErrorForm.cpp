#include "ErrorForm.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zev::app {

TErrorForm::TErrorForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Kort Error Log"));
    auto* layout = new QVBoxLayout(this);
    ErrorMemo = new QPlainTextEdit;
    ErrorMemo->setObjectName(QStringLiteral("ErrorMemo"));
    ErrorMemo->setReadOnly(true);
    ErrorMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(ErrorMemo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 400);
}

void TErrorForm::showText(const QString& text) {
    ErrorMemo->setPlainText(text);
}

} // namespace zev::app
