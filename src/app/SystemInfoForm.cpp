#include "SystemInfoForm.h"

#include "platform/SystemInfo.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace zev::app {

TSystem_Info::TSystem_Info(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("System Info"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const auto value = [&](const char* caption) {
        auto* label = new QLabel;
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(QString::fromLatin1(caption), label);
        return label;
    };
    ProcessorType = value("Processor Type:");
    TotalPhysical = value("Total Physical Memory:");
    AvailablePhysical = value("Available Physical Memory:");
    TotalVirtual = value("Total Virtual memory:");
    AvailableVirtual = value("Available Virtual Memory:");
    layout->addLayout(form);
    MemoryGauge = new QProgressBar;
    MemoryGauge->setRange(0, 100);
    form->addRow(QStringLiteral("Current System Memory Usage"), MemoryGauge);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &TSystem_Info::Timer1Timer);
    timer_->start();
    Timer1Timer();
}

void TSystem_Info::Timer1Timer() {
    const platform::SystemInfo info = platform::readSystemInfo();
    ProcessorType->setText(QString::number(info.processorType));
    TotalPhysical->setText(QString::number(info.totalPhysical));
    AvailablePhysical->setText(QString::number(info.availablePhysical));
    TotalVirtual->setText(QString::number(info.totalVirtual));
    AvailableVirtual->setText(QString::number(info.availableVirtual));
    MemoryGauge->setValue(info.memoryLoad);
}

} // namespace zev::app
