#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class QTextBrowser;

namespace zev::app {

// Where the user guide's "index.html" may be, first found wins: the install's share folder
// (share/zevedit/guide beside the program's bin folder), then the source tree of a build.
QStringList defaultGuidePlaces();
// The first of `places` that holds "index.html"; empty when none does.
QString findGuide(const QStringList& places);

// A window of its own over `parent` showing HTML (the guide from a file with its pictures, or
// a page made in the program), found again by `objectName` and raised rather than made twice.
QTextBrowser* showHelpWindow(QWidget* parent, const QString& objectName, const QString& title);

} // namespace zev::app
