#include "HelpWindows.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zev::app {

QStringList defaultGuidePlaces() {
    const QString bin = QCoreApplication::applicationDirPath();
    QStringList places{QDir::cleanPath(bin + QStringLiteral("/../share/zevedit/guide"))};
#ifdef ZEV_SOURCE_GUIDE_DIR
    places << QStringLiteral(ZEV_SOURCE_GUIDE_DIR);
#endif
    return places;
}

QString findGuide(const QStringList& places) {
    for (const QString& place : places) {
        const QFileInfo index(QDir(place).filePath(QStringLiteral("index.html")));
        if (index.isFile())
            return index.absoluteFilePath();
    }
    return {};
}

QTextBrowser* showHelpWindow(QWidget* parent, const QString& objectName, const QString& title) {
    auto* window = parent->findChild<QDialog*>(objectName, Qt::FindDirectChildrenOnly);
    if (!window) {
        window = new QDialog(parent, Qt::Window);
        window->setObjectName(objectName);
        window->setWindowTitle(title);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* browser = new QTextBrowser;
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
        window->resize(760, 640);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
}

} // namespace zev::app
