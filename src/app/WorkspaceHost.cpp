#include "WorkspaceHost.h"

#include "DesignForm.h"
#include "WelcomeForm.h"

#include "gamedata/IndexFiles.h"
#include "workspace/DescribeResult.h"
#include "workspace/DeviceEnumeration.h"
#include "workspace/MissionScene.h"
#include "workspace/ObjectPiece.h"
#include "workspace/SceneColours.h"
#include "workspace/WorkspaceWidget.h"

#include <QApplication>
#include <QColorDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

namespace zev::app {

using common::MessageIcon;

namespace {

constexpr const char* kSetup = platform::SettingsStore::kSetup;

} // namespace

WorkspaceHost::WorkspaceHost(TDesignForm& form) : QObject(&form), form_(form) {
    loop_ = new QTimer(this);
    loop_->setInterval(0);
    connect(loop_, &QTimer::timeout, this, &WorkspaceHost::Frame);
}

WorkspaceHost::~WorkspaceHost() {
    discardWorkspace();
}

workspace::WorkspaceWidget* WorkspaceHost::Widget() const {
    return qobject_cast<workspace::WorkspaceWidget*>(widget_.data());
}

void WorkspaceHost::discardWorkspace() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
    form_.removeEventFilter(this);
    disconnect(&form_, nullptr, this, nullptr);
    disconnect(form_.AutoZoom, nullptr, this, nullptr);
    form_.reporter().setFullScreenHook(nullptr);
    form_.onDocumentReplaced = nullptr;
    form_.setScenePositions(nullptr);
    if (widget_) {
        widget_->removeEventFilter(this);
        delete widget_.data();
    }
}

void WorkspaceHost::replaceObjectPiece() {
    objectPiece_ = std::make_unique<workspace::TObjectPiece>(
        form_.context().archivePath().toStdString(), form_.context().programDirectory);
    objectPiece_->SetAutoZoom(form_.autoZoom());
    if (scene_)
        scene_->SetObjectPiece(objectPiece_.get());
}

bool WorkspaceHost::SetupWindowed(int device) {
    windowed_ = true;
    speeds_ = platform::readSpeeds(*form_.context().settings, false);
    form_.AutoZoom->setChecked(speeds_.autoZoom);

    (void)device; // every listed rasteriser draws through the same OpenGL layer here
    if (!checkGraphics("Failure Creating Device And View...") || !createWorkspace(false))
        return false;
    deviceReady_ = true;
    loop_->start();
    return true;
}

bool WorkspaceHost::SetupFullScreen(const platform::RenderChoice& choice, int screenIndex,
                                    QSize mode) {
    windowed_ = false;
    speeds_ = platform::readSpeeds(*form_.context().settings, true);
    form_.AutoZoom->setChecked(speeds_.autoZoom);
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screenIndex < 0 || screenIndex >= screens.size()) {
        form_.reporter().report(workspace::DescribeResult(workspace::RenderResult::kNoScreen),
                                "Direct Draw Error!", MessageIcon::Stop);
        return false;
    }
    QScreen* screen = screens[screenIndex];
    const QSize screenSize = screen->size() * screen->devicePixelRatio();
    if (mode.width() > screenSize.width() || mode.height() > screenSize.height()) {
        form_.reporter().report(workspace::DescribeResult(workspace::RenderResult::kNoModeFits),
                                "Failed to Set Display Mode!", MessageIcon::Stop);
        return false;
    }
    if (!checkGraphics("Failed to Create Direct3DRM!"))
        return false;

    // A borderless window over the whole chosen screen.
    form_.SpeedPanel->hide();
    form_.ObjectPanel->hide();
    form_.statusBar()->hide();
    form_.menuBar()->hide();
    form_.setWindowFlag(Qt::FramelessWindowHint, true);
    if (form_.windowHandle())
        form_.windowHandle()->setScreen(screen);
    form_.setGeometry(screen->geometry());
    form_.showFullScreen();

    if (!createWorkspace(true))
        return false;
    Widget()->SetSpritePointer(choice.spriteMouse);
    // Space toggles menu mode whichever control of the window has the focus.
    qApp->installEventFilter(this);
    form_.reporter().setFullScreenHook(
        [this](const std::function<void()>& box) { showSafely(box); });
    menuMode_ = false;
    deviceReady_ = true;
    loop_->start();

    if (!form_.context().setup.hideInfoForm) {
        EnterMenuMode();
        TWelcomeForm welcome(&form_);
        welcome.exec();
        if (welcome.doNotShowAgain())
            form_.context().settings->setBoolean(kSetup, "Hide Info Form", true);
    }
    return true;
}

bool WorkspaceHost::checkGraphics(const char* failureCaption) {
    const int version = workspace::probeGraphicsVersion();
    if (version >= workspace::kRequiredGraphicsVersion)
        return true;
    const auto code = version == 0 ? workspace::RenderResult::kNoContext
                                   : workspace::RenderResult::kVersionTooOld;
    form_.reporter().report(workspace::DescribeResult(code), failureCaption, MessageIcon::Stop);
    return false;
}

bool WorkspaceHost::createWorkspace(bool fullScreen) {
    // A widget of an earlier set-up draws the scene about to be replaced.
    discardWorkspace();
    replaceObjectPiece();
    scene_ =
        std::make_unique<workspace::MissionScene>(*form_.context().settings, objectPiece_.get());
    if (!scene_->Setup(fullScreen)) {
        form_.reporter().report(workspace::DescribeResult(workspace::RenderResult::kOk),
                                "Failure Setting Light State...", MessageIcon::Stop);
        return false;
    }
    widget_ = new workspace::WorkspaceWidget(*scene_);
    widget_->setObjectName(QStringLiteral("Workspace"));
    widget_->setFocusPolicy(Qt::StrongFocus);
    form_.setWorkspaceWidget(widget_);
    connectForm();
    return true;
}

void WorkspaceHost::connectForm() {
    form_.setScenePositions(scene_.get());
    form_.onDocumentReplaced = [this] { documentReplaced(); };
    form_.installEventFilter(this);
    widget_->installEventFilter(this);
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
    connect(form_.AutoZoom, &QAction::toggled, this, [this](bool on) {
        speeds_.autoZoom = on;
        if (objectPiece_)
            objectPiece_->SetAutoZoom(on);
    });
    connect(&form_, &TDesignForm::closed, this, [this] {
        loop_->stop();
        saveSpeeds();
    });
}

void WorkspaceHost::documentReplaced() {
    suspended_ = true;
    mission::MissionDocument& document = form_.document();
    // A new mission is untitled; an opened one has its file.
    if (document.untitled)
        scene_->BuildMissionScene(document, form_.reporter());
    else
        scene_->LoadMissionScene(document, form_.reporter());
    suspended_ = false;
    widget_->update();
}

void WorkspaceHost::saveSpeeds() {
    platform::writeSpeeds(*form_.context().settings, !windowed_, speeds_);
    form_.context().settings->sync();
}

void WorkspaceHost::Frame() {
    if (paused_ || !widget_)
        return;
    if (!form_.isActiveWindow())
        return;
    const std::int64_t frameTime = Widget()->Clock().Tick();
    if (suspended_ || menuMode_)
        return;
    for (int code = 0; code < 256; ++code)
        if (keyboard_.isDown(static_cast<std::uint8_t>(code)) && onKeyHeld)
            onKeyHeld(static_cast<std::uint8_t>(code));
    scene_->Scene()->Move(frozen_ ? 0.0 : static_cast<double>(frameTime));
    widget_->update();
    ++framesDrawn_;
}

void WorkspaceHost::EnterMenuMode() {
    if (windowed_)
        return;
    menuMode_ = true;
    form_.SpeedPanel->show();
    form_.ObjectPanel->show();
    form_.statusBar()->show();
    form_.menuBar()->show();
    form_.unsetCursor();
}

void WorkspaceHost::LeaveMenuMode() {
    if (windowed_)
        return;
    form_.SpeedPanel->hide();
    form_.ObjectPanel->hide();
    form_.statusBar()->hide();
    form_.menuBar()->hide();
    menuMode_ = false;
    keyboard_.clear();
    if (widget_)
        widget_->setFocus();
}

void WorkspaceHost::showSafely(const std::function<void()>& box) {
    if (windowed_) {
        box();
        return;
    }
    // Outside menu mode the desktop is shown for the box and the full screen restored after.
    const bool wasMenuMode = menuMode_;
    if (!wasMenuMode)
        EnterMenuMode();
    box();
    if (!wasMenuMode)
        LeaveMenuMode();
}

bool WorkspaceHost::eventFilter(QObject* watched, QEvent* event) {
    // The application-wide filter of a full-screen run only looks at this window's keys.
    if (watched != &form_ && watched != widget_) {
        auto* target = qobject_cast<QWidget*>(watched);
        if (!target || target->window() != &form_ ||
            (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
            return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && !windowed_) {
            if (key->isAutoRepeat())
                return true;
            if (!deviceReady_)
                form_.reporter().report("Fatal Error has Occured in Aplication, Exit and Reload!",
                                        "ZEVEDIT 3D", MessageIcon::Information);
            else if (menuMode_)
                LeaveMenuMode();
            else
                EnterMenuMode();
            return true;
        }
        keyboard_.press(key->key(), key->modifiers() & Qt::KeypadModifier);
        break;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            keyboard_.release(key->key(), key->modifiers() & Qt::KeypadModifier);
        break;
    }
    case QEvent::FocusOut:
        keyboard_.clear();
        break;
    case QEvent::WindowStateChange:
        if (watched == &form_) {
            paused_ = form_.isMinimized();
            if (!paused_)
                gamedata::CheckIndexFiles(form_.context().archivePath().toStdString(),
                                          form_.context().programDirectory);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool setUpWorkspace(TDesignForm& form, const platform::RenderChoice& choice,
                    const workspace::DriverList& drivers, const workspace::ModeList& modes) {
    auto* host = new WorkspaceHost(form);
    if (!choice.fullScreen)
        return host->SetupWindowed(choice.windowedDevice);
    const int last = std::max(0, static_cast<int>(drivers.rows.size()) - 1);
    const int driver = std::clamp(choice.fullscreenDriver, 0, last);
    const int screen = drivers.rows.empty() ? 0 : drivers.rows[driver].screenIndex;
    QSize mode(640, 480);
    if (choice.displayMode >= 0 && choice.displayMode < static_cast<int>(modes.rows.size()))
        mode = QSize(modes.rows[choice.displayMode].width, modes.rows[choice.displayMode].height);
    return host->SetupFullScreen(choice, screen, mode);
}

} // namespace zev::app
