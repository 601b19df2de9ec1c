#include "INavPointForm.h"

#include "FormParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev::dialogs {

namespace {

QPushButton* namedButton(const char* name, const char* text) {
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TINavPointForm::TINavPointForm(const mission::NavPointRecord& record, QWidget* parent)
    : QDialog(parent), record_(record), result_(record) {
    setObjectName(QStringLiteral("INavPointForm"));
    setWindowTitle(QStringLiteral("Nav Point Setting"));
    auto* layout = new QVBoxLayout(this);

    UseNav = namedCheck("UseNav", "Use Nav in Mission", false);
    layout->addWidget(UseNav);

    auto* position = new QGroupBox(QStringLiteral("Position"));
    auto* axes = new QFormLayout(position);
    PosX = namedEdit("PosX", "", edit::kNavPositionChars);
    PosY = namedEdit("PosY", "", edit::kNavPositionChars);
    PosZ = namedEdit("PosZ", "", edit::kNavPositionChars);
    axes->addRow(QStringLiteral("X"), PosX);
    axes->addRow(QStringLiteral("Y"), PosY);
    axes->addRow(QStringLiteral("Z"), PosZ);
    layout->addWidget(position);

    auto* details = new QFormLayout;
    Heading = namedEdit("Heading", "", edit::kNavHeadingChars);
    EnableNav = namedCheck("EnableNav", "Enable Nav Point", false);
    GroupId = namedEdit("GroupId", "");
    GroupId->setReadOnly(true);
    Radius = namedEdit("Radius", "");
    details->addRow(QStringLiteral("Heading"), Heading);
    details->addRow(EnableNav);
    details->addRow(QStringLiteral("Group ID"), GroupId);
    details->addRow(QStringLiteral("Radius"), Radius);
    layout->addLayout(details);

    auto* actions = new QGroupBox(QStringLiteral("App Actions"));
    actions->setObjectName(QStringLiteral("AppActions"));
    auto* grid = new QGridLayout(actions);
    for (int i = 0; i < edit::kNavActionCount; ++i) {
        const char* word = edit::kNavActionWords[i];
        Actions[std::size_t(i)] = namedCheck(word, word, false);
        grid->addWidget(Actions[std::size_t(i)], i / 3, i % 3);
    }
    layout->addWidget(actions);

    auto* text = new QFormLayout;
    NavText = namedEdit("NavText", "", edit::kNavTextChars);
    text->addRow(QStringLiteral("Nav Point Text"), NavText);
    layout->addLayout(text);

    auto* buttons = new QHBoxLayout;
    auto* undo = namedButton("UndoBtn", "Undo Changes");
    auto* erase = namedButton("EraseBtn", "Erase All");
    connect(undo, &QPushButton::clicked, this, &TINavPointForm::UndoBtnClick);
    connect(erase, &QPushButton::clicked, this, &TINavPointForm::EraseBtnClick);
    buttons->addWidget(undo);
    buttons->addWidget(erase);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn2"));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(box, &QDialogButtonBox::accepted, this, &TINavPointForm::BitBtn2Click);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons->addWidget(box);
    layout->addLayout(buttons);

    showValues(edit::fill(record_));
}

void TINavPointForm::showValues(const edit::NavPointValues& v) {
    UseNav->setChecked(v.inUse);
    showStoredText(PosX, v.x);
    showStoredText(PosY, v.y);
    showStoredText(PosZ, v.z);
    showStoredText(Heading, v.heading);
    EnableNav->setChecked(v.enabled);
    showStoredText(GroupId, v.groupId);
    showStoredText(Radius, v.radius);
    for (std::size_t i = 0; i < Actions.size(); ++i)
        Actions[i]->setChecked(v.actions[i]);
    showStoredText(NavText, v.text);
}

edit::NavPointValues TINavPointForm::controls() const {
    edit::NavPointValues v;
    v.inUse = UseNav->isChecked();
    v.x = toRecordText(PosX->text());
    v.y = toRecordText(PosY->text());
    v.z = toRecordText(PosZ->text());
    v.heading = toRecordText(Heading->text());
    v.enabled = EnableNav->isChecked();
    v.groupId = toRecordText(GroupId->text());
    v.radius = toRecordText(Radius->text());
    for (std::size_t i = 0; i < Actions.size(); ++i)
        v.actions[i] = Actions[i]->isChecked();
    v.text = toRecordText(NavText->text());
    return v;
}

void TINavPointForm::UndoBtnClick() {
    showValues(edit::fill(record_));
}

void TINavPointForm::EraseBtnClick() {
    showValues(edit::erased());
}

void TINavPointForm::BitBtn2Click() {
    result_ = edit::compose(controls(), record_);
    accept();
}

} // namespace zev::dialogs
