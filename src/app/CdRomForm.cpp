#include "CdRomForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev::app {

TCdRomForm::TCdRomForm(const QString& location, const QString& driveLetter, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("ZEV CD ROM Location"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* row = new QHBoxLayout;
    CdRomBox = new QLineEdit(location);
    CdRomBox->setObjectName(QStringLiteral("CdRomBox"));
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    connect(browse, &QPushButton::clicked, this, &TCdRomForm::BrowseClick);
    row->addWidget(CdRomBox);
    row->addWidget(browse);
    form->addRow(QStringLiteral("Game disc folder"), row);
    DriveLetterBox = new QComboBox;
    DriveLetterBox->setObjectName(QStringLiteral("DriveLetterBox"));
    for (char c = 'D'; c <= 'Z'; ++c)
        DriveLetterBox->addItem(QString(QLatin1Char(c)));
    const int at = DriveLetterBox->findText(driveLetter.toUpper());
    DriveLetterBox->setCurrentIndex(at >= 0 ? at : DriveLetterBox->findText(QStringLiteral("E")));
    form->addRow(QStringLiteral("Drive letter for the game"), DriveLetterBox);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TCdRomForm::BrowseClick() {
    const QString dir =
        QFileDialog::getExistingDirectory(this, QStringLiteral("ZEV CD ROM Location"),
                                          CdRomBox->text(), QFileDialog::DontUseNativeDialog);
    if (!dir.isEmpty())
        CdRomBox->setText(dir);
}

QString TCdRomForm::location() const {
    return CdRomBox->text();
}
QString TCdRomForm::driveLetter() const {
    return DriveLetterBox->currentText();
}

} // namespace zev::app
