// The main window's commands on many objects at once: the clipboard, the selection and hiding.

#include "DesignForm.h"

#include "edit/ObjectClipboard.h"
#include "edit/SelectionCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMimeData>

namespace zev::app {

void TDesignForm::buildSelectionMenu() {
    const auto item = [this](const char* name, const char* text, QKeySequence shortcut,
                             void (TDesignForm::*slot)()) {
        QAction* a = EditMenu->addAction(QString::fromLatin1(text));
        a->setObjectName(QString::fromLatin1(name));
        if (!shortcut.isEmpty())
            a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, slot);
        // Held by the window too, so they work while a full-screen run hides the menu.
        addAction(a);
        documentActions_ << a;
        return a;
    };
    EditMenu->addSeparator();
    CutItem =
        item("CutItem", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), &TDesignForm::CutItemClick);
    CopyItem =
        item("CopyItem", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), &TDesignForm::CopyItemClick);
    PasteItem = item("PasteItem", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V),
                     &TDesignForm::PasteItemClick);
    DuplicateItem = item("DuplicateItem", "&Duplicate", QKeySequence(Qt::CTRL | Qt::Key_D),
                         &TDesignForm::DuplicateItemClick);
    EditMenu->addSeparator();
    SelectAllItem = item("SelectAllItem", "Select &All", QKeySequence(Qt::CTRL | Qt::Key_A),
                         &TDesignForm::SelectAllItemClick);
    SelectNoneItem =
        item("SelectNoneItem", "Select &None", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
             &TDesignForm::SelectNoneItemClick);
    InvertSelectionItem =
        item("InvertSelectionItem", "&Invert Selection", QKeySequence(Qt::CTRL | Qt::Key_I),
             &TDesignForm::InvertSelectionItemClick);
    SelectSimilarItem =
        item("SelectSimilarItem", "Select Si&milar", {}, &TDesignForm::SelectSimilarItemClick);
    SelectSimilarItem->setStatusTip(
        QStringLiteral("Every object of the same geometry or ready-made group as a selected one"));
    EditMenu->addSeparator();
    HideSelectedItem =
        item("HideSelectedItem", "&Hide Selected", QKeySequence(Qt::CTRL | Qt::Key_H),
             &TDesignForm::HideSelectedItemClick);
    UnhideAllItem =
        item("UnhideAllItem", "&Unhide All", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H),
             &TDesignForm::UnhideAllItemClick);
    IsolateSelectedItem = item("IsolateSelectedItem", "Is&olate Selected", {},
                               &TDesignForm::IsolateSelectedItemClick);
    HideSelectedItem->setStatusTip(
        QStringLiteral("Hidden for this session only: Save, Build and Check still see them"));
}

void TDesignForm::showSelectionStatus() {
    if (SelectionPanel)
        SelectionPanel->setText(QString::fromStdString(edit::selectionStatusText(editor_)));
}

void TDesignForm::CopyItemClick() {
    const std::vector<int> chosen = editor_.selectedObjects();
    if (chosen.empty())
        return;
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(edit::objectsToText(editor_, chosen, false)));
    data->setData(QString::fromLatin1(edit::kObjectsMimeType),
                  QByteArray::fromStdString(edit::objectsToText(editor_, chosen, true)));
    QApplication::clipboard()->setMimeData(data);
}

void TDesignForm::CutItemClick() {
    if (editor_.selectedObjects().empty())
        return;
    CopyItemClick();
    edit::deleteSelectedObjects(editor_, "Cut");
}

void TDesignForm::PasteItemClick() {
    if (!editor_.hasMission())
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    const QString own = QString::fromLatin1(edit::kObjectsMimeType);
    const std::string text =
        data->hasFormat(own) ? data->data(own).toStdString() : data->text().toStdString();
    paster_->paste(text, pastePoint ? pastePoint() : std::nullopt);
}

void TDesignForm::DuplicateItemClick() {
    paster_->duplicate();
}

void TDesignForm::SelectAllItemClick() {
    edit::selectAll(editor_);
}

void TDesignForm::SelectNoneItemClick() {
    edit::selectNone(editor_);
}

void TDesignForm::InvertSelectionItemClick() {
    edit::invertSelection(editor_);
}

void TDesignForm::SelectSimilarItemClick() {
    edit::selectSimilar(editor_);
}

void TDesignForm::HideSelectedItemClick() {
    edit::hideSelected(editor_);
}

void TDesignForm::UnhideAllItemClick() {
    editor_.unhideAll();
}

void TDesignForm::IsolateSelectedItemClick() {
    edit::isolateSelected(editor_);
}

} // namespace zev::app
