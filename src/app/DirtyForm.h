#pragma once

#include "DocumentController.h"

#include <QDialog>

namespace zev::app {

// The unsaved-work prompt: "Save It", "Dump It" or "Cancel".
class TDirtyForm : public QDialog {
    Q_OBJECT
public:
    explicit TDirtyForm(QWidget* parent = nullptr);
    UnsavedChoice choice() const { return choice_; }

    // Shows the prompt modally and gives the answer; closing the box counts as Cancel.
    static UnsavedChoice ask(QWidget* parent);

private:
    UnsavedChoice choice_ = UnsavedChoice::Cancel;
};

} // namespace zev::app
