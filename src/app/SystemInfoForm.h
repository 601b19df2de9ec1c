#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

namespace zev::app {

// "System Info": processor type and memory figures, refreshed every 100 ms.
class TSystem_Info : public QDialog {
    Q_OBJECT
public:
    explicit TSystem_Info(QWidget* parent = nullptr);

    QLabel* ProcessorType;
    QLabel* TotalPhysical;
    QLabel* AvailablePhysical;
    QLabel* TotalVirtual;
    QLabel* AvailableVirtual;
    QProgressBar* MemoryGauge;

public slots:
    void Timer1Timer();

private:
    QTimer* timer_;
};

} // namespace zev::app
