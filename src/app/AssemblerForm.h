#pragma once

#include "build/AssemblerRun.h"

#include <QDialog>

#include <filesystem>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zev::app {

// "ZEVEDIT 3D Mission Assembler": the assembler run's labels, progress and buttons as the run
// goes. It is shown (application-modal) when the run starts and the run goes on under it; the
// run lets pending events through between files, which is when Abort is seen. When the run has
// ended, finish() waits for OK, with View Errors offered after an assembling failure.
class TAssemblerForm : public QDialog, public build::AssemblerObserver {
    Q_OBJECT
public:
    TAssemblerForm(std::filesystem::path programDirectory, QWidget* parent = nullptr);

    // The run the window shows; Abort asks it to stop after the current file.
    void attach(build::AssemblerRun& run);
    // The run and what follows it (installation, game start) are over: OK closes the window.
    void finish();
    bool running() const { return run_ != nullptr; }

    // build::AssemblerObserver
    void labelsChanged(const build::AssemblerLabels& labels) override;
    void progressChanged(int value) override;
    void buttonsChanged(const build::AssemblerButtons& buttons) override;
    void betweenFiles() override;

public slots:
    void AbortBtnClick();
    void ErrorBtnClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    std::filesystem::path programDirectory_;
    build::AssemblerRun* run_ = nullptr;
    QLabel *ProjectLabel, *FileLabel, *StatusLabel, *TimeLabel;
    QProgressBar* ProgressBar;
    QPushButton *AbortBtn, *OkBtn, *ErrorBtn;
};

// "Kort Error Log" with the assembler's log of the program directory.
void showAssemblerLog(const std::filesystem::path& programDirectory, QWidget* parent);

} // namespace zev::app
