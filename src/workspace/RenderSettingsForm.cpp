#include "RenderSettingsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev::workspace {

TRenderSettingsForm::TRenderSettingsForm(const DriverList& drivers,
                                         const std::vector<RasteriserInfo>& rasterisers,
                                         platform::RenderChoice& choice, QWidget* parent)
    : QDialog(parent), drivers_(drivers), rasterisers_(rasterisers), choice_(choice) {
    setWindowTitle(QStringLiteral("Full Screen Render Settings"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    DeviceBox2 = new QComboBox;
    DeviceBox2->setObjectName(QStringLiteral("DeviceBox2"));
    ComboBox1 = new QComboBox;
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    VideoModesBox = new QComboBox;
    VideoModesBox->setObjectName(QStringLiteral("VideoModesBox"));
    form->addRow(QStringLiteral("DirectDraw Rendering Device"), DeviceBox2);
    form->addRow(QStringLiteral("Retained Mode Rendering Device"), ComboBox1);
    form->addRow(QStringLiteral("Available Video Modes"), VideoModesBox);
    layout->addLayout(form);
    auto* note = new QLabel(QString::fromLatin1(kDeviceNote));
    note->setObjectName(QStringLiteral("DeviceNote"));
    note->setWordWrap(true);
    layout->addWidget(note);
    SpriteMouse = new QCheckBox(QStringLiteral("Use Sprite Mouse"));
    ZBuffering = new QCheckBox(QStringLiteral("Z-Buffering"));
    layout->addWidget(SpriteMouse);
    layout->addWidget(ZBuffering);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TRenderSettingsForm::BitBtn1Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    for (const DriverRow& d : drivers_.rows)
        DeviceBox2->addItem(d.text);
    modes_.defaultMode = choice_.displayMode;
    DeviceBox2->setCurrentIndex(std::max(0, choice_.fullscreenDriver));
    DeviceBox2Change();
    if (choice_.fullscreenDevice >= 0 && choice_.fullscreenDevice < ComboBox1->count())
        ComboBox1->setCurrentIndex(choice_.fullscreenDevice);
    if (choice_.displayMode >= 0 && choice_.displayMode < VideoModesBox->count())
        VideoModesBox->setCurrentIndex(choice_.displayMode);
    // The sprite pointer is on unless the choice says otherwise.
    SpriteMouse->setChecked(choice_.spriteMouse || choice_.fullscreenDevice < 0);
    ZBuffering->setChecked(choice_.zBuffering);
    connect(DeviceBox2, &QComboBox::currentIndexChanged, this,
            &TRenderSettingsForm::DeviceBox2Change);
}

void TRenderSettingsForm::DeviceBox2Change() {
    enumerateDriverModes(drivers_, DeviceBox2->currentIndex(), rasterisers_, devices_, modes_);
    ComboBox1->clear();
    for (const DeviceRow& d : devices_.rows)
        ComboBox1->addItem(d.text);
    VideoModesBox->clear();
    for (const ModeRow& m : modes_.rows)
        VideoModesBox->addItem(m.text);
    VideoModesBox->setCurrentIndex(modes_.defaultMode);
}

void TRenderSettingsForm::BitBtn1Click() {
    choice_.fullscreenDriver = DeviceBox2->currentIndex();
    choice_.fullscreenDevice = ComboBox1->currentIndex();
    choice_.displayMode = VideoModesBox->currentIndex();
    choice_.spriteMouse = SpriteMouse->isChecked();
    choice_.zBuffering = ZBuffering->isChecked();
    accept();
}

} // namespace zev::workspace
