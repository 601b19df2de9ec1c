#include "KeysReference.h"

#include "edit/CameraMoves.h"
#include "edit/WorkspaceTools.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>

namespace zev::app {

namespace {

QString cell(const QString& text) {
    return QStringLiteral("<td>") + text.toHtmlEscaped() + QStringLiteral("</td>");
}

QString row(std::initializer_list<QString> cells) {
    QString html = QStringLiteral("<tr>");
    for (const QString& c : cells)
        html += cell(c);
    return html + QStringLiteral("</tr>\n");
}

QString plainText(const QAction* action) {
    QString text = action->text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text;
}

// Every command of `menu` and its submenus with the keys it answers to, as "Menu > Item".
void menuShortcuts(const QMenu* menu, const QString& path, QString& html) {
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        const QString place = path + QStringLiteral(" > ") + plainText(action);
        if (action->menu()) {
            menuShortcuts(action->menu(), place, html);
            continue;
        }
        QStringList keys;
        for (const QKeySequence& k : action->shortcuts())
            keys << k.toString(QKeySequence::NativeText);
        if (!keys.isEmpty())
            html += row({place, keys.join(QStringLiteral(" or "))});
    }
}

} // namespace

QString keysReferenceHtml(const edit::KeyTable& keys, const QList<QMenu*>& menus) {
    QString html = QStringLiteral(
        "<html><body><h2>Keys and Mouse</h2>"
        "<p>Made from the editor's settings as they are now: change the workspace keys in "
        "\"Setup\" &gt; \"Keyboard Mapping\".</p>");

    html += QStringLiteral("<h3>Workspace keys</h3><p>Held down, a key repeats its action every "
                           "frame. A key pressed with Ctrl or Alt belongs to the menu "
                           "commands, never to this table.</p>"
                           "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">"
                           "<tr><th>Action</th><th>Key</th></tr>\n");
    for (int action = 1; action <= edit::KeyTable::kActions; ++action) {
        const edit::KeyTable::Entry& entry = keys.entry(action);
        html += row(
            {QString::fromLatin1(edit::workspaceActionText(action)),
             entry.scanCode ? QString::fromLatin1(entry.name.c_str()) : QStringLiteral("(none)")});
    }
    html += row({QStringLiteral("Menu mode on and off (full screen)"), QStringLiteral("Space")});
    html += QStringLiteral("</table>");

    html += QStringLiteral("<h3>Menu commands</h3>"
                           "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">"
                           "<tr><th>Command</th><th>Keys</th></tr>\n");
    for (const QMenu* menu : menus) {
        QString title = menu->title();
        title.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        menuShortcuts(menu, title, html);
    }
    html += QStringLiteral("</table>");

    html += QStringLiteral("<h3>Mouse in the workspace</h3>"
                           "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">"
                           "<tr><th>Tool</th><th>Mouse</th><th>What it does</th></tr>\n");
    for (const edit::MouseGestureRow& g : edit::kMouseGestures)
        html += row({g.dropper ? QStringLiteral("Dropper (top view)") : QStringLiteral("Mouse"),
                     QString::fromLatin1(g.input), QString::fromLatin1(g.what)});
    for (const auto& g : edit::kOtherMouseGestures)
        html +=
            row({QStringLiteral("Mouse"), QString::fromLatin1(g[0]), QString::fromLatin1(g[1])});
    const QString camera = QStringLiteral("Camera (any tool)");
    html += row({camera, QString::fromLatin1(edit::kCameraWheelGesture[0]),
                 QString::fromLatin1(edit::kCameraWheelGesture[1])});
    for (const edit::CameraGestureRow& g : edit::kCameraGestures)
        html += row({camera, QString::fromLatin1(g.input), QString::fromLatin1(g.what)});
    html += QStringLiteral("</table></body></html>");
    return html;
}

} // namespace zev::app
