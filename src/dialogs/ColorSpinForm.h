#pragma once

#include "edit/TaskSettingsModel.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QTableWidget;

namespace zev::dialogs {

// "Color Spin Animation": the sixteen colours in a grid beside their titles, period, enabled.
class TColorSpinForm : public QDialog {
    Q_OBJECT
public:
    explicit TColorSpinForm(const edit::ColorSpinValues& values, QWidget* parent = nullptr);
    edit::ColorSpinValues values() const;

private:
    QTableWidget* ColorGrid;
    QLineEdit* Period;
    QCheckBox* Enabled;
};

} // namespace zev::dialogs
