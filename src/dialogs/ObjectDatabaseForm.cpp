#include "ObjectDatabaseForm.h"

#include "FormParts.h"
#include "NewObjectGroupForm.h"
#include "ObjectRecordPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zev::dialogs {

namespace {

QListWidget* namedList(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(QString::fromLatin1(name));
    return list;
}

void fillList(QListWidget* list, const std::vector<std::string>& items, int current) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& item : items)
        list->addItem(fromRecordText(item));
    list->setCurrentRow(current);
}

} // namespace

TObjectDatabase::TObjectDatabase(const std::filesystem::path& programDirectory,
                                 common::Reporter& reporter, QWidget* parent)
    : QDialog(parent), model_(programDirectory, reporter) {
    setObjectName(QStringLiteral("ObjectDatabase"));
    setWindowTitle(QString::fromLatin1(edit::kObjectDatabaseCaption));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    auto* lists = new QGridLayout;
    GroupBox = namedList("GroupBox");
    ObjectItems = namedList("ObjectItems");
    lists->addWidget(new QLabel(QStringLiteral("Object Groups")), 0, 0);
    lists->addWidget(GroupBox, 1, 0);
    lists->addWidget(new QLabel(QStringLiteral("Objects")), 0, 1);
    lists->addWidget(ObjectItems, 1, 1);
    top->addLayout(lists);
    connect(GroupBox, &QListWidget::currentRowChanged, this, [this] { GroupBoxClick(); });
    connect(ObjectItems, &QListWidget::currentRowChanged, this, [this] { ObjectItemsClick(); });

    Record = new ObjectRecordPanel(true);
    top->addWidget(Record);
    connect(Record, &ObjectRecordPanel::changed, this, &TObjectDatabase::ObjectChange);

    auto* buttons = new QHBoxLayout;
    NewObjectBtn = button("NewObjectBtn", "New Object", &TObjectDatabase::NewObjectBtnClick);
    SaveBtn = button("SaveBtn", "Save Data", &TObjectDatabase::SaveBtnClick);
    CancelBtn = button("CancelBtn", "Abort Changes", &TObjectDatabase::CancelBtnClick);
    DeleteObjectBtn =
        button("DeleteObjectBtn", "Delete Object", &TObjectDatabase::DeleteObjectBtnClick);
    DeleteGroupBtn =
        button("DeleteGroupBtn", "Delete Group", &TObjectDatabase::DeleteGroupBtnClick);
    NewGroupBtn = button("NewGroupBtn", "New Object Group", &TObjectDatabase::NewGroupBtnClick);
    for (QPushButton* b :
         {NewObjectBtn, SaveBtn, CancelBtn, DeleteObjectBtn, DeleteGroupBtn, NewGroupBtn})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("CloseBtn"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    FormCreate();
}

QPushButton* TObjectDatabase::button(const char* name, const char* text,
                                     void (TObjectDatabase::*slot)()) {
    auto* b = new QPushButton(QString::fromLatin1(text));
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
}

void TObjectDatabase::showModel() {
    fillList(GroupBox, model_.groups(), model_.selectedGroup());
    fillList(ObjectItems, model_.objects(), model_.selectedRecord());
    model_.setLoading(true);
    Record->setValues(model_.values());
    model_.setLoading(false);
    showEnabled();
}

void TObjectDatabase::showEnabled() {
    const edit::DatabaseControls c = model_.controls();
    GroupBox->setEnabled(c.groupList);
    ObjectItems->setEnabled(c.objectList);
    NewObjectBtn->setEnabled(c.newObject);
    SaveBtn->setEnabled(c.saveData);
    CancelBtn->setEnabled(c.abortChanges);
    DeleteObjectBtn->setEnabled(c.deleteObject);
    DeleteGroupBtn->setEnabled(c.deleteGroup);
    NewGroupBtn->setEnabled(c.newGroup);
    Record->setDetailsEnabled(model_.recordDetailsEnabled());
}

void TObjectDatabase::FormCreate() {
    model_.listGroups();
    showModel();
}

void TObjectDatabase::GroupBoxClick() {
    if (GroupBox->currentRow() != model_.selectedGroup())
        model_.chooseGroup(GroupBox->currentRow());
    showModel();
}

void TObjectDatabase::ObjectItemsClick() {
    if (ObjectItems->currentRow() >= 0)
        model_.chooseRecord(ObjectItems->currentRow());
    showModel();
}

void TObjectDatabase::ObjectChange() {
    if (model_.edit(Record->values()))
        showEnabled();
}

void TObjectDatabase::NewObjectBtnClick() {
    model_.newObject();
    showModel();
}

void TObjectDatabase::SaveBtnClick() {
    model_.saveData();
    showModel();
}

void TObjectDatabase::CancelBtnClick() {
    model_.abortChanges();
    showModel();
}

void TObjectDatabase::DeleteObjectBtnClick() {
    model_.deleteObject();
    showModel();
}

void TObjectDatabase::DeleteGroupBtnClick() {
    model_.deleteGroup();
    showModel();
}

void TObjectDatabase::NewGroupBtnClick() {
    if (const auto name = askObjectGroupName(this))
        model_.newGroup(*name);
    showModel();
}

bool runObjectDatabase(const std::filesystem::path& programDirectory, common::Reporter& reporter,
                       QWidget* parent) {
    TObjectDatabase form(programDirectory, reporter, parent);
    form.exec();
    return form.model().changes() > 0;
}

} // namespace zev::dialogs
