#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace zev::app {

// "Kort Error Log": the assembler's error file.
class TErrorForm : public QDialog {
    Q_OBJECT
public:
    explicit TErrorForm(QWidget* parent = nullptr);
    void showText(const QString& text);
    QPlainTextEdit* ErrorMemo;
};

} // namespace zev::app
