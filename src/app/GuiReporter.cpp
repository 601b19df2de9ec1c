#include "GuiReporter.h"

#include <QMessageBox>

namespace zev::app {

namespace {

QMessageBox::Icon boxIcon(common::MessageIcon icon) {
    switch (icon) {
    case common::MessageIcon::Information:
        return QMessageBox::Information;
    case common::MessageIcon::Warning:
        return QMessageBox::Warning;
    case common::MessageIcon::Stop:
        return QMessageBox::Critical;
    case common::MessageIcon::Question:
        return QMessageBox::Question;
    case common::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void GuiReporter::report(const std::string& text, const std::string& caption,
                         common::MessageIcon icon) {
    const auto show = [&] {
        // Texts break lines with CR LF; the box wants plain line feeds.
        QString body = QString::fromLatin1(text.c_str());
        body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QMessageBox box(boxIcon(icon), QString::fromLatin1(caption.c_str()), body, QMessageBox::Ok,
                        parent_);
        box.exec();
    };
    if (hook_)
        hook_(show);
    else
        show();
}

void GuiReporter::detail(const std::string& text) {
    qWarning("%s", text.c_str());
}

} // namespace zev::app
