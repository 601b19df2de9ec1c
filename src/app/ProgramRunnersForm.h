#pragma once

#include "platform/EditorSettings.h"

#include <QDialog>

class QLineEdit;

namespace zev::app {

// "Program Runners": the command templates that start the DOS assembler and the game's
// executable (DOSBox and Wine by default away from Windows), so a user can point the editor at
// their own emulators. An empty template stands for the default.
class TProgramRunnersForm : public QDialog {
    Q_OBJECT
public:
    TProgramRunnersForm(const platform::RunnerSettings& runners, QWidget* parent = nullptr);
    platform::RunnerSettings runners() const;

private:
    QLineEdit *AssemblerRunner, *GameRunner;
};

} // namespace zev::app
