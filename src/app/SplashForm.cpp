#include "SplashForm.h"

#include "DesignForm.h"

#include "workspace/DeviceEnumeration.h"
#include "workspace/RenderSettingsForm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace zev::app {

namespace {

// What cannot be chosen on this platform, said where the choice would be.
QLabel* deviceNote() {
    auto* note = new QLabel(QString::fromLatin1(workspace::kDeviceNote));
    note->setObjectName(QStringLiteral("DeviceNote"));
    note->setWordWrap(true);
    return note;
}

} // namespace

TSplashForm::TSplashForm(EditorContext context, WorkspaceSetup setup, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), setup_(std::move(setup)) {
    setWindowTitle(QStringLiteral("ZEVEDIT 3D"));
    setObjectName(QStringLiteral("SplashForm"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<h2>ZEVEDIT 3D</h2>Mission editor"));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    LaunchControl = new QTabWidget;
    LaunchControl->setObjectName(QStringLiteral("LaunchControl"));
    Windowed = new QWidget;
    auto* windowedLayout = new QVBoxLayout(Windowed);
    windowedLayout->addWidget(new QLabel(QStringLiteral("Rendering Devices")));
    DeviceBox = new QComboBox;
    DeviceBox->setObjectName(QStringLiteral("DeviceBox"));
    windowedLayout->addWidget(DeviceBox);
    windowedLayout->addWidget(deviceNote());
    windowedLayout->addStretch();
    Fullscreen = new QWidget;
    auto* fullLayout = new QVBoxLayout(Fullscreen);
    fullLayout->addWidget(new QLabel(QStringLiteral("Rendering Devices")));
    BitBtn1 = new QPushButton(QStringLiteral("Render Settings"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    fullLayout->addWidget(BitBtn1);
    fullLayout->addWidget(deviceNote());
    fullLayout->addStretch();
    LaunchControl->addTab(Windowed, QStringLiteral("   Windowed Mode   "));
    LaunchControl->addTab(Fullscreen, QStringLiteral("    Fullscreen    "));
    layout->addWidget(LaunchControl);

    LaunchButton = new QPushButton(QStringLiteral("Launch Editor"));
    LaunchButton->setObjectName(QStringLiteral("LaunchButton"));
    LaunchButton->setToolTip(QStringLiteral("Click Here to Launch Editor with Selected 3D Device"));
    LaunchButton->setDefault(true);
    layout->addWidget(LaunchButton);

    connect(BitBtn1, &QPushButton::clicked, this, &TSplashForm::BitBtn1Click);
    connect(LaunchButton, &QPushButton::clicked, this, &TSplashForm::LaunchButtonClick);
    resize(420, 260);
    FormCreate();
}

TSplashForm::~TSplashForm() = default;

void TSplashForm::FormCreate() {
    choice_ = platform::readRenderChoice(*context_.settings);
    rasterisers_ = workspace::probeRasterisers();
    drivers_ = workspace::enumerateDrivers();
    windowed_ = workspace::enumerateWindowedDevices(rasterisers_);
    for (const auto& d : windowed_.rows)
        DeviceBox->addItem(d.text);
    LaunchControl->setCurrentIndex(choice_.fullScreen ? 1 : 0);
    if (choice_.windowedDevice >= 0 && choice_.windowedDevice < DeviceBox->count())
        DeviceBox->setCurrentIndex(choice_.windowedDevice);
    else if (windowed_.preferred >= 0)
        DeviceBox->setCurrentIndex(windowed_.preferred);
    modes_.defaultMode = choice_.displayMode;
    workspace::enumerateDriverModes(drivers_, std::max(0, choice_.fullscreenDriver), rasterisers_,
                                    devices_, modes_);
    // With no mode chosen yet, a full-screen run starts in the list's default mode (640 x 480).
    if (!choice_.displayModeStored)
        choice_.displayMode = modes_.defaultMode;
}

void TSplashForm::BitBtn1Click() {
    workspace::TRenderSettingsForm form(drivers_, rasterisers_, choice_, this);
    if (form.exec() == QDialog::Accepted) {
        devices_ = form.devices();
        modes_ = form.modes();
    }
}

void TSplashForm::LaunchButtonClick() {
    EditorContext context = context_;
    context.setup = platform::readSetup(*context.settings);
    // The mission of the command line opens in the first main window only.
    context_.startMission.clear();
    mainWindow_ = std::make_unique<TDesignForm>(context);
    // The main window goes once it has closed; the start-up form comes back.
    connect(mainWindow_.get(), &TDesignForm::closed, this,
            [this] { QTimer::singleShot(0, this, &TSplashForm::mainWindowClosed); });
    connect(mainWindow_.get(), &TDesignForm::setupFailed, this,
            [this] { QTimer::singleShot(0, this, &TSplashForm::mainWindowClosed); });

    const bool windowed = LaunchControl->currentIndex() == 0;
    platform::RenderChoice launch = choice_;
    launch.fullScreen = !windowed;
    launch.windowedDevice = DeviceBox->currentIndex();
    if (windowed) {
        if (!setup_(*mainWindow_, launch, *this)) {
            mainWindow_.reset();
            show();
            return;
        }
        platform::writeWindowedChoice(*context_.settings, launch.windowedDevice);
        hide();
        mainWindow_->show();
        QTimer::singleShot(0, mainWindow_.get(), &TDesignForm::openStartMission);
        QTimer::singleShot(0, mainWindow_.get(), &TDesignForm::offerRecovery);
        return;
    }
    hide();
    mainWindow_->show();
    if (!setup_(*mainWindow_, launch, *this)) {
        mainWindow_.reset();
        show();
        return;
    }
    if (launch.fullscreenDriver < 0)
        launch.fullscreenDriver = 0;
    if (launch.fullscreenDevice < 0)
        launch.fullscreenDevice = 0;
    platform::writeFullScreenChoice(*context_.settings, launch);
    QTimer::singleShot(0, mainWindow_.get(), &TDesignForm::openStartMission);
    QTimer::singleShot(0, mainWindow_.get(), &TDesignForm::offerRecovery);
}

void TSplashForm::mainWindowClosed() {
    mainWindow_.reset();
    show();
}

} // namespace zev::app
