#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace zev::app {

// "ZEV CD ROM Location": where the game disc is mounted (or copied) and the DOS drive letter the
// runner gives it.
class TCdRomForm : public QDialog {
    Q_OBJECT
public:
    TCdRomForm(const QString& location, const QString& driveLetter, QWidget* parent = nullptr);

    QString location() const;
    QString driveLetter() const;

    QLineEdit* CdRomBox;
    QComboBox* DriveLetterBox;

public slots:
    void BrowseClick();
};

} // namespace zev::app
