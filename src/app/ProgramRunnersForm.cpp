#include "ProgramRunnersForm.h"

#include "platform/CommandTemplate.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev::app {

namespace {

QWidget* templateRow(QLineEdit*& edit, const char* name, const QString& text,
                     const char* defaultTemplate) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    edit = new QLineEdit(text);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(520);
    edit->setPlaceholderText(QString::fromLatin1(defaultTemplate));
    edit->setClearButtonEnabled(true);
    auto* reset = new QPushButton(QStringLiteral("Default"));
    reset->setObjectName(QString::fromLatin1(name) + QStringLiteral("Default"));
    QLineEdit* target = edit;
    QObject::connect(reset, &QPushButton::clicked, target, [target] { target->clear(); });
    layout->addWidget(edit, 1);
    layout->addWidget(reset);
    return row;
}

} // namespace

TProgramRunnersForm::TProgramRunnersForm(const platform::RunnerSettings& runners, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ProgramRunnersForm"));
    setWindowTitle(QStringLiteral("Program Runners"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Assembler (DOS program)"),
                 templateRow(AssemblerRunner, "AssemblerRunner", runners.assembler,
                             platform::kDefaultDosTemplate));
    form->addRow(
        QStringLiteral("Game (Windows program)"),
        templateRow(GameRunner, "GameRunner", runners.game, platform::kDefaultWindowsTemplate));
    layout->addLayout(form);
    auto* help = new QLabel(QStringLiteral(
        "Each template is the command that starts the program, split into words at blanks "
        "(double quotes group a word; \\\" is a plain quote). In it <b>{progdir}</b> is the "
        "program directory, <b>{gamedir}</b> the game directory, <b>{cd}</b> the game disc's "
        "location and <b>{cmd}</b> the program's own command line. A template naming {progdir} "
        "or {gamedir} mounts them as the program's drives C: and D:. Leave a template empty "
        "(Default) to use the one shown greyed."));
    help->setWordWrap(true);
    help->setTextFormat(Qt::RichText);
    layout->addWidget(help);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

platform::RunnerSettings TProgramRunnersForm::runners() const {
    return {AssemblerRunner->text().trimmed(), GameRunner->text().trimmed()};
}

} // namespace zev::app
