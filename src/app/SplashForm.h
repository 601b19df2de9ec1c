#pragma once

#include "EditorContext.h"

#include "workspace/DeviceEnumeration.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QPushButton;
class QTabWidget;

namespace zev::app {

class TDesignForm;

// The start-up form: windowed or full-screen rendering, on which device, then "Launch Editor".
// Closing it ends the program.
class TSplashForm : public QDialog {
    Q_OBJECT
public:
    // Brings the workspace up in a new main window: windowed or full screen. False when the
    // device could not be set up (the set-up has reported why).
    using WorkspaceSetup =
        std::function<bool(TDesignForm&, const platform::RenderChoice&, const TSplashForm&)>;

    TSplashForm(EditorContext context, WorkspaceSetup setup, QWidget* parent = nullptr);
    ~TSplashForm() override;

    QTabWidget* LaunchControl;
    QWidget* Windowed;
    QWidget* Fullscreen;
    QComboBox* DeviceBox;
    QPushButton* BitBtn1;
    QPushButton* LaunchButton;

    const platform::RenderChoice& choice() const { return choice_; }
    const workspace::WindowedDeviceList& windowedDevices() const { return windowed_; }
    const workspace::DriverList& drivers() const { return drivers_; }
    const workspace::DeviceList& fullScreenDevices() const { return devices_; }
    const workspace::ModeList& modes() const { return modes_; }
    TDesignForm* mainWindow() const { return mainWindow_.get(); }

public slots:
    void FormCreate();
    void BitBtn1Click();
    void LaunchButtonClick();

private:
    void mainWindowClosed();

    EditorContext context_;
    WorkspaceSetup setup_;
    platform::RenderChoice choice_;
    std::vector<workspace::RasteriserInfo> rasterisers_;
    workspace::DriverList drivers_;
    workspace::WindowedDeviceList windowed_;
    workspace::DeviceList devices_;
    workspace::ModeList modes_;
    std::unique_ptr<TDesignForm> mainWindow_;
};

} // namespace zev::app
