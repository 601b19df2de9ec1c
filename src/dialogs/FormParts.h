#pragma once

#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <span>
#include <string>

class QCheckBox;
class QComboBox;
class QDialog;
class QLineEdit;
class QBoxLayout;
class QButtonGroup;
class QGroupBox;
class QWidget;

// Small pieces the editing dialogs share: named controls, record texts and the OK/Cancel row.
namespace zev::dialogs {

// Record texts are single-byte; the dialogs show them as Latin-1.
inline QString fromRecordText(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}
inline std::string toRecordText(const QString& text) {
    return text.toLatin1().toStdString();
}

// A line edit whose `maxLength` limits typing; show stored texts in it with showStoredText.
QLineEdit* namedEdit(const char* name, const std::string& text, int maxLength = 32767);
// Shows a stored text in a line edit (or an editable combo box): the edit's maximum length limits
// typing only, so a longer stored text shows whole and is written back as it was, and a shorter
// one puts the typing limit back.
void showStoredText(QLineEdit* edit, const std::string& text);
void showStoredText(QComboBox* box, const std::string& text);
// Holds a widget to about `characters` digits wide, so that dense dialogs stay small.
void limitWidth(QWidget* widget, int characters);
QCheckBox* namedCheck(const char* name, const char* caption, bool checked);

// A group box of radio buttons, one per text, each named after its text without blanks; the
// buttons' ids are their positions. `checked` -1 checks none.
struct RadioGroup {
    QGroupBox* box;
    QButtonGroup* buttons;
};
RadioGroup radioGroup(QWidget* owner, const char* name, const char* title,
                      std::span<const char* const> texts, int checked);

// For a screen smaller than 640 x 480 (full screen on a small display): the dialog loses the
// difference in width and height and is centred on the screen. Larger screens change nothing.
void fitToSmallScreen(QWidget* dialog, QSize screen);

// A titled box of the X, Y, Z edits of a triple, named <prefix>X, <prefix>Y, <prefix>Z; with
// `characters`, each edit is kept about that many characters wide.
QGroupBox* tripleBox(const char* title, const char* prefix, std::array<QLineEdit*, 3>& edits,
                     int characters = 0);

// OK ("BitBtn1") calls `ok`; Cancel ("BitBtn2") rejects the dialog.
void addOkCancel(QDialog* dialog, QBoxLayout* layout, std::function<void()> ok);

} // namespace zev::dialogs
