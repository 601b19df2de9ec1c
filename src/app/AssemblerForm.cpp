#include "AssemblerForm.h"

#include "ErrorForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev::app {

TAssemblerForm::TAssemblerForm(std::filesystem::path programDirectory, QWidget* parent)
    : QDialog(parent), programDirectory_(std::move(programDirectory)) {
    setObjectName(QStringLiteral("AssemblerForm"));
    setWindowTitle(QStringLiteral("ZEVEDIT 3D Mission Assembler"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* labels = new QFormLayout;
    const auto label = [&](const char* name, const char* caption) {
        auto* value = new QLabel;
        value->setObjectName(QString::fromLatin1(name));
        value->setMinimumWidth(260);
        labels->addRow(QString::fromLatin1(caption), value);
        return value;
    };
    ProjectLabel = label("ProjectLabel", "Project:");
    FileLabel = label("FileLabel", "Current File:");
    StatusLabel = label("StatusLabel", "Current Status:");
    TimeLabel = label("TimeLabel", "Total Time:");
    layout->addLayout(labels);
    ProgressBar = new QProgressBar;
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, build::AssemblerRun::kProgressMaximum);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    layout->addWidget(ProgressBar);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromLatin1(text));
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    buttons->addStretch();
    AbortBtn = button("AbortBtn", "Abort");
    ErrorBtn = button("ErrorBtn", "View Errors");
    OkBtn = button("OkBtn", "OK");
    layout->addLayout(buttons);
    OkBtn->hide();
    ErrorBtn->hide();
    connect(AbortBtn, &QPushButton::clicked, this, &TAssemblerForm::AbortBtnClick);
    connect(ErrorBtn, &QPushButton::clicked, this, &TAssemblerForm::ErrorBtnClick);
    connect(OkBtn, &QPushButton::clicked, this, [this] {
        if (!running())
            accept();
    });
}

void TAssemblerForm::attach(build::AssemblerRun& run) {
    run_ = &run;
    labelsChanged(run.labels());
    progressChanged(run.progress());
    buttonsChanged(run.buttons());
    show();
    raise();
    QApplication::processEvents();
}

void TAssemblerForm::finish() {
    run_ = nullptr;
    AbortBtn->hide();
    OkBtn->show();
    OkBtn->setDefault(true);
    OkBtn->setFocus();
    if (!isVisible())
        return; // the run never started: its message said why
    exec();
}

void TAssemblerForm::labelsChanged(const build::AssemblerLabels& labels) {
    ProjectLabel->setText(QString::fromLocal8Bit(labels.project.c_str()));
    FileLabel->setText(QString::fromLocal8Bit(labels.currentFile.c_str()));
    StatusLabel->setText(QString::fromLatin1(labels.status.c_str()));
    TimeLabel->setText(QString::fromLatin1(labels.totalTime.c_str()));
}

void TAssemblerForm::progressChanged(int value) {
    ProgressBar->setValue(value);
}

void TAssemblerForm::buttonsChanged(const build::AssemblerButtons& buttons) {
    AbortBtn->setVisible(buttons.abort);
    OkBtn->setVisible(buttons.ok);
    ErrorBtn->setVisible(buttons.viewErrors);
}

void TAssemblerForm::betweenFiles() {
    // The only moment the window answers the user during a run: Abort is seen here.
    QApplication::processEvents();
}

void TAssemblerForm::AbortBtnClick() {
    if (run_)
        run_->requestAbort();
    AbortBtn->setEnabled(false);
}

void TAssemblerForm::ErrorBtnClick() {
    showAssemblerLog(programDirectory_, this);
}

void TAssemblerForm::closeEvent(QCloseEvent* event) {
    if (running()) {
        event->ignore(); // Abort is the way to stop a run
        return;
    }
    QDialog::closeEvent(event);
}

void TAssemblerForm::reject() {
    if (!running())
        QDialog::reject();
}

void showAssemblerLog(const std::filesystem::path& programDirectory, QWidget* parent) {
    TErrorForm form(parent);
    const auto log = build::readAssemblerLog(programDirectory);
    if (log)
        form.showText(QString::fromLocal8Bit(log->c_str()));
    else
        form.ErrorMemo->setPlaceholderText(
            QStringLiteral("No assembler log: %1 is not there.")
                .arg(QString::fromStdString((programDirectory / "korterr.txt").string())));
    form.exec();
}

} // namespace zev::app
