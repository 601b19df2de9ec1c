#pragma once

#include "DeviceEnumeration.h"

#include "platform/EditorSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace zev::workspace {

// "Full Screen Render Settings": the screen, the rasteriser and the resolution of a full-screen
// run, the sprite pointer and the depth buffer.
class TRenderSettingsForm : public QDialog {
    Q_OBJECT
public:
    TRenderSettingsForm(const DriverList& drivers, const std::vector<RasteriserInfo>& rasterisers,
                        platform::RenderChoice& choice, QWidget* parent = nullptr);

    QComboBox* DeviceBox2;    // "DirectDraw Rendering Device": the screens
    QComboBox* ComboBox1;     // "Retained Mode Rendering Device": the rasterisers
    QComboBox* VideoModesBox; // "Available Video Modes"
    QCheckBox* SpriteMouse;
    QCheckBox* ZBuffering;

    const DeviceList& devices() const { return devices_; }
    const ModeList& modes() const { return modes_; }

public slots:
    void DeviceBox2Change();
    void BitBtn1Click();

private:
    const DriverList& drivers_;
    const std::vector<RasteriserInfo>& rasterisers_;
    platform::RenderChoice& choice_;
    DeviceList devices_;
    ModeList modes_;
};

} // namespace zev::workspace
