#pragma once

#include "edit/TaskSettingsModel.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zev::dialogs {

// "Object Ambient Sound": enabled, active, radius and the sound file, chosen from `soundNames`
// or typed.
class TAmbientSoundForm : public QDialog {
    Q_OBJECT
public:
    TAmbientSoundForm(const edit::AmbientSoundValues& values,
                      const std::vector<std::string>& soundNames, QWidget* parent = nullptr);
    edit::AmbientSoundValues values() const;

private:
    QCheckBox *Enabled, *Active;
    QLineEdit* Radius;
    QComboBox* SoundFile;
};

} // namespace zev::dialogs
