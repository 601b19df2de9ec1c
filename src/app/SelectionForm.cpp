#include "SelectionForm.h"

#include "common/Reporter.h"
#include "mission/ProjectName.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

namespace zev::app {

namespace {

constexpr const char* kProjectNameNote =
    "Up to 4 characters: every file the Build writes begins with them.";
constexpr const char* kProjectNameRefused =
    "A project name has at most 4 characters, without blanks or any of / \\ : * ? \" < > | & ^ %.";

} // namespace

TSelectionForm::TSelectionForm(common::Reporter& reporter, bool patch, QWidget* parent)
    : QDialog(parent), reporter_(reporter) {
    setWindowTitle(QStringLiteral("New Mission Selection"));
    auto* layout = new QVBoxLayout(this);
    SelectionControl = new QTabBar;
    SelectionControl->setObjectName(QStringLiteral("SelectionControl"));
    SelectionControl->addTab(QStringLiteral("Free for All"));
    SelectionControl->addTab(QStringLiteral("Team Play"));
    layout->addWidget(SelectionControl);

    auto* form = new QFormLayout;
    ProjectName = new QLineEdit;
    ProjectName->setObjectName(QStringLiteral("ProjectName"));
    ProjectName->setMaxLength(4);
    // The project name prefixes every generated file and travels on command lines: what it
    // may not hold cannot be typed (OK checks pasted text again).
    ProjectName->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^/\\\\:*?\"<>|&^%\\s\\x00-\\x1f]{0,4}")), ProjectName));
    MissionName = new QLineEdit;
    MissionName->setObjectName(QStringLiteral("MissionName"));
    MissionName->setMaxLength(39);
    Players = new QSpinBox;
    Players->setObjectName(QStringLiteral("Players"));
    Players->setRange(2, 8);
    Players->setValue(4);
    // The field says what it takes; a fifth character, a blank or a sign a file name cannot hold
    // is not cut off unseen: the note under it tells why the key did nothing.
    ProjectName->setPlaceholderText(QStringLiteral("4 characters"));
    ProjectName->setToolTip(QString::fromLatin1(kProjectNameNote));
    ProjectNameNote = new QLabel(QString::fromLatin1(kProjectNameRefused));
    ProjectNameNote->setObjectName(QStringLiteral("ProjectNameNote"));
    ProjectNameNote->setWordWrap(true);
    ProjectNameNote->setStyleSheet(QStringLiteral("color: #a00000;"));
    ProjectNameNote->hide();
    connect(ProjectName, &QLineEdit::inputRejected, ProjectNameNote, &QWidget::show);
    connect(ProjectName, &QLineEdit::textEdited, ProjectNameNote, &QWidget::hide);
    form->addRow(QStringLiteral("Project Name"), ProjectName);
    form->addRow(QString(), ProjectNameNote);
    form->addRow(QStringLiteral("Mission Name"), MissionName);
    form->addRow(QStringLiteral("Number of Players"), Players);
    layout->addLayout(form);

    PatchBox = new QCheckBox(QStringLiteral("use mission for 1.1 patch"));
    PatchBox->setObjectName(QStringLiteral("PatchBox"));
    PatchBox->setChecked(patch);
    layout->addWidget(PatchBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TSelectionForm::BitBtn1Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TSelectionForm::BitBtn1Click() {
    if (ProjectName->text().isEmpty()) {
        reporter_.report("You Must Specify a Project Name.", "ZEVEDIT 3D",
                         common::MessageIcon::Information);
        return;
    }
    if (const char* problem = mission::projectNameProblem(ProjectName->text().toStdString())) {
        reporter_.report(problem, "ZEVEDIT 3D", common::MessageIcon::Information);
        return;
    }
    accept();
}

mission::NewMissionSelection TSelectionForm::selection() const {
    mission::NewMissionSelection s;
    s.projectName = ProjectName->text().toLatin1().toStdString();
    s.missionName = MissionName->text().toLatin1().toStdString();
    s.players = Players->value();
    s.freeForAll = SelectionControl->currentIndex() == 0;
    s.patch = PatchBox->isChecked();
    return s;
}

} // namespace zev::app
