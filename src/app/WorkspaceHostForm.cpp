// The main window's commands and notices that the workspace follows.

#include "WorkspaceHost.h"

#include "DesignForm.h"

#include "workspace/MissionScene.h"
#include "workspace/SceneColours.h"
#include "workspace/WorkspaceWidget.h"

#include <QAction>
#include <QColorDialog>
#include <QTimer>

namespace zev::app {

void WorkspaceHost::connectForm() {
    form_.installEventFilter(this);
    connect(&form_, &TDesignForm::toolChosen, this, &WorkspaceHost::chooseTool);
    connect(&form_, &TDesignForm::viewChosen, this, [this](bool top) {
        if (!keys_)
            return;
        top ? keys_->showTopView() : keys_->showFrontView();
        syncView();
    });
    connect(&form_, &TDesignForm::cameraToThing, this, &WorkspaceHost::frameThing);
    connect(&form_, &TDesignForm::renderQualityChosen, this, [this](bool fill, int value) {
        if (fill)
            value == 0x000   ? scene_->PointClick()
            : value == 0x040 ? scene_->WireFrameClick()
                             : scene_->SolidClick();
        else
            value == 0   ? scene_->FlatClick()
            : value == 1 ? scene_->GouraudClick()
                         : scene_->PhongClick();
        widget_->update();
    });
    // No frame is drawn while the assembler runs; a launch gives the device up for the game and
    // makes it again afterwards (full screen then comes back in menu mode).
    connect(&form_, &TDesignForm::sequenceStarting, this, [this](bool launch) {
        suspended_ = true;
        if (launch)
            loop_->stop();
    });
    connect(&form_, &TDesignForm::sequenceEnded, this, [this](bool launch) {
        if (launch) {
            if (!windowed_ && deviceReady_)
                recreateDevice();
        }
        suspended_ = false;
        RequestFrame();
        keyboard_.clear(); // keys released while the game had the focus never reached us
    });
    // The object viewer draws with a device of its own: the workspace stops drawing while it is
    // shown and makes its device again afterwards, in both modes.
    connect(&form_, &TDesignForm::viewerStarting, this, [this] {
        suspended_ = true;
        loop_->stop();
    });
    connect(&form_, &TDesignForm::viewerEnded, this, [this] {
        if (deviceReady_)
            recreateDevice();
        suspended_ = false;
        RequestFrame();
        keyboard_.clear();
    });
    connect(&form_, &TDesignForm::missionChanged, this, [this] {
        if (widget_ && !suspended_ && !menuMode_)
            widget_->update();
    });
    connect(&form_, &TDesignForm::viewAidsChanged, this, [this] {
        if (auto* widget = Widget()) {
            widget->SetGroundGrid(form_.GroundGrid->isChecked());
            widget->SetEditorLighting(form_.EditorLighting->isChecked());
        }
    });
    connect(&form_, &TDesignForm::dayNightChosen, this, [this](bool night) {
        night ? scene_->NightTime1Click() : scene_->DayTime1Click();
        widget_->update();
    });
    connect(&form_, &TDesignForm::colourCommand, this, [this](const QString& which) {
        using workspace::ColourMenu;
        const ColourMenu menu =
            which == QLatin1String("GroundPlaneColor1")      ? ColourMenu::GroundPlane
            : which == QLatin1String("StandardObjectColor1") ? ColourMenu::StandardObject
            : which == QLatin1String("RMGObjectColor1")      ? ColourMenu::RmgObject
            : which == QLatin1String("SelectedObjectColor1") ? ColourMenu::SelectedObject
                                                             : ColourMenu::PlayerStartPoint;
        const platform::Rgb start = workspace::ColourDialogStart(*form_.context().settings, menu);
        const QColor chosen =
            QColorDialog::getColor(QColor(start.red, start.green, start.blue), &form_, QString(),
                                   QColorDialog::DontUseNativeDialog);
        if (!chosen.isValid())
            return;
        const platform::Rgb rgb{chosen.red(), chosen.green(), chosen.blue()};
        switch (menu) {
        case ColourMenu::GroundPlane:
            scene_->GroundPlaneColor1Click(rgb);
            break;
        case ColourMenu::StandardObject:
            scene_->StandardObjectColor1Click(rgb);
            break;
        case ColourMenu::RmgObject:
            scene_->RMGObjectColor1Click(rgb);
            break;
        case ColourMenu::SelectedObject:
            scene_->SelectedObjectColor1Click(rgb);
            break;
        case ColourMenu::PlayerStartPoint:
            scene_->PlayerStartPointColor1Click(rgb);
            break;
        }
        widget_->update();
    });
    connect(&form_, &TDesignForm::projectPathChanged, this, [this] { replaceObjectPiece(); });
    clock_.start();
    connect(form_.AutoZoom, &QAction::toggled, this, [this](bool on) {
        speeds_.autoZoom = on;
        if (objectPiece_)
            objectPiece_->SetAutoZoom(on);
    });
    connect(&form_, &TDesignForm::closed, this, [this] {
        loop_->stop();
        keepLastCameras(QString::fromStdString(form_.controller().fileName()));
        saveSpeeds();
    });
    connect(&form_, &TDesignForm::frameSelectionChosen, this, &WorkspaceHost::frameSelection);
    connect(&form_, &TDesignForm::cameraBookmarkChosen, this, &WorkspaceHost::cameraBookmark);
    connect(&form_, &TDesignForm::snapChanged, this, &WorkspaceHost::applySnapToView);
    connect(&form_, &TDesignForm::missionFileUsed, this, [this](const QString& file) {
        // An opened file comes back to the camera it was left with; a Save As keeps the view.
        if (!restoreCamerasPending_)
            return;
        restoreCamerasPending_ = false;
        if (const auto cameras = edit::camerasFromText(
                platform::missionCameras(*form_.context().settings, file, 0).toStdString()))
            showCameras(*cameras, false);
    });
}

} // namespace zev::app
