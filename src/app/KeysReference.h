#pragma once

#include "edit/KeyTable.h"

#include <QList>
#include <QString>

class QMenu;

namespace zev::app {

// "Keys and Mouse": the reference page made from what the editor uses at this moment: the
// workspace key table (as "key.map" set it), every shortcut the menus' commands carry now and
// the tools' table of mouse gestures. Nothing of it is written down twice.
QString keysReferenceHtml(const edit::KeyTable& keys, const QList<QMenu*>& menus);

} // namespace zev::app
