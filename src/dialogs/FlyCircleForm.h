#pragma once

#include "edit/TaskSettingsModel.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace zev::dialogs {

// "Fly Circle Animation": period, interval, radius, enabled and active.
class TFlyCircleForm : public QDialog {
    Q_OBJECT
public:
    explicit TFlyCircleForm(const edit::FlyCircleValues& values, QWidget* parent = nullptr);
    edit::FlyCircleValues values() const;

private:
    QLineEdit *Period, *Interval, *Radius;
    QCheckBox *Enabled, *Active;
};

} // namespace zev::dialogs
