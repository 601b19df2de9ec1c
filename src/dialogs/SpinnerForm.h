#pragma once

#include "edit/TaskSettingsModel.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;

namespace zev::dialogs {

// "Spinner Animation": the spinner task's rotation, period, time and enabled box.
class TSpinnerForm : public QDialog {
    Q_OBJECT
public:
    explicit TSpinnerForm(const edit::SpinnerValues& values, QWidget* parent = nullptr);
    // What the controls hold.
    edit::SpinnerValues values() const;

private:
    std::array<QLineEdit*, 3> Rotation;
    QLineEdit* Period;
    QLineEdit* Time;
    QCheckBox* Enabled;
};

} // namespace zev::dialogs
