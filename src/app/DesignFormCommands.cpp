// The main window's commands: document, palette, settings and small view commands.

#include "DesignForm.h"

#include "CdRomForm.h"
#include "FileDialogs.h"
#include "SystemInfoForm.h"
#include "WorkspaceHost.h"

#include "dialogs/CameraForm.h"
#include "dialogs/KeyForm.h"

#include "gamedata/GeoScan.h"
#include "gamedata/ObjectGroups.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>

namespace zev::app {

namespace {

constexpr const char* S = platform::SettingsStore::kSetup;

// The borderless wait window shown while the GEO scan runs.
class ScanWaitWindow : public gamedata::ScanProgress {
public:
    explicit ScanWaitWindow(QWidget* parent)
        : label_(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
        label_.setMargin(20);
        label_.setFrameStyle(QFrame::Box);
    }
    void show(const char* text) override {
        label_.setText(QString::fromLatin1(text));
        label_.adjustSize();
        label_.show();
        QApplication::processEvents();
    }
    void hide() override { label_.hide(); }

private:
    QLabel label_;
};

} // namespace

void TDesignForm::NewBtnClick() {
    controller_->newMission();
}
void TDesignForm::OpenItemClick() {
    controller_->open();
}
void TDesignForm::SaveItemClick() {
    controller_->save();
}
void TDesignForm::SaveAsBtnClick() {
    controller_->saveAs();
}
void TDesignForm::ExitItemClick() {
    close();
}

void TDesignForm::UndoItemClick() {
    editor_.undo();
}
void TDesignForm::RedoItemClick() {
    editor_.redo();
}

// The tool buttons are a radio pair; the view buttons show which view is current, and the
// workspace host presses them back when a key or the dropper changes the view.
void TDesignForm::MouseBtnClick() {
    MouseBtn->setChecked(true);
    DropperBtn->setChecked(false);
    emit toolChosen(false);
}
void TDesignForm::DropperBtnClick() {
    DropperBtn->setChecked(true);
    MouseBtn->setChecked(false);
    emit toolChosen(true);
}
void TDesignForm::SideBtnClick() {
    emit viewChosen(false);
}
void TDesignForm::TopBtnClick() {
    emit viewChosen(true);
}

void TDesignForm::DropBtnClick() {
    ObjectBox->setVisible(!ObjectBox->isVisible());
}

void TDesignForm::ObjectBoxClick() {
    QListWidgetItem* chosen = ObjectBox->currentItem();
    if (!chosen)
        return;
    paletteText_ = chosen->text();
    DropBtn->setText(paletteText_);
    ObjectBox->hide();
    emit objectChosen(ObjectsTabControl->tabText(ObjectsTabControl->currentIndex()),
                      ObjectBox->row(chosen), chosen->text());
}

void TDesignForm::ObjectsTabControlChange() {
    ObjectBox->clear();
    // The object chosen belonged to the group left.
    paletteText_.clear();
    DropBtn->setText(QStringLiteral("(choose an object below)"));
    ObjectBox->show();
    const int tab = ObjectsTabControl->currentIndex();
    if (tab < 0)
        return;
    const std::string group = ObjectsTabControl->tabText(tab).toStdString();
    for (const std::string& text : gamedata::listMenuTexts(context_.programDirectory, group))
        ObjectBox->addItem(QString::fromLatin1(text.c_str()));
}

void TDesignForm::ReloadGroupTabItems1Click() {
    const QSignalBlocker quiet(ObjectsTabControl);
    while (ObjectsTabControl->count() > 0)
        ObjectsTabControl->removeTab(0);
    for (const std::string& name : gamedata::listObjectGroupNames(context_.programDirectory))
        ObjectsTabControl->addTab(QString::fromLatin1(name.c_str()));
    // A hidden tab bar does not tell its layout that it grew.
    ObjectsTabControl->updateGeometry();
    ObjectsTabControlChange();
    reloadObjectGroups();
    refreshKeyHints();
}

void TDesignForm::ScanGeoTable1Click() {
    ScanWaitWindow wait(this);
    dropper_->indexCurrent = gamedata::ScanGeoTable(context_.archivePath().toStdString(),
                                                    context_.programDirectory, reporter_, &wait)
                                 .indexCurrent;
}

void TDesignForm::SystemInfo1Click() {
    TSystem_Info info(this);
    info.exec();
}

void TDesignForm::About1Click() {
    QMessageBox::about(
        this, QStringLiteral("About ZEVEDIT 3D"),
        QStringLiteral("<b>ZEVEDIT 3D</b><br>Mission editor for the mech combat game.<br><br>"
                       "Lay out missions on a 3D workspace, generate their sources, assemble, "
                       "package and launch them."));
}

bool TDesignForm::autoZoom() const {
    return AutoZoom->isChecked();
}

void TDesignForm::AutoZoomClick() {
    // The item's check mark is the flag.
}

void TDesignForm::DayTime1Click() {
    DayTime1->setChecked(true);
    emit dayNightChosen(false);
}

void TDesignForm::NightTime1Click() {
    NightTime1->setChecked(true);
    emit dayNightChosen(true);
}

void TDesignForm::ZEVProjectFilePath1Click() {
    const auto path = askProjectFilePath(this);
    if (!path)
        return;
    context_.settings->setText(S, "Prj Path", *path);
    context_.setup.projectPath = context_.settings->text(S, "Prj Path");
    // The path chosen here is the one in effect from now on.
    context_.archiveOverride.clear();
    checkIndexFiles();
    emit projectPathChanged(context_.setup.projectPath);
}

void TDesignForm::ZEVCDROMLocation1Click() {
    TCdRomForm form(context_.setup.cdRomLocation, context_.setup.cdDriveLetter, this);
    if (form.exec() != QDialog::Accepted)
        return;
    context_.settings->setText(S, "CD ROM Location", form.location());
    context_.settings->setText(S, "CD Drive Letter", form.driveLetter());
    context_.setup.cdRomLocation = context_.settings->text(S, "CD ROM Location");
    context_.setup.cdDriveLetter = context_.settings->text(S, "CD Drive Letter");
}

void TDesignForm::ZEVSimEngineExecutableOverride1Click() {
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), QString(), nullptr,
                                     QFileDialog::DontUseNativeDialog);
    if (file.isEmpty())
        return;
    context_.settings->setText(S, "ZEV Exe Override", platform::limitExeOverride(file));
    context_.setup.exeOverride =
        platform::limitExeOverride(context_.settings->text(S, "ZEV Exe Override"));
}

} // namespace zev::app

namespace zev::app {

void TDesignForm::KeyboardMapping1Click() {
    dialogs::TKeyForm form(keyTable_, context_.programDirectory, reporter_, this);
    form.exec();
    refreshKeyHints();
}

void TDesignForm::UserPOVCameraControl1Click() {
    auto* camera = findChild<dialogs::TCameraForm*>(QString(), Qt::FindDirectChildrenOnly);
    if (!camera) {
        auto* host = findChild<WorkspaceHost*>(QString(), Qt::FindDirectChildrenOnly);
        camera = new dialogs::TCameraForm(host ? host->Speeds() : idleSpeeds_, this);
    }
    camera->show();
    camera->raise();
}

} // namespace zev::app
