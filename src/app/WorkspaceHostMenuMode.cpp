// Menu mode of a full-screen workspace: the menus, the tool bar, the palette and the status bar
// over the workspace while the user works with them (the space bar), and message boxes shown
// safely in between.

#include "WorkspaceHost.h"

#include "DesignForm.h"

#include "workspace/WorkspaceWidget.h"

#include <QDockWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace zev::app {

void WorkspaceHost::EnterMenuMode() {
    if (windowed_)
        return;
    menuMode_ = true;
    form_.SpeedPanel->show();
    form_.PaletteDock->show();
    form_.statusBar()->show();
    form_.menuBar()->show();
    form_.unsetCursor();
    // The system pointer is the one to use over the workspace while the menus are.
    if (auto* widget = Widget()) {
        widget->SetSpritePointer(false);
        widget->unsetCursor();
    }
}

void WorkspaceHost::LeaveMenuMode() {
    if (windowed_)
        return;
    form_.SpeedPanel->hide();
    form_.PaletteDock->hide();
    form_.statusBar()->hide();
    form_.menuBar()->hide();
    menuMode_ = false;
    keyboard_.clear();
    if (auto* widget = Widget()) {
        widget->SetSpritePointer(spriteMouse_);
        applyToolCursor();
        widget->setFocus();
    }
    RequestFrame();
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

} // namespace zev::app
