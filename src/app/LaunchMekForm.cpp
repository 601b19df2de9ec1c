#include "LaunchMekForm.h"

#include "gamedata/IndexFiles.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace zev::app {

namespace {

QListWidget* nameList(const char* name, const std::vector<std::string>& names,
                      const QString& current) {
    auto* list = new QListWidget;
    list->setObjectName(QString::fromLatin1(name));
    for (const std::string& n : names)
        list->addItem(QString::fromLatin1(n.c_str()));
    const auto found = list->findItems(current, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!found.isEmpty()) {
        list->setCurrentItem(found.front());
        list->scrollToItem(found.front());
    }
    return list;
}

} // namespace

TLaunchMekForm::TLaunchMekForm(const std::filesystem::path& programDirectory,
                               const QString& chassis, const QString& configuration,
                               common::Reporter& reporter, QWidget* parent)
    : QDialog(parent), chassis_(chassis), configuration_(configuration) {
    setObjectName(QStringLiteral("LaunchMekForm"));
    setWindowTitle(QStringLiteral("Mission Launch Mek"));
    const gamedata::LaunchSelectionLists lists =
        gamedata::readLaunchSelectionLists(programDirectory, reporter);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Chassis")), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Configuration")), 0, 1);
    ChassisBox = nameList("ChassisBox", lists.chassis, chassis);
    ConfigBox = nameList("ConfigBox", lists.configurations, configuration);
    layout->addWidget(ChassisBox, 1, 0);
    layout->addWidget(ConfigBox, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TLaunchMekForm::OkBtnClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 2, 0, 1, 2);
    resize(420, 360);
}

void TLaunchMekForm::OkBtnClick() {
    if (QListWidgetItem* item = ChassisBox->currentItem(); item && item->isSelected())
        chassis_ = item->text();
    if (QListWidgetItem* item = ConfigBox->currentItem(); item && item->isSelected())
        configuration_ = item->text();
    accept();
}

} // namespace zev::app
