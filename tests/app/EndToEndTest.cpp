// The editor on a real (virtual) display: start-up form, windowed launch on the demo data,
// new mission, save, reopen, then a full-screen run with menu mode. Pictures of each step are
// kept in the artefact directory.

#include "AppTestSupport.h"

#include "app/DesignForm.h"
#include "app/SelectionForm.h"
#include "app/SplashForm.h"
#include "app/WorkspaceHost.h"
#include "gamedata/DemoData.h"
#include "mission/MissionFile.h"
#include "mission/MissionHeader.h"
#include "mission/MissionObjectRecord.h"
#include "mission/NewMission.h"
#include "platform/EditorSettings.h"
#include "workspace/DeviceEnumeration.h"
#include "workspace/OffscreenRender.h"
#include "workspace/WorkspaceWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cstdlib>
#include <fstream>

using namespace zev;
using app::TDesignForm;
using app::TSplashForm;
using app::WorkspaceHost;
using mission::MissionHeader;
using platform::SettingsStore;

namespace {

constexpr const char* R = SettingsStore::kRenderOptions;

std::filesystem::path Artefact(const std::string& name) {
    const std::filesystem::path dir = ZEV_ARTEFACT_DIR;
    std::filesystem::create_directories(dir);
    return dir / name;
}

void SavePicture(const QImage& image, const std::string& name) {
    EXPECT_TRUE(image.save(QString::fromStdString(Artefact(name).string()))) << name;
}

// The device set-up of the program.
bool SetUpWorkspace(TDesignForm& form, const platform::RenderChoice& choice,
                    const TSplashForm& splash) {
    return setUpWorkspace(form, choice, splash.drivers(), splash.modes());
}

// The window as the user sees it: the widgets with the workspace's last frame drawn in.
QImage WindowPicture(TDesignForm& form, workspace::WorkspaceWidget* widget) {
    QImage picture = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (widget) {
        QPainter painter(&picture);
        const QPoint at = widget->mapTo(&form, QPoint(0, 0));
        painter.drawImage(QRect(at, widget->size()), widget->grabFramebuffer());
    }
    return picture;
}

int CountNear(const QImage& image, const QRect& area, QColor colour, int tolerance) {
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); y += 2)
        for (int x = inside.left(); x <= inside.right(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) <= tolerance &&
                 std::abs(c.green() - colour.green()) <= tolerance &&
                 std::abs(c.blue() - colour.blue()) <= tolerance;
        }
    return n;
}

int DistinctColours(const QImage& image, const QRect& area) {
    std::vector<QRgb> seen;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); y += 4)
        for (int x = inside.left(); x <= inside.right(); x += 4)
            seen.push_back(image.pixel(x, y));
    std::sort(seen.begin(), seen.end());
    return int(std::unique(seen.begin(), seen.end()) - seen.begin());
}

// Lets the frame loop and the paints run for a while.
void RunFor(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A demo mission with a bunker and a hangar in front of player 1's start point, where the
// front camera looks.
std::filesystem::path WriteMissionWithObjects(const std::filesystem::path& path,
                                              const std::filesystem::path& programDirectory) {
    using mission::MissionObjectRecord;
    mission::MissionDocument document;
    mission::NewMissionSelection selection;
    selection.projectName = "OBJS";
    selection.missionName = "Objects";
    mission::storeSelection(document, selection);
    mission::resetToNewMission(document, programDirectory, 0);
    const auto object = [](const char* name, int x, int z) {
        MissionObjectRecord r;
        r.setText(MissionObjectRecord::objectName, name);
        r.setText(MissionObjectRecord::menuText, name);
        for (int axis = 0; axis < 3; ++axis)
            r.setInt32(MissionObjectRecord::scale(axis), 1);
        r.setInt32(MissionObjectRecord::position(0), x);
        r.setInt32(MissionObjectRecord::position(2), z);
        return r;
    };
    document.objects.place(0, object("bunker", 1700, -79400));
    document.objects.place(1, object("hangar", -1300, -78000));
    mission::RecordPositions positions(document);
    common::RecordingReporter reporter;
    EXPECT_TRUE(mission::MissionFile::save(document, path, positions, 0, reporter));
    return path;
}

// Pixels of the standard object colour (green, shaded).
int CountGreen(const QImage& image, const QRect& area) {
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.green() > 100 && c.red() < 20 && c.blue() < c.green() / 2;
        }
    return n;
}

// Fails the test on any message box nobody expected and closes it, and ends any dialog that
// stays up for more than ten seconds, so that a fault never leaves the run waiting.
class ModalWatchdog {
public:
    ModalWatchdog() {
        timer_.setInterval(100);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != current_) {
                current_ = modal;
                since_.start();
                return;
            }
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box && since_.elapsed() > 1000) {
                ADD_FAILURE() << "message box \"" << box->windowTitle().toStdString()
                              << "\": " << box->text().toStdString();
                box->reject();
                current_ = nullptr;
                return;
            }
            if (modal && since_.elapsed() > 10000) {
                ADD_FAILURE() << "dialog \"" << modal->windowTitle().toStdString() << "\" ("
                              << modal->metaObject()->className() << ") was never answered";
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->done(QDialog::Rejected);
                else
                    modal->close();
                current_ = nullptr;
            }
        });
        timer_.start();
    }

private:
    QTimer timer_;
    QPointer<QWidget> current_;
    QElapsedTimer since_;
};

// Picks `path` in the editor's file dialog and confirms it.
// `then` runs once the dialog has gone (to answer what comes after it).
void ChooseInFileDialog(const std::filesystem::path& path, const char* expectedCaption,
                        std::function<void()> then = {}) {
    apptest::answerNextModal([path, expectedCaption, then](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
        EXPECT_EQ(dialog->windowTitle(), expectedCaption);
        dialog->setDirectory(QString::fromStdString(path.parent_path().string()));
        // Typed as a user would: the dialog's file list fills in the background, so a file
        // picked from it may not be listed yet.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(path.filename().string()));
        QMetaObject::invokeMethod(dialog, "accept");
        EXPECT_FALSE(dialog->isVisible()) << "the dialog took " << path;
        if (then)
            then();
    });
}

class EditorOnDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        apptest::ensureGuiApplication();
        watchdog = std::make_unique<ModalWatchdog>();
        if (workspace::probeGraphicsVersion() < workspace::kRequiredGraphicsVersion) {
            if (std::getenv("ZEV_REQUIRE_GL"))
                FAIL() << "no OpenGL 3.3 on this display";
            GTEST_SKIP() << "no OpenGL 3.3 context here (run under xvfb-run with Mesa)";
        }
        common::RecordingReporter reporter;
        ASSERT_TRUE(gamedata::demo::writeDemoData(sandbox.dir.path() / "demo", reporter));
        paths = gamedata::demo::demoDataPaths(sandbox.dir.path() / "demo");
    }

    app::EditorContext context() {
        app::EditorContext c = sandbox.context();
        c.programDirectory = paths.programDirectory;
        c.archiveOverride = QString::fromStdString(paths.archive.string());
        return c;
    }

    static WorkspaceHost* HostOf(TDesignForm* form) { return form->findChild<WorkspaceHost*>(); }

    // The start-up form's choice, before it is made: windowed (launch mode 0) or full screen (1),
    // without the welcome form.
    void ChooseLaunch(int launchMode) {
        sandbox.settings->setBoolean(SettingsStore::kSetup, "Hide Info Form", true);
        sandbox.settings->setInteger(R, "Launch Mode", launchMode);
    }
    // The editor launched from `splash`, its window shown; nulls, with the failure recorded,
    // when it is not there.
    struct Launched {
        TDesignForm* form = nullptr;
        WorkspaceHost* host = nullptr;
    };
    Launched Launch(TSplashForm& splash) {
        splash.show();
        splash.LaunchButton->click();
        Launched launched{splash.mainWindow(), nullptr};
        if (!launched.form) {
            ADD_FAILURE() << "no main window";
            return launched;
        }
        launched.host = HostOf(launched.form);
        EXPECT_NE(launched.host, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(launched.form));
        return launched;
    }

    apptest::EditorSandbox sandbox;
    gamedata::demo::DemoDataPaths paths;
    std::unique_ptr<ModalWatchdog> watchdog;
};

TEST_F(EditorOnDisplay, LaunchesWindowedMakesSavesAndReopensAMissionThenRunsFullScreen) {
    TSplashForm splash(context(), SetUpWorkspace);
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    RunFor(100);
    ASSERT_GE(splash.DeviceBox->count(), 1) << "the machine's rasteriser is offered";
    EXPECT_EQ(splash.DeviceBox->currentIndex(), splash.windowedDevices().preferred);
    EXPECT_GE(splash.drivers().rows.size(), 1u);
    EXPECT_FALSE(splash.modes().rows.empty());
    SavePicture(splash.grab().toImage(), "startup-form.png");

    // --- windowed
    splash.LaunchControl->setCurrentIndex(0);
    const int device = splash.DeviceBox->currentIndex();
    splash.LaunchButton->click();
    TDesignForm* form = splash.mainWindow();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->isVisible());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(sandbox.settings->integer(R, "Launch Mode", -1), 0);
    EXPECT_EQ(sandbox.settings->integer(R, "Windowed Device", -1), device + 1);
    WorkspaceHost* host = HostOf(form);
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(host->IsWindowed());
    EXPECT_TRUE(host->DeviceReady());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_EQ(form->geometry(), form->screen()->availableGeometry())
        << "a window over the whole screen, at its top left corner";
    form->activateWindow();
    const bool active = QTest::qWaitForWindowActive(form, 2000);
    EXPECT_GT(form->ObjectsTabControl->count(), 0) << "the demo's object groups";

    // A new mission through the window's own selection dialog.
    apptest::answerNextModal([](QWidget* modal) {
        auto* selection = qobject_cast<app::TSelectionForm*>(modal);
        ASSERT_NE(selection, nullptr);
        selection->ProjectName->setText(QStringLiteral("DEMO"));
        selection->MissionName->setText(QStringLiteral("Demo Mission"));
        selection->Players->setValue(4);
        selection->BitBtn1Click();
    });
    form->NewBtn->trigger();
    EXPECT_EQ(form->windowTitle(), "ZEVEDIT 3D  [New Mission][*]");
    EXPECT_TRUE(form->SaveBtn->isEnabled());
    RunFor(800);
    // The space bar does nothing special in a window.
    QTest::keyClick(form, Qt::Key_Space);
    EXPECT_FALSE(host->InMenuMode());
    // A letter of the key table pressed with Ctrl belongs to the menus: Ctrl+T keeps the front
    // view, T alone turns to the top view (keys wait for an active window).
    if (active) {
        QTest::keyClick(host->Widget(), Qt::Key_T, Qt::ControlModifier);
        RunFor(300);
        EXPECT_EQ(host->Keys()->view(), edit::WorkspaceView::Front);
        QTest::keyClick(host->Widget(), Qt::Key_T);
        RunFor(300);
        EXPECT_EQ(host->Keys()->view(), edit::WorkspaceView::Top);
        QTest::keyClick(host->Widget(), Qt::Key_F);
        RunFor(300);
        EXPECT_EQ(host->Keys()->view(), edit::WorkspaceView::Front);
    }
    // The read-out of what was under the pointer goes when the pointer leaves the workspace.
    form->StatusPanels[0]->setText(QStringLiteral("Bunker"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(host->Widget(), &leave);
    EXPECT_TRUE(form->StatusPanels[0]->text().isEmpty());

    const QImage windowed = WindowPicture(*form, host->Widget());
    SavePicture(windowed, "main-window-windowed.png");
    const QRect workspace(host->Widget()->mapTo(form, QPoint(0, 0)), host->Widget()->size());
    EXPECT_GT(workspace.width(), 300);
    // The day sky fills the top of the workspace; the ground and markers the rest.
    EXPECT_GT(CountNear(windowed, workspace.adjusted(0, 0, 0, -workspace.height() / 2),
                        QColor(150, 189, 217), 4),
              500);
    EXPECT_GT(DistinctColours(windowed, workspace), 3);

    // Save asks for a name; the file is written where the dialog says.
    const auto saved = paths.gameDirectory / "missions" / "demo.mdb";
    ChooseInFileDialog(saved, "ZEVEDIT 3D FileSave");
    form->SaveBtn->trigger();
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(form->windowTitle().toStdString(), "ZEVEDIT 3D  [" + saved.string() + "][*]");

    // Another new mission (nothing to ask: the work is saved), then reopen the saved one.
    apptest::answerNextModal([](QWidget* modal) {
        auto* selection = qobject_cast<app::TSelectionForm*>(modal);
        ASSERT_NE(selection, nullptr);
        selection->ProjectName->setText(QStringLiteral("TEMP"));
        selection->BitBtn1Click();
    });
    form->NewItem->trigger();
    ASSERT_EQ(form->document().header.text(MissionHeader::projectName), "TEMP");
    ChooseInFileDialog(saved, "ZEVEDIT 3D FileOpen");
    form->OpenBtn->trigger();
    EXPECT_EQ(form->windowTitle().toStdString(), "ZEVEDIT 3D  [" + saved.string() + "][*]");
    EXPECT_EQ(form->document().header.text(MissionHeader::projectName), "DEMO");
    EXPECT_EQ(form->document().header.text(MissionHeader::missionName), "Demo Mission");
    EXPECT_FALSE(form->document().untitled);
    RunFor(300);
    SavePicture(WindowPicture(*form, host->Widget()), "main-window-reopened.png");
    EXPECT_GT(host->FramesDrawn(), 0)
        << "the frame loop runs while the window is active (active: " << active << ")";

    // A mission with objects: the scene shows them in the standard object colour.
    const auto withObjects = WriteMissionWithObjects(
        paths.gameDirectory / "missions" / "objects.mdb", paths.programDirectory);
    EXPECT_EQ(CountGreen(WindowPicture(*form, host->Widget()), workspace), 0);
    ChooseInFileDialog(withObjects, "ZEVEDIT 3D FileOpen");
    form->OpenBtn->trigger();
    ASSERT_EQ(form->document().header.text(MissionHeader::projectName), "OBJS");
    RunFor(300);
    const QImage objects = WindowPicture(*form, host->Widget());
    SavePicture(objects, "main-window-objects.png");
    EXPECT_GT(CountGreen(objects, workspace), 200);

    // Closing saves the windowed speeds (auto zoom now off) and brings the start-up form back.
    EXPECT_TRUE(form->AutoZoom->isChecked());
    form->AutoZoom->trigger();
    EXPECT_TRUE(form->close());
    apptest::settle();
    EXPECT_EQ(splash.mainWindow(), nullptr);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(sandbox.settings->integer(R, "WObject Rotation", -1), 10);
    EXPECT_FALSE(sandbox.settings->boolean(R, "WAuto Zoom", true));
    EXPECT_FALSE(sandbox.settings->contains(R, "fsAuto Zoom"));

    // --- full screen, with the welcome form answered "do not show again"
    bool welcomeSeen = false;
    apptest::answerNextModal([&](QWidget* modal) {
        welcomeSeen = true;
        EXPECT_EQ(modal->windowTitle(), "ZEVEDIT 3D ");
        auto* box = modal->findChild<QCheckBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Do Not show this form again");
        box->setChecked(true);
        SavePicture(modal->grab().toImage(), "fullscreen-welcome.png");
        static_cast<QDialog*>(modal)->accept();
    });
    splash.LaunchControl->setCurrentIndex(1);
    splash.LaunchButton->click();
    form = splash.mainWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(welcomeSeen);
    EXPECT_TRUE(sandbox.settings->boolean(SettingsStore::kSetup, "Hide Info Form", false));
    EXPECT_EQ(sandbox.settings->integer(R, "Launch Mode", -1), 1);
    EXPECT_EQ(sandbox.settings->integer(R, "Fullscreen Driver", -1), 1);
    EXPECT_EQ(sandbox.settings->integer(R, "Fullscreen Device", -1), 1);
    host = HostOf(form);
    ASSERT_NE(host, nullptr);
    EXPECT_FALSE(host->IsWindowed());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form, 2000));
    EXPECT_TRUE(form->isFullScreen());
    // The welcome form left the run in menu mode: space gives the screen to the workspace.
    EXPECT_TRUE(host->InMenuMode());
    ChooseInFileDialog(saved, "ZEVEDIT 3D FileOpen");
    form->OpenItem->trigger();
    EXPECT_EQ(form->document().header.text(MissionHeader::projectName), "DEMO");
    QTest::keyClick(form, Qt::Key_Space);
    EXPECT_FALSE(host->InMenuMode());
    EXPECT_FALSE(form->menuBar()->isVisible());
    EXPECT_FALSE(form->SpeedPanel->isVisible());
    RunFor(800);
    QScreen* screen = form->screen();
    const QImage workspaceOnly = screen->grabWindow(0).toImage();
    SavePicture(workspaceOnly, "fullscreen-workspace.png");
    EXPECT_GT(DistinctColours(workspaceOnly, workspaceOnly.rect()), 3);

    QTest::keyClick(form, Qt::Key_Space);
    EXPECT_TRUE(host->InMenuMode());
    EXPECT_TRUE(form->menuBar()->isVisible());
    EXPECT_TRUE(form->SpeedPanel->isVisible());
    RunFor(300);
    const QImage menuMode = screen->grabWindow(0).toImage();
    SavePicture(menuMode, "fullscreen-menu-mode.png");
    SavePicture(WindowPicture(*form, host->Widget()), "fullscreen-menu-mode-window.png");
    const QRect menuBar(form->menuBar()->mapTo(form, QPoint(0, 0)), form->menuBar()->size());
    EXPECT_GT(menuBar.height(), 0);
    EXPECT_GT(DistinctColours(menuMode, menuBar), 1) << "the menu bar is drawn";

    EXPECT_TRUE(form->close());
    apptest::settle();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(sandbox.settings->contains(R, "fsObject Rotation"));
    splash.close();
}

TEST_F(EditorOnDisplay, AFullScreenRunWithTheWelcomeFormHiddenStartsOutsideMenuMode) {
    sandbox.settings->setBoolean(SettingsStore::kSetup, "Hide Info Form", true);
    sandbox.settings->setInteger(R, "Launch Mode", 1);
    TSplashForm splash(context(), SetUpWorkspace);
    splash.show();
    ASSERT_EQ(splash.LaunchControl->currentIndex(), 1);
    splash.LaunchButton->click();
    TDesignForm* form = splash.mainWindow();
    ASSERT_NE(form, nullptr);
    WorkspaceHost* host = HostOf(form);
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(host->DeviceReady());
    EXPECT_FALSE(host->InMenuMode());
    EXPECT_FALSE(form->menuBar()->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form, 2000));
    RunFor(300);
    EXPECT_GT(host->FramesDrawn(), 0);

    // A message outside menu mode shows the desktop for the box and then gives the screen
    // back to the workspace.
    const auto broken = sandbox.file("broken.mdb");
    std::ofstream(broken, std::ios::binary) << "not a mission";
    bool menuModeDuringBox = false;
    std::string boxText;
    ChooseInFileDialog(broken, "ZEVEDIT 3D FileOpen", [&] {
        apptest::answerNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            boxText = box->text().toStdString();
            menuModeDuringBox = host->InMenuMode() && form->menuBar()->isVisible();
            box->accept();
        });
    });
    form->OpenBtn->trigger();
    EXPECT_EQ(boxText, "Unkown File Type...\n" + std::filesystem::path(broken).string() +
                           ": no mission file tag at its start");
    EXPECT_TRUE(menuModeDuringBox);
    EXPECT_FALSE(host->InMenuMode());
    EXPECT_FALSE(form->menuBar()->isVisible());

    // Menu mode stops the frames.
    QTest::keyClick(form, Qt::Key_Space);
    ASSERT_TRUE(host->InMenuMode());
    const int frames = host->FramesDrawn();
    RunFor(200);
    EXPECT_EQ(host->FramesDrawn(), frames);
    // Auto-repeated space does not toggle.
    QTest::keyPress(form, Qt::Key_Space);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(form, &repeat);
    EXPECT_FALSE(host->InMenuMode());
    QTest::keyRelease(form, Qt::Key_Space);

    EXPECT_TRUE(form->close());
    apptest::settle();
    EXPECT_TRUE(splash.isVisible());
}

TEST_F(EditorOnDisplay, OutsideMenuModeTheWorkspaceHasTheWholeScreen) {
    ChooseLaunch(1);
    TSplashForm splash(context(), SetUpWorkspace);
    auto [form, host] = Launch(splash);
    ASSERT_NE(host, nullptr);
    RunFor(200);
    ASSERT_FALSE(host->InMenuMode());
    const QRect screen = form->screen()->geometry();
    const QRect workspace(host->Widget()->mapToGlobal(QPoint(0, 0)), host->Widget()->size());
    EXPECT_EQ(workspace, screen);
    EXPECT_FALSE(form->ObjectsTabControl->isVisible());
    form->close();
}

TEST_F(EditorOnDisplay, FullScreenDrawsAtTheModeSizeWithTheToolsSpriteAndComesBackInMenuMode) {
    sandbox.settings->setBoolean(SettingsStore::kSetup, "Hide Info Form", true);
    sandbox.settings->setInteger(R, "Launch Mode", 1);
    sandbox.settings->setInteger(R, "Use Sprite Mouse", 1);
    TSplashForm splash(context(), SetUpWorkspace);
    splash.show();
    splash.LaunchButton->click();
    TDesignForm* form = splash.mainWindow();
    ASSERT_NE(form, nullptr);
    WorkspaceHost* host = HostOf(form);
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    RunFor(200);
    auto* widget = host->Widget();
    // The chosen mode (the list's default, 640 x 480) stretched over the whole screen.
    EXPECT_EQ(widget->RenderSize(), QSize(640, 480));
    EXPECT_EQ(widget->size(), form->screen()->size());
    EXPECT_EQ(widget->Viewport().GetWidth(), 640);
    const QImage stretched = widget->grabFramebuffer();
    SavePicture(stretched, "fullscreen-mode-640x480.png");
    EXPECT_GT(DistinctColours(stretched, stretched.rect()), 3);

    // The sprite follows the mouse in the mode's pixels and shows the tool in use.
    QMouseEvent move(QEvent::MouseMove, QPointF(widget->width() / 2.0, widget->height() / 4.0),
                     widget->mapToGlobal(QPointF(0, 0)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    EXPECT_EQ(widget->Renderer().PointerPosition(), QPoint(320, 120));
    EXPECT_EQ(widget->PointerSpriteMode(), workspace::PointerMode::Arrow);
    form->DropperBtnClick();
    EXPECT_EQ(widget->PointerSpriteMode(), workspace::PointerMode::Dropper);
    EXPECT_EQ(host->Keys()->view(), edit::WorkspaceView::Top);
    EXPECT_EQ(widget->cursor().shape(), Qt::BlankCursor);
    QTest::keyClick(form, Qt::Key_Space);
    ASSERT_TRUE(host->InMenuMode());
    EXPECT_NE(widget->cursor().shape(), Qt::BlankCursor) << "the menus need a pointer";
    QTest::keyClick(form, Qt::Key_Space);
    ASSERT_FALSE(host->InMenuMode());
    EXPECT_EQ(widget->cursor().shape(), Qt::BlankCursor);

    // Minimised and back: the device is made again, the top view kept, menu mode entered.
    form->showMinimized();
    RunFor(200);
    form->showFullScreen();
    RunFor(300);
    EXPECT_TRUE(host->InMenuMode());
    EXPECT_TRUE(host->DeviceReady());
    ASSERT_NE(host->Widget(), nullptr);
    EXPECT_EQ(host->Keys()->view(), edit::WorkspaceView::Top);
    EXPECT_TRUE(form->TopBtn->isChecked());
    EXPECT_EQ(host->Widget()->PointerSpriteMode(), workspace::PointerMode::Dropper);
    form->close();
    apptest::settle();
    splash.close();
}

TEST_F(EditorOnDisplay, ARenderingFailureAfterStartIsShownAndTheStartUpFormComesBack) {
    TSplashForm splash(context(), SetUpWorkspace);
    splash.show();
    splash.LaunchControl->setCurrentIndex(0);
    splash.LaunchButton->click();
    TDesignForm* form = splash.mainWindow();
    ASSERT_NE(form, nullptr);
    WorkspaceHost* host = HostOf(form);
    ASSERT_NE(host, nullptr);
    std::string text, caption;
    apptest::answerNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        text = box->text().toStdString();
        caption = box->windowTitle().toStdString();
        box->accept();
    });
    emit host->Widget()->RenderingFailed(QStringLiteral("No OpenGL 3.3 context."));
    RunFor(300);
    apptest::settle();
    EXPECT_EQ(text, "No OpenGL 3.3 context.");
    EXPECT_EQ(caption, "Failure Creating Device And View...");
    EXPECT_EQ(splash.mainWindow(), nullptr);
    EXPECT_TRUE(splash.isVisible());
    splash.close();
}

TEST_F(EditorOnDisplay,
       AFailureOfTheDeviceMadeAgainKeepsTheWindowAndItsMissionWithTheDeviceNotReady) {
    TSplashForm splash(context(), SetUpWorkspace);
    splash.show();
    splash.LaunchControl->setCurrentIndex(0);
    splash.LaunchButton->click();
    TDesignForm* form = splash.mainWindow();
    ASSERT_NE(form, nullptr);
    WorkspaceHost* host = HostOf(form);
    ASSERT_NE(host, nullptr);
    // The object viewer closed: the workspace makes its device again, and that one fails.
    emit form->viewerStarting();
    emit form->viewerEnded();
    RunFor(100);
    std::string text, caption;
    int boxes = 0;
    const auto answer = [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        ++boxes;
        text = box->text().toStdString();
        caption = box->windowTitle().toStdString();
        box->accept();
    };
    apptest::answerNextModal(answer);
    emit host->Widget()->RenderingFailed(QStringLiteral("No OpenGL 3.3 context."));
    RunFor(300);
    apptest::settle();
    EXPECT_EQ(text, "No OpenGL 3.3 context.\nThe mission stays open: save it, then restart the "
                    "editor.");
    EXPECT_EQ(caption, "Failure Creating Device And View...");
    EXPECT_EQ(splash.mainWindow(), form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(host->DeviceReady());
    // Said once: the widget failing again shows nothing more.
    emit host->Widget()->RenderingFailed(QStringLiteral("No OpenGL 3.3 context."));
    RunFor(100);
    EXPECT_EQ(boxes, 1);
    form->close();
    apptest::settle();
    splash.close();
}

} // namespace

namespace {

TEST_F(EditorOnDisplay, SpaceTogglesMenuModeWhateverControlHasTheFocus) {
    ChooseLaunch(1);
    TSplashForm splash(context(), SetUpWorkspace);
    auto [form, host] = Launch(splash);
    ASSERT_NE(host, nullptr);
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form, 2000));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form,
                    Qt::Key_Space);
    ASSERT_TRUE(host->InMenuMode());

    // In menu mode the user clicks into the palette; space must still leave menu mode.
    form->DropBtn->setFocus();
    RunFor(50);
    ASSERT_EQ(QApplication::focusWidget(), form->DropBtn);
    // (Whether the list is shown within its panel: the panel goes with the menus.)
    const bool listShown = form->ObjectBox->isVisibleTo(form->ObjectPanel);
    QTest::keyClick(form->DropBtn, Qt::Key_Space);
    EXPECT_FALSE(host->InMenuMode());
    EXPECT_EQ(form->ObjectBox->isVisibleTo(form->ObjectPanel), listShown)
        << "space pressed the focused button";
    form->close();
}

} // namespace

namespace {

// Frames are drawn on demand: none while nothing changes, one for a change, one after the other
// while a key action is held, and none again once it is let go.
TEST_F(EditorOnDisplay, AnIdleWorkspaceDrawsNothingAChangeOneFrameAndAHeldKeyEveryFrame) {
    ChooseLaunch(0);
    TSplashForm splash(context(), SetUpWorkspace);
    auto [form, host] = Launch(splash);
    ASSERT_NE(host, nullptr);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form, 2000));
    RunFor(300);
    EXPECT_GT(host->FramesDrawn(), 0);
    const int resting = host->FramesDrawn();
    RunFor(400);
    EXPECT_EQ(host->FramesDrawn(), resting) << "nothing changed, yet frames were drawn";
    EXPECT_FALSE(host->Running());

    form->editor().select(edit::Selection::startPoint(2));
    RunFor(200);
    EXPECT_GE(host->FramesDrawn(), resting + 1) << "the selection was not drawn";
    EXPECT_LE(host->FramesDrawn(), resting + 2);
    EXPECT_FALSE(host->Running());

    // Camera ahead (the up arrow) while held: a step every frame, the camera moving on.
    const engine::Vector3 before = host->Scene().SideCamera()->GetPosition(nullptr);
    const int held = host->FramesDrawn();
    QTest::keyPress(host->Widget(), Qt::Key_Up);
    RunFor(500);
    EXPECT_TRUE(host->Running());
    const int steps = host->FramesDrawn() - held;
    EXPECT_GT(steps, 5);
    const engine::Vector3 after = host->Scene().SideCamera()->GetPosition(nullptr);
    EXPECT_GT(after.z - before.z, 0.0) << "the camera did not move ahead";
    QTest::keyRelease(host->Widget(), Qt::Key_Up);
    RunFor(200);
    const int released = host->FramesDrawn();
    RunFor(300);
    EXPECT_EQ(host->FramesDrawn(), released);
    EXPECT_FALSE(host->Running());
    EXPECT_TRUE(form->close());
    apptest::settle();
    splash.close();
}

// The key table's keys reach the workspace whichever control of the window has the focus (the
// control does not also act on them); a field that takes typed text keeps its keys, and a
// letter pressed with Ctrl belongs to the menu command.
TEST_F(EditorOnDisplay, TheWorkspacesKeysWorkWhateverHasTheFocusButTypedTextKeepsItsOwn) {
    ChooseLaunch(0);
    TSplashForm splash(context(), SetUpWorkspace);
    auto [form, host] = Launch(splash);
    ASSERT_NE(host, nullptr);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form, 2000));
    form->ObjectBox->clear();
    form->ObjectBox->addItems(
        {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    form->ObjectBox->show();
    form->ObjectBox->setCurrentRow(1);
    form->ObjectBox->setFocus();
    RunFor(50);
    const engine::Vector3 before = host->Scene().SideCamera()->GetPosition(nullptr);
    QTest::keyPress(form->ObjectBox, Qt::Key_Up);
    RunFor(300);
    QTest::keyRelease(form->ObjectBox, Qt::Key_Up);
    RunFor(100);
    EXPECT_GT(host->Scene().SideCamera()->GetPosition(nullptr).z - before.z, 0.0)
        << "the camera did not fly with the list focused";
    EXPECT_EQ(form->ObjectBox->currentRow(), 1) << "the list also took the arrow";
    EXPECT_FALSE(host->Running()) << "the key stayed down";

    auto* typed = new QLineEdit(form->ObjectPanel);
    typed->show();
    typed->setFocus();
    RunFor(50);
    const engine::Vector3 still = host->Scene().SideCamera()->GetPosition(nullptr);
    QTest::keyClick(typed, Qt::Key_T);
    QTest::keyClick(typed, Qt::Key_Up);
    RunFor(200);
    EXPECT_EQ(typed->text(), QStringLiteral("t"));
    EXPECT_EQ(host->Keys()->view(), edit::WorkspaceView::Front);
    EXPECT_EQ(host->Scene().SideCamera()->GetPosition(nullptr).z, still.z);

    // Ctrl+T is no "T" (the top view) for the key table.
    host->Widget()->setFocus();
    QTest::keyClick(host->Widget(), Qt::Key_T, Qt::ControlModifier);
    RunFor(200);
    EXPECT_EQ(host->Keys()->view(), edit::WorkspaceView::Front);
    QTest::keyClick(host->Widget(), Qt::Key_T);
    RunFor(200);
    EXPECT_EQ(host->Keys()->view(), edit::WorkspaceView::Top);
    EXPECT_TRUE(form->close());
    apptest::settle();
    splash.close();
}

// The workspace widget draws its host's scene and sends its events through the host's
// filters, so it must never be left with a host that is gone or going: the host goes first,
// while the window is whole, and takes the widget and its hooks into the window with it.
TEST_F(EditorOnDisplay, TheWorkspaceHostTakesItsWidgetAndItsHooksWithIt) {
    ChooseLaunch(1);
    TSplashForm splash(context(), SetUpWorkspace);
    auto [form, host] = Launch(splash);
    ASSERT_NE(host, nullptr);
    RunFor(100);

    // Closing a full-screen window (the host also filters the whole application's events).
    QObject* window = form;
    bool widgetGone = false;
    bool windowWholeThen = false;
    QObject::connect(host->Widget(), &QObject::destroyed, [&] {
        widgetGone = true;
        windowWholeThen = qobject_cast<TDesignForm*>(window) != nullptr;
    });
    EXPECT_TRUE(form->close());
    apptest::settle();
    ASSERT_EQ(splash.mainWindow(), nullptr);
    EXPECT_TRUE(widgetGone);
    EXPECT_TRUE(windowWholeThen) << "the widget was deleted with the window's own widgets";

    // A host deleted on its own leaves a working window behind.
    splash.LaunchControl->setCurrentIndex(0);
    splash.LaunchButton->click();
    form = splash.mainWindow();
    ASSERT_NE(form, nullptr);
    host = HostOf(form);
    ASSERT_NE(host, nullptr);
    const QPointer<QWidget> widget = host->Widget();
    ASSERT_FALSE(widget.isNull());
    delete host;
    EXPECT_TRUE(widget.isNull()) << "the widget would draw a deleted scene";
    EXPECT_FALSE(form->showCheck()) << "the window would ask a deleted scene what it can show";
    apptest::answerNextModal([](QWidget* modal) {
        auto* selection = qobject_cast<app::TSelectionForm*>(modal);
        ASSERT_NE(selection, nullptr);
        selection->ProjectName->setText(QStringLiteral("SOLO"));
        selection->BitBtn1Click();
    });
    form->NewBtn->trigger();
    ASSERT_EQ(form->document().header.text(MissionHeader::projectName), "SOLO");
    // Save takes the positions from the editor; no scene is needed.
    const auto saved = sandbox.file("alone.mdb");
    ChooseInFileDialog(saved, "ZEVEDIT 3D FileSave");
    form->SaveBtn->trigger();
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_TRUE(form->close());
    apptest::settle();
    splash.close();
}

} // namespace
