#pragma once

#include "edit/InspectorModel.h"

#include <QWidget>

#include <map>
#include <string>

class QLabel;

namespace zev::dialogs {

// The inspector: one labelled control per field of the inspected objects. A field the objects
// differ in stays empty with the hint "differs"; Enter in a text (a click on a box, a choice)
// sets the value on all of them as one step. A refused text leaves the objects and shows why.
class InspectorPanel : public QWidget {
    Q_OBJECT
public:
    InspectorPanel(edit::InspectorModel& model, QWidget* parent = nullptr);
    ~InspectorPanel() override;

    // Fills every control from the model, but a text the user is typing in.
    void refresh();

private:
    void setField(const std::string& key, const QString& text);

    edit::InspectorModel& model_;
    QLabel* InspectorTitle;
    QLabel* InspectorMessage;
    std::map<std::string, QWidget*> fields_;
};

} // namespace zev::dialogs
