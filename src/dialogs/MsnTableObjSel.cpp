#include "MsnTableObjSel.h"

#include "FormParts.h"

#include "common/Numbers.h"
#include "mission/ObjectiveTargets.h"
#include "mission/ObjectiveVocabulary.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <span>

namespace zev::dialogs {

namespace {

using Type = edit::TableEntryModel::TargetType;

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// A group of exclusive buttons named `name` 1 to N whose clicks go to `slot` with the index.
template <std::size_t N>
QGroupBox* buttonGroup(QDialog* owner, const QString& title, const char* name,
                       std::span<const std::string_view> texts,
                       std::array<QRadioButton*, N>& buttons, int columns,
                       void (TMsnTableObjSel::*slot)(int)) {
    auto* box = new QGroupBox(title);
    auto* layout = new QGridLayout(box);
    auto* group = new QButtonGroup(box);
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i] = new QRadioButton(latin1(texts[i]));
        buttons[i]->setObjectName(QString::fromLatin1(name) + QString::number(i + 1));
        group->addButton(buttons[i], int(i));
        layout->addWidget(buttons[i], int(i) / columns, int(i) % columns);
    }
    QObject::connect(group, &QButtonGroup::idClicked, static_cast<TMsnTableObjSel*>(owner), slot);
    return box;
}

QSpinBox* spinner(const char* name, int low, int high) {
    auto* spin = new QSpinBox;
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(low, high);
    return spin;
}

void press(QRadioButton* button) {
    const QSignalBlocker blocker(button);
    button->setChecked(true);
}

int spinValue(const std::string& text, const QSpinBox* spin) {
    return std::clamp(common::leadingInt(text), spin->minimum(), spin->maximum());
}

QPushButton* pushButton(const char* name, const char* text) {
    auto* b = new QPushButton(QString::fromLatin1(text));
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

TMsnTableObjSel::TMsnTableObjSel(mission::ObjectiveRow& row, int rowIndex, int star,
                                 std::string project, QWidget* parent)
    : QDialog(parent), model_(row, rowIndex, star, std::move(project)) {
    setObjectName(QStringLiteral("MsnTableObjSel"));
    setWindowTitle(QStringLiteral("Mission Table Entry"));
    auto* layout = new QVBoxLayout(this);
    auto* pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->addTab(actionPage(), QStringLiteral("Action"));
    pages->addTab(targetPage(), QStringLiteral("Target / Activation"));
    pages->addTab(generalPage(), QStringLiteral("General"));
    pages->addTab(soundPage(), QStringLiteral("Sound"));
    layout->addWidget(pages);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // What the row holds once it is recognised.
    for (std::size_t i = 0; i < Action.size(); ++i)
        Action[i]->setEnabled(model_.actionEnabled(int(i)));
    if (model_.action() >= 0)
        press(Action[std::size_t(model_.action())]);
    showTarget();
    press(ActivationType[std::size_t(model_.activationType())]);
    press(model_.orCombination() ? TableOr : TableAnd);
    showActivations();
    showGeneral();
    {
        const QSignalBlocker blocker(SoundList);
        SoundList->setCurrentRow(model_.sound());
    }
    BettySays->setText(latin1(model_.bettySays()));
}

QWidget* TMsnTableObjSel::actionPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(buttonGroup(this, QString(), "Action", mission::kObjectiveActions, Action, 3,
                                  &TMsnTableObjSel::ActionClick));
    return page;
}

QWidget* TMsnTableObjSel::targetPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->addWidget(buttonGroup(this, QStringLiteral("Target Type"), "TargetType",
                                  edit::kTargetTypeTexts, TargetType, 1,
                                  &TMsnTableObjSel::TargetTypeClick),
                      0, 0, 2, 1);

    auto* name = new QGroupBox(QStringLiteral("Target Name    Objective #"));
    auto* nameLayout = new QHBoxLayout(name);
    TargetName = new QLineEdit;
    TargetName->setObjectName(QStringLiteral("TargetName"));
    connect(TargetName, &QLineEdit::textEdited, this, &TMsnTableObjSel::TargetNameChange);
    UpDown5 = spinner("UpDown5", 0, edit::TableEntryModel::kUpDown5Max);
    connect(UpDown5, &QSpinBox::valueChanged, this, &TMsnTableObjSel::UpDown5Click);
    TargetObjNum = spinner("TargetObjNum", 0, mission::ObjectiveTable::rowCount - 1);
    connect(TargetObjNum, &QSpinBox::valueChanged, this, &TMsnTableObjSel::TargetObjNumChange);
    nameLayout->addWidget(TargetName, 1);
    nameLayout->addWidget(UpDown5);
    nameLayout->addWidget(TargetObjNum);
    layout->addWidget(name, 0, 1);

    layout->addWidget(buttonGroup(this, QStringLiteral("Activation Type"), "ActivationType",
                                  edit::kActivationTypeTexts, ActivationType, 1,
                                  &TMsnTableObjSel::ActivationTypeClick),
                      2, 0);

    auto* star = new QGroupBox(QStringLiteral("Target Star"));
    auto* starLayout = new QVBoxLayout(star);
    TargetStar = new QComboBox;
    TargetStar->setObjectName(QStringLiteral("TargetStar"));
    for (int s = 0; s < mission::kObjectiveTableCount; ++s)
        TargetStar->addItem(latin1(mission::starName(s)));
    TargetStar->setCurrentIndex(model_.targetStar());
    connect(TargetStar, &QComboBox::currentIndexChanged, this, &TMsnTableObjSel::TargetStarChange);
    starLayout->addWidget(TargetStar);
    auto* number = new QGroupBox(QStringLiteral("Objective Number"));
    auto* numberLayout = new QVBoxLayout(number);
    ObjectiveNumber = spinner("ObjectiveNumber", -1, mission::ObjectiveTable::rowCount - 1);
    ObjectiveNumber->setSpecialValueText(QStringLiteral("Initial"));
    ObjectiveNumber->setValue(1);
    connect(ObjectiveNumber, &QSpinBox::valueChanged, this,
            &TMsnTableObjSel::ObjectiveNumberChange);
    numberLayout->addWidget(ObjectiveNumber);
    auto* picks = new QVBoxLayout;
    picks->addWidget(star);
    picks->addWidget(number);
    layout->addLayout(picks, 1, 1);

    auto* table = new QGroupBox(QStringLiteral("Activation Table"));
    auto* tableLayout = new QGridLayout(table);
    TableAnd = new QRadioButton(QStringLiteral("And"));
    TableAnd->setObjectName(QStringLiteral("TableAnd"));
    TableOr = new QRadioButton(QStringLiteral("Or"));
    TableOr->setObjectName(QStringLiteral("TableOr"));
    connect(TableAnd, &QRadioButton::clicked, this, &TMsnTableObjSel::TableAndClick);
    connect(TableOr, &QRadioButton::clicked, this, &TMsnTableObjSel::TableOrClick);
    ActivationTable = new QListWidget;
    ActivationTable->setObjectName(QStringLiteral("ActivationTable"));
    auto* add = pushButton("ActivationAdd", "Add");
    auto* del = pushButton("ActivationDel", "Delete");
    auto* clear = pushButton("ActivationClear", "Clear");
    auto* refresh = pushButton("Refresh", "Refresh");
    refresh->hide();
    connect(add, &QPushButton::clicked, this, &TMsnTableObjSel::ActivationAddClick);
    connect(del, &QPushButton::clicked, this, &TMsnTableObjSel::ActivationDelClick);
    connect(clear, &QPushButton::clicked, this, &TMsnTableObjSel::ActivationClearClick);
    connect(refresh, &QPushButton::clicked, this, &TMsnTableObjSel::showActivations);
    tableLayout->addWidget(TableAnd, 0, 0);
    tableLayout->addWidget(TableOr, 0, 1);
    tableLayout->addWidget(ActivationTable, 1, 0, 1, 4);
    tableLayout->addWidget(add, 2, 0);
    tableLayout->addWidget(del, 2, 1);
    tableLayout->addWidget(clear, 2, 2);
    tableLayout->addWidget(refresh, 2, 3);
    layout->addWidget(table, 2, 1);
    return page;
}

QWidget* TMsnTableObjSel::generalPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);

    auto* time = new QGroupBox(QStringLiteral("Time Limit"));
    auto* timeLayout = new QHBoxLayout(time);
    // From 0 upward; -1 is the stored "no limit".
    TimeLimit =
        spinner("TimeLimit", edit::TableEntryModel::kTimeLimitMin, std::numeric_limits<int>::max());
    connect(TimeLimit, &QSpinBox::valueChanged, this, &TMsnTableObjSel::TimeLimitChange);
    auto* none = pushButton("TimeLimitNone", "None");
    connect(none, &QPushButton::clicked, this, &TMsnTableObjSel::TimeLimitNoneClick);
    timeLayout->addWidget(TimeLimit, 1);
    timeLayout->addWidget(none);
    layout->addWidget(time, 0, 0);

    layout->addWidget(buttonGroup(this, QStringLiteral("Requirement"), "Requirement",
                                  mission::kObjectiveRequirements, Requirement, 1,
                                  &TMsnTableObjSel::RequirementClick),
                      1, 0);
    layout->addWidget(buttonGroup(this, QStringLiteral("Priority"), "Priority",
                                  mission::kObjectivePriorities, Priority, 1,
                                  &TMsnTableObjSel::PriorityClick),
                      0, 1, 2, 1);
    layout->addWidget(buttonGroup(this, QStringLiteral("Visibility"), "Visibility",
                                  mission::kObjectiveVisibilities, Visibility, 1,
                                  &TMsnTableObjSel::VisibilityClick),
                      2, 0);

    auto* text = new QGroupBox(QStringLiteral("Text"));
    auto* textLayout = new QVBoxLayout(text);
    TextBox = new QLineEdit;
    TextBox->setObjectName(QStringLiteral("TextBox"));
    TextBox->setMaxLength(35);
    connect(TextBox, &QLineEdit::textChanged, this, &TMsnTableObjSel::TextBoxChange);
    textLayout->addWidget(TextBox);
    layout->addWidget(text, 2, 1);

    // Kept in the row, not offered: what the AI does about the target.
    auto* attack = buttonGroup(this, QStringLiteral("AI Attack Setting"), "AIAttack",
                               edit::kAiAttackTexts, AIAttack, 1, &TMsnTableObjSel::AIAttackClick);
    attack->hide();
    layout->addWidget(attack, 3, 0);
    auto* mechs = new QGroupBox(QStringLiteral("AI Mechs / Target"));
    auto* mechsLayout = new QHBoxLayout(mechs);
    AIMPT = spinner("AIMPT", 0, 999999999);
    connect(AIMPT, &QSpinBox::valueChanged, this, &TMsnTableObjSel::AIMPTChange);
    auto* mechsNone = pushButton("AIMPTNone", "None");
    connect(mechsNone, &QPushButton::clicked, this, &TMsnTableObjSel::AIMPTNoneClick);
    mechsLayout->addWidget(AIMPT, 1);
    mechsLayout->addWidget(mechsNone);
    mechs->hide();
    layout->addWidget(mechs, 3, 1);
    return page;
}

QWidget* TMsnTableObjSel::soundPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    SoundList = new QListWidget;
    SoundList->setObjectName(QStringLiteral("SoundList"));
    for (const std::string& sound : mission::objectiveSounds())
        SoundList->addItem(latin1(sound));
    connect(SoundList, &QListWidget::currentRowChanged, this, &TMsnTableObjSel::SoundListClick);
    layout->addWidget(SoundList, 1);
    auto* betty = new QGroupBox(QStringLiteral("Betty Says..."));
    auto* bettyLayout = new QVBoxLayout(betty);
    BettySays = new QLineEdit;
    BettySays->setObjectName(QStringLiteral("BettySays"));
    BettySays->setReadOnly(true);
    bettyLayout->addWidget(BettySays);
    bettyLayout->addStretch();
    layout->addWidget(betty, 2);
    return page;
}

void TMsnTableObjSel::showTarget() {
    press(TargetType[std::size_t(model_.targetType())]);
    TargetName->setText(latin1(model_.targetName()));
    {
        const QSignalBlocker blocker(UpDown5);
        UpDown5->setValue(model_.upDown5());
        UpDown5->setEnabled(model_.upDown5Enabled());
    }
    const QSignalBlocker blocker(TargetObjNum);
    TargetObjNum->setValue(spinValue(model_.targetObjNum(), TargetObjNum));
    TargetObjNum->setEnabled(model_.targetObjNumEnabled());
}

void TMsnTableObjSel::showActivations() {
    ActivationTable->clear();
    for (const std::string& condition : model_.activationList())
        ActivationTable->addItem(latin1(condition));
}

void TMsnTableObjSel::showGeneral() {
    {
        const QSignalBlocker blocker(TimeLimit);
        TimeLimit->setMinimum(model_.timeLimitMinimum());
        TimeLimit->setValue(spinValue(model_.timeLimit(), TimeLimit));
    }
    {
        const QSignalBlocker blocker(AIMPT);
        AIMPT->setValue(spinValue(model_.aiMechsPerTarget(), AIMPT));
    }
    press(Requirement[std::size_t(model_.requirement())]);
    press(Priority[std::size_t(model_.priority())]);
    press(Visibility[std::size_t(model_.visibility())]);
    press(AIAttack[std::size_t(model_.aiAttack())]);
    showStoredText(TextBox, model_.text());
}

void TMsnTableObjSel::ActionClick(int index) {
    model_.chooseAction(index);
}

void TMsnTableObjSel::TargetTypeClick(int index) {
    model_.chooseTargetType(static_cast<Type>(index));
    showTarget();
}

void TMsnTableObjSel::UpDown5Click(int position) {
    model_.setUpDown5(position);
    showTarget();
}

void TMsnTableObjSel::TargetNameChange(const QString& text) {
    model_.setTargetName(text.toLatin1().toStdString());
}

void TMsnTableObjSel::TargetObjNumChange(int value) {
    model_.setTargetObjNum(common::decimal(value));
}

void TMsnTableObjSel::ActivationTypeClick(int index) {
    model_.chooseActivationType(index);
}

void TMsnTableObjSel::TargetStarChange(int index) {
    model_.chooseTargetStar(index);
}

void TMsnTableObjSel::TableAndClick() {
    model_.chooseCombination(false);
}

void TMsnTableObjSel::TableOrClick() {
    model_.chooseCombination(true);
}

void TMsnTableObjSel::ObjectiveNumberChange(int value) {
    model_.setObjectiveNumber(common::decimal(value));
}

void TMsnTableObjSel::ActivationAddClick() {
    if (model_.addActivation())
        showActivations();
}

void TMsnTableObjSel::ActivationDelClick() {
    // Only an entry the user can see selected is deleted, never the list's current row alone.
    const QModelIndexList selected = ActivationTable->selectionModel()->selectedRows();
    if (!selected.isEmpty() && model_.deleteActivation(selected.front().row()))
        showActivations();
}

void TMsnTableObjSel::ActivationClearClick() {
    model_.clearActivations();
    showActivations();
}

void TMsnTableObjSel::TimeLimitChange(int value) {
    model_.setTimeLimit(common::decimal(value));
}

void TMsnTableObjSel::TimeLimitNoneClick() {
    TimeLimit->setValue(0);
    model_.timeLimitNone();
}

void TMsnTableObjSel::RequirementClick(int index) {
    model_.chooseRequirement(index);
}

void TMsnTableObjSel::PriorityClick(int index) {
    model_.choosePriority(index);
}

void TMsnTableObjSel::VisibilityClick(int index) {
    model_.chooseVisibility(index);
}

void TMsnTableObjSel::AIAttackClick(int index) {
    model_.chooseAiAttack(index);
}

void TMsnTableObjSel::AIMPTChange(int value) {
    model_.setAiMechsPerTarget(common::decimal(value));
}

void TMsnTableObjSel::AIMPTNoneClick() {
    AIMPT->setValue(0);
    model_.aiMechsPerTargetNone();
}

void TMsnTableObjSel::TextBoxChange(const QString& text) {
    model_.setText(text.toLatin1().toStdString());
}

void TMsnTableObjSel::SoundListClick() {
    if (SoundList->currentRow() < 0)
        return;
    model_.chooseSound(SoundList->currentRow());
    BettySays->setText(latin1(model_.bettySays()));
}

} // namespace zev::dialogs
