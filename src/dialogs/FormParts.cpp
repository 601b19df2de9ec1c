#include "FormParts.h"

#include "common/TypingLimit.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QVariant>

namespace zev::dialogs {

namespace {

// An edit's typing limit is its maximum length as its owner set it; showStoredText widens the
// maximum for a long stored text and keeps the limit beside it.
constexpr const char* kTypingLimit = "typingLimit";
constexpr const char* kWidenedTo = "typingLimitWidenedTo";

void widenForStoredText(QLineEdit* edit, std::size_t length) {
    const QVariant limit = edit->property(kTypingLimit);
    const QVariant widened = edit->property(kWidenedTo);
    // A maximum other than the one set here was set by the edit's owner: that is the limit now.
    const int typing = limit.isValid() && widened.isValid() && widened.toInt() == edit->maxLength()
                           ? limit.toInt()
                           : edit->maxLength();
    const int maximum = common::typingLimit(typing, length);
    edit->setMaxLength(maximum);
    edit->setProperty(kTypingLimit, typing);
    edit->setProperty(kWidenedTo, edit->maxLength());
}

} // namespace

QLineEdit* namedEdit(const char* name, const std::string& text, int maxLength) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    showStoredText(edit, text);
    return edit;
}

void showStoredText(QLineEdit* edit, const std::string& text) {
    widenForStoredText(edit, text.size());
    edit->setText(fromRecordText(text));
}

void showStoredText(QComboBox* box, const std::string& text) {
    if (QLineEdit* edit = box->lineEdit())
        widenForStoredText(edit, text.size());
    box->setEditText(fromRecordText(text));
}

void limitWidth(QWidget* widget, int characters) {
    // The frame and text margins of a line edit come on top of the digits.
    widget->setMaximumWidth(widget->fontMetrics().horizontalAdvance(QLatin1Char('0')) * characters +
                            12);
}

QCheckBox* namedCheck(const char* name, const char* caption, bool checked) {
    auto* box = new QCheckBox(QString::fromLatin1(caption));
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

RadioGroup radioGroup(QWidget* owner, const char* name, const char* title,
                      std::span<const char* const> texts, int checked) {
    auto* box = new QGroupBox(QString::fromLatin1(title));
    box->setObjectName(QString::fromLatin1(name));
    auto* column = new QVBoxLayout(box);
    auto* group = new QButtonGroup(owner);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QString text = QString::fromLatin1(texts[i]);
        auto* button = new QRadioButton(text);
        button->setObjectName(QString(text).remove(QLatin1Char(' ')));
        group->addButton(button, int(i));
        column->addWidget(button);
    }
    if (auto* button = group->button(checked))
        button->setChecked(true);
    return {box, group};
}

void fitToSmallScreen(QWidget* dialog, QSize screen) {
    constexpr QSize least(640, 480);
    if (screen.width() >= least.width() && screen.height() >= least.height())
        return;
    if (!dialog->isVisible())
        dialog->adjustSize();
    QSize size = dialog->size();
    if (screen.width() < least.width())
        size.rwidth() -= least.width() - screen.width();
    if (screen.height() < least.height())
        size.rheight() -= least.height() - screen.height();
    size = size.expandedTo(QSize(1, 1));
    // The layout would hold the dialog at its minimum size; the controls get squeezed instead.
    if (QLayout* layout = dialog->layout())
        layout->setSizeConstraint(QLayout::SetNoConstraint);
    dialog->setMinimumSize(0, 0);
    dialog->resize(size);
    dialog->move((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
}

QGroupBox* tripleBox(const char* title, const char* prefix, std::array<QLineEdit*, 3>& edits,
                     int characters) {
    auto* box = new QGroupBox(QString::fromLatin1(title));
    auto* row = new QHBoxLayout(box);
    static constexpr const char* axes[] = {"X", "Y", "Z"};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const std::string name = std::string(prefix) + axes[axis];
        edits[axis] = namedEdit(name.c_str(), "");
        if (characters > 0)
            limitWidth(edits[axis], characters);
        row->addWidget(edits[axis]);
    }
    return box;
}

void addOkCancel(QDialog* dialog, QBoxLayout* layout, std::function<void()> ok) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, std::move(ok));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace zev::dialogs
