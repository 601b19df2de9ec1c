#pragma once

#include <QDialog>

#include <cstddef>
#include <optional>

class QListWidget;

namespace zev::dialogs {

// "Key Selection": the 102 keys a workspace action can be given, "(NO ACTION)" first.
class TKeySelectionForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeySelectionForm(QWidget* parent = nullptr);

    // The item chosen (an index of the key selection list), nothing when none is selected.
    std::optional<std::size_t> chosen() const;

private:
    QListWidget* KeyList;
};

} // namespace zev::dialogs
