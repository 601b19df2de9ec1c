#pragma once

#include "edit/TaskSettingsModel.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QTableWidget;

namespace zev::dialogs {

// "Path Animation": enabled, period, the looping and rotation choices, and the eight path points
// in a grid, each with its "Enable" box.
class TPathForm : public QDialog {
    Q_OBJECT
public:
    explicit TPathForm(const edit::PathValues& values, QWidget* parent = nullptr);
    edit::PathValues values() const;

private:
    QCheckBox* Enabled;
    QLineEdit* Period;
    QButtonGroup* Looping;
    QButtonGroup* Rotation;
    QTableWidget* PathGrid;
    std::array<QCheckBox*, mission::MissionObjectRecord::pathPointCount> Enable;
};

} // namespace zev::dialogs
