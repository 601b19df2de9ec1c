#include "NewObjectGroupForm.h"

#include "FormParts.h"

#include "gamedata/ObjectGroups.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zev::dialogs {

TNewObjectGroupForm::TNewObjectGroupForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NewObjectGroupForm"));
    setWindowTitle(QString::fromLatin1(gamedata::kNewGroupCaption));
    auto* layout = new QVBoxLayout(this);
    GroupName = namedEdit("GroupName", "");
    auto* label = new QLabel(QStringLiteral("Desired Object Group Name"));
    label->setBuddy(GroupName);
    layout->addWidget(label);
    layout->addWidget(GroupName);
    addOkCancel(this, layout, [this] { accept(); });
}

std::string TNewObjectGroupForm::name() const {
    return toRecordText(GroupName->text());
}

std::optional<std::string> askObjectGroupName(QWidget* parent) {
    TNewObjectGroupForm form(parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.name();
}

} // namespace zev::dialogs
