// The workspace's keys: which key events of the main window feed the keyboard state the frame
// loop polls.

#include "WorkspaceHost.h"

#include "DesignForm.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace zev::app {

using common::MessageIcon;

namespace {

// Controls that take typed text keep every key.
bool takesText(const QObject* watched) {
    if (qobject_cast<const QLineEdit*>(watched) || qobject_cast<const QAbstractSpinBox*>(watched))
        return true;
    if (const auto* combo = qobject_cast<const QComboBox*>(watched))
        return combo->isEditable();
    if (const auto* text = qobject_cast<const QTextEdit*>(watched))
        return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(watched))
        return !plain->isReadOnly();
    return false;
}

bool isModifierKey(std::uint8_t scan) {
    switch (scan) {
    case 0x1D: // left and right Ctrl
    case 0x9D:
    case 0x2A: // left and right Shift
    case 0x36:
    case 0x38: // left and right Alt
    case 0xB8:
    case 0xDB: // left and right Windows keys
    case 0xDC:
        return true;
    default:
        return false;
    }
}

} // namespace

bool WorkspaceHost::keyEvent(QObject* watched, QKeyEvent* key) {
    const std::uint8_t scan = workspace::KeyboardState::scanCodeOf(*key, nativeKeys_);
    if (key->type() == QEvent::KeyRelease) {
        // A release always counts, wherever it lands, so no key stays down.
        if (!key->isAutoRepeat())
            keyboard_.releaseScanCode(scan);
        return false;
    }
    const bool workspace = watched == widget_;
    // A key the focused field left alone travels on to its parents: the field decides.
    const QObject* focused = QApplication::focusWidget();
    const bool typing = takesText(watched) || takesText(focused);
    if (key->key() == Qt::Key_Space && !windowed_ && !typing) {
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
    if (!workspace && typing)
        return false;
    if (key->key() == Qt::Key_Escape && tools_)
        tools_->cancelDrag();
    // A key pressed with Ctrl or Alt belongs to the menu command it makes, not to the key table;
    // the modifier keys themselves are keys of the table like any other.
    if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !isModifierKey(scan))
        return false;
    keyboard_.pressScanCode(scan);
    RequestFrame();
    // The workspace's own keys go no further, so a list with the focus does not also move.
    return !workspace && form_.keyTable().runsAnAction(scan) && !menuMode_;
}

} // namespace zev::app
