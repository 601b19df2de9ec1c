#include "WelcomeForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace zev::app {

TWelcomeForm::TWelcomeForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ZEVEDIT 3D "));
    auto* layout = new QVBoxLayout(this);
    auto* welcome = new QLabel(QStringLiteral("Welcome to the ZEVEDIT 3D Fullscreen Design Mode"));
    QFont big = welcome->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    welcome->setFont(big);
    layout->addWidget(welcome);
    layout->addWidget(new QLabel(QStringLiteral("NOTE: Use Spacebar to toggle Menu Mode")));
    DoNotShow = new QCheckBox(QStringLiteral("Do Not show this form again"));
    layout->addWidget(DoNotShow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

bool TWelcomeForm::doNotShowAgain() const {
    return DoNotShow->isChecked();
}

} // namespace zev::app
