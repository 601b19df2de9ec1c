#pragma once

#include "mission/NewMission.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabBar;

namespace zev::common {
class Reporter;
}

namespace zev::app {

// "New Mission Selection": free for all or team play, project and mission name, players and the
// patch choice.
class TSelectionForm : public QDialog {
    Q_OBJECT
public:
    TSelectionForm(common::Reporter& reporter, bool patch, QWidget* parent = nullptr);

    mission::NewMissionSelection selection() const;

    QTabBar* SelectionControl;
    QLineEdit* ProjectName;
    // Says what a project name may be, and louder when a key or a paste was refused.
    QLabel* ProjectNameNote;
    QLineEdit* MissionName;
    QSpinBox* Players;
    QCheckBox* PatchBox;

public slots:
    void BitBtn1Click();

private:
    common::Reporter& reporter_;
};

} // namespace zev::app
