#pragma once

#include "common/Reporter.h"

#include <QDialog>

#include <filesystem>
#include <string>

class QListWidget;

namespace zev::app {

// "Mission Launch Mek": the chassis (CHS.IDX) and configuration (MEK.IDX) the player starts the
// launched mission in, the current ones selected. OK takes the selected items; a list without
// a selection keeps its value.
class TLaunchMekForm : public QDialog {
    Q_OBJECT
public:
    TLaunchMekForm(const std::filesystem::path& programDirectory, const QString& chassis,
                   const QString& configuration, common::Reporter& reporter,
                   QWidget* parent = nullptr);

    QString chassis() const { return chassis_; }
    QString configuration() const { return configuration_; }

public slots:
    void OkBtnClick();

private:
    QString chassis_, configuration_;
    QListWidget *ChassisBox, *ConfigBox;
};

} // namespace zev::app
