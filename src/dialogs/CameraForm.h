#pragma once

#include "edit/KeyActions.h"

#include <QDialog>

class QSpinBox;

namespace zev::dialogs {

// "Camera Control Center": the five step sizes of the workspace's key actions, each effective
// the moment it changes. It stays on top of the main window and has no OK or Cancel.
class TCameraForm : public QDialog {
    Q_OBJECT
public:
    TCameraForm(edit::WorkspaceSpeeds& speeds, QWidget* parent = nullptr);

public slots:
    // Loads the current speeds (they may have changed since the form was last shown).
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QSpinBox* spinner(const char* name, int low, int high, int edit::WorkspaceSpeeds::*speed);

    edit::WorkspaceSpeeds& speeds_;
    QSpinBox *ObjRot, *ObjMov, *CamMov, *CamUpDwn, *CamSteer;
};

} // namespace zev::dialogs
