#include "AddDatabaseForm.h"

#include "FormParts.h"
#include "NewObjectGroupForm.h"
#include "ObjectRecordPanel.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zev::dialogs {

TAddDatabase::TAddDatabase(const std::filesystem::path& programDirectory,
                           const std::string& geometryName, common::Reporter& reporter,
                           QWidget* parent)
    : QDialog(parent), model_(programDirectory, geometryName, reporter) {
    setObjectName(QStringLiteral("AddDatabase"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    auto* groups = new QVBoxLayout;
    GroupBox = new QListWidget;
    GroupBox->setObjectName(QStringLiteral("GroupBox"));
    groups->addWidget(new QLabel(QStringLiteral("Object Groups")));
    groups->addWidget(GroupBox);
    auto* newGroup = new QPushButton(QStringLiteral("New Group"));
    newGroup->setObjectName(QStringLiteral("BitBtn3"));
    newGroup->setAutoDefault(false);
    connect(newGroup, &QPushButton::clicked, this, &TAddDatabase::BitBtn3Click);
    groups->addWidget(newGroup);
    top->addLayout(groups);
    connect(GroupBox, &QListWidget::currentRowChanged, this,
            [this](int row) { model_.chooseGroup(row); });

    Record = new ObjectRecordPanel(false);
    top->addWidget(Record);

    addOkCancel(this, layout, [this] { BitBtn1Click(); });
    FormCreate();
}

void TAddDatabase::showGroups() {
    const QSignalBlocker blocker(GroupBox);
    GroupBox->clear();
    for (const std::string& group : model_.groups())
        GroupBox->addItem(fromRecordText(group));
    GroupBox->setCurrentRow(model_.selectedGroup());
}

void TAddDatabase::FormCreate() {
    setWindowTitle(fromRecordText(model_.caption()));
    showGroups();
    Record->setValues(model_.prefill());
}

void TAddDatabase::BitBtn1Click() {
    if (model_.add(Record->values()))
        accept();
}

void TAddDatabase::BitBtn3Click() {
    if (const auto name = askObjectGroupName(this))
        model_.newGroup(*name);
    showGroups();
}

bool runQuickAdd(const std::filesystem::path& programDirectory, const std::string& geometryName,
                 common::Reporter& reporter, QWidget* parent) {
    TAddDatabase form(programDirectory, geometryName, reporter, parent);
    form.exec();
    return form.model().changes() > 0;
}

} // namespace zev::dialogs
