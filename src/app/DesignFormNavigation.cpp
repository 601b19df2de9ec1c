// The main window's camera and placement commands: Frame Selection, camera bookmarks, Snap to
// Grid and its size, Put on Ground.

#include "DesignForm.h"

#include "edit/PutOnGround.h"
#include "platform/EditorSettings.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace zev::app {

namespace {

QAction* command(QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys,
                 const QString& hint) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    a->setShortcut(keys);
    a->setStatusTip(hint);
    return a;
}

} // namespace

void TDesignForm::buildNavigationCommands() {
    // The View menu stands before Help, so the menus of old keep their places.
    ViewMenu = new QMenu(QStringLiteral("&View"), this);
    ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
    menuBar()->insertMenu(menuBar()->actions().last(), ViewMenu);

    FrameSelection1 = command(ViewMenu, QStringLiteral("FrameSelection1"),
                              QStringLiteral("Frame Selection"), QKeySequence(Qt::CTRL | Qt::Key_E),
                              QStringLiteral("Move the camera so the selection fills the view"));
    connect(FrameSelection1, &QAction::triggered, this, &TDesignForm::frameSelectionChosen);

    QMenu* bookmarks = ViewMenu->addMenu(QStringLiteral("Camera Bookmarks"));
    bookmarks->setObjectName(QStringLiteral("CameraBookmarks"));
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4};
    for (int slot = 1; slot <= 4; ++slot) {
        QAction* recall = command(
            bookmarks, QStringLiteral("RecallCamera%1").arg(slot),
            QStringLiteral("Go to Camera %1").arg(slot), QKeySequence(Qt::CTRL | digits[slot - 1]),
            QStringLiteral("Put the camera where bookmark %1 keeps it").arg(slot));
        connect(recall, &QAction::triggered, this,
                [this, slot] { emit cameraBookmarkChosen(slot, false); });
        RecallCameraItems << recall;
    }
    bookmarks->addSeparator();
    for (int slot = 1; slot <= 4; ++slot) {
        QAction* store = command(bookmarks, QStringLiteral("StoreCamera%1").arg(slot),
                                 QStringLiteral("Store Camera %1").arg(slot),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | digits[slot - 1]),
                                 QStringLiteral("Keep the camera as bookmark %1 of this mission "
                                                "file")
                                     .arg(slot));
        connect(store, &QAction::triggered, this,
                [this, slot] { emit cameraBookmarkChosen(slot, true); });
        StoreCameraItems << store;
    }

    ViewMenu->addSeparator();
    SnapToGrid1 = command(ViewMenu, QStringLiteral("SnapToGrid1"), QStringLiteral("Snap to Grid"),
                          QKeySequence(),
                          QStringLiteral("Drops, drags and key moves land on the "
                                         "grid; mouse turns step 15 degrees"));
    SnapToGrid1->setCheckable(true);
    LargerGrid1 = command(ViewMenu, QStringLiteral("LargerGrid1"), QStringLiteral("Larger Grid"),
                          QKeySequence(Qt::CTRL | Qt::Key_BracketRight),
                          QStringLiteral("The next larger grid size"));
    SmallerGrid1 = command(ViewMenu, QStringLiteral("SmallerGrid1"), QStringLiteral("Smaller Grid"),
                           QKeySequence(Qt::CTRL | Qt::Key_BracketLeft),
                           QStringLiteral("The next smaller grid size"));
    SpeedPanel->addSeparator();
    SpeedPanel->addAction(SnapToGrid1);
    SnapToGrid1->setToolTip(QStringLiteral("Snap to Grid (Ctrl+[ and Ctrl+] change its size)"));
    connect(SnapToGrid1, &QAction::toggled, this, [this](bool on) { setSnap(on, gridSnap_.size); });
    connect(LargerGrid1, &QAction::triggered, this,
            [this] { setSnap(gridSnap_.on, gridSnap_.largerSize()); });
    connect(SmallerGrid1, &QAction::triggered, this,
            [this] { setSnap(gridSnap_.on, gridSnap_.smallerSize()); });

    PutOnGround1 = EditMenu->addAction(QStringLiteral("Put on Ground"));
    PutOnGround1->setObjectName(QStringLiteral("PutOnGround1"));
    PutOnGround1->setStatusTip(QStringLiteral("Set the selection's height to the ground"));
    connect(PutOnGround1, &QAction::triggered, this,
            [this] { edit::putSelectionOnGround(editor_); });
    documentActions_ << PutOnGround1 << FrameSelection1;

    // The window holds them too, so they work while a full-screen run hides the menu.
    addActions({FrameSelection1, LargerGrid1, SmallerGrid1});
    addActions(RecallCameraItems);
    addActions(StoreCameraItems);

    SnapPanel = new QLabel;
    SnapPanel->setObjectName(QStringLiteral("SnapPanel"));
    SnapPanel->setAccessibleName(QStringLiteral("Grid size"));
    statusBar()->addPermanentWidget(SnapPanel);

    const platform::SnapSettings stored = platform::readSnap(*context_.settings);
    gridSnap_.on = stored.on;
    gridSnap_.size = edit::GridSnap::validSize(stored.size);
    dropper_->snap = &gridSnap_;
    {
        const QSignalBlocker quiet(SnapToGrid1);
        SnapToGrid1->setChecked(gridSnap_.on);
    }
    SnapPanel->setText(QString::fromStdString(gridSnap_.statusText()));
}

void TDesignForm::setSnap(bool on, int size) {
    gridSnap_.on = on;
    gridSnap_.size = edit::GridSnap::validSize(size);
    if (SnapToGrid1->isChecked() != on) {
        const QSignalBlocker quiet(SnapToGrid1);
        SnapToGrid1->setChecked(on);
    }
    SnapPanel->setText(QString::fromStdString(gridSnap_.statusText()));
    platform::writeSnap(*context_.settings, {gridSnap_.on, gridSnap_.size});
    emit snapChanged();
}

} // namespace zev::app
