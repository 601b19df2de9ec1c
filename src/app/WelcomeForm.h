#pragma once

#include <QDialog>

class QCheckBox;

namespace zev::app {

// Shown after a full-screen set-up unless the user asked not to see it again.
class TWelcomeForm : public QDialog {
    Q_OBJECT
public:
    explicit TWelcomeForm(QWidget* parent = nullptr);
    bool doNotShowAgain() const;
    QCheckBox* DoNotShow;
};

} // namespace zev::app
