// The main window's "Help" menu: the user guide and the keys and mouse reference.

#include "DesignForm.h"

#include "HelpWindows.h"
#include "KeysReference.h"

#include <QMenuBar>
#include <QTextBrowser>
#include <QUrl>

namespace zev::app {

void TDesignForm::UserGuide1Click() {
    const QString index = findGuide(guidePlaces);
    if (index.isEmpty()) {
        const QString expected = guidePlaces.isEmpty()
                                     ? QStringLiteral("share/zevedit/guide/index.html")
                                     : guidePlaces.front() + QStringLiteral("/index.html");
        reporter_.report("The user guide is not there: " + expected.toStdString() +
                             "\nInstall the program again, or read the guide in the "
                             "program's source (docs/guide).",
                         "User Guide", common::MessageIcon::Information);
        return;
    }
    QTextBrowser* browser = showHelpWindow(this, QStringLiteral("GuideWindow"),
                                           QStringLiteral("ZEVEDIT 3D User Guide"));
    browser->setSource(QUrl::fromLocalFile(index));
}

void TDesignForm::KeysAndMouse1Click() {
    QList<QMenu*> menus;
    for (QAction* action : menuBar()->actions())
        if (action->menu())
            menus << action->menu();
    QTextBrowser* browser = showHelpWindow(this, QStringLiteral("KeysAndMouseWindow"),
                                           QStringLiteral("ZEVEDIT 3D Keys and Mouse"));
    browser->setHtml(keysReferenceHtml(keyTable_, menus));
}

} // namespace zev::app
