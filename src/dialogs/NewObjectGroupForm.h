#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;

namespace zev::dialogs {

// "New Object Group Creation": asks for the name of a new object group.
class TNewObjectGroupForm : public QDialog {
    Q_OBJECT
public:
    explicit TNewObjectGroupForm(QWidget* parent = nullptr);
    std::string name() const;

private:
    QLineEdit* GroupName;
};

// Runs the name dialog modally: the name as typed on OK (empty included), nothing on Cancel.
std::optional<std::string> askObjectGroupName(QWidget* parent);

} // namespace zev::dialogs
