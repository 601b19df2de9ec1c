#include "InspectorPanel.h"

#include "FormParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zev::dialogs {

namespace {

const QString kDiffers = QStringLiteral("differs");

QLineEdit* lineOf(QWidget* w) {
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit;
    if (auto* box = qobject_cast<QComboBox*>(w))
        return box->lineEdit();
    return nullptr;
}

} // namespace

InspectorPanel::InspectorPanel(edit::InspectorModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("InspectorPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    InspectorTitle = new QLabel;
    InspectorTitle->setObjectName(QStringLiteral("InspectorTitle"));
    outer->addWidget(InspectorTitle);

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* inner = new QWidget;
    auto* form = new QFormLayout(inner);
    for (const std::string& key : edit::InspectorModel::keys()) {
        const QString label = QString::fromStdString(edit::InspectorModel::labelOf(key));
        const edit::ObjectPropertyField* field = edit::findObjectPropertyField(key);
        QWidget* control = nullptr;
        if (field && field->kind == edit::PropertyKind::Check) {
            auto* check = new QCheckBox;
            check->setTristate(false);
            connect(check, &QCheckBox::clicked, this,
                    [this, key](bool on) { setField(key, on ? "1" : "0"); });
            control = check;
        } else if (field && field->kind == edit::PropertyKind::Choice) {
            auto* box = new QComboBox;
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            for (const std::string& word : field->choices)
                box->addItem(fromRecordText(word));
            if (field->maxChars)
                box->lineEdit()->setMaxLength(int(field->maxChars));
            connect(box, &QComboBox::activated, this,
                    [this, key, box](int index) { setField(key, box->itemText(index)); });
            connect(box->lineEdit(), &QLineEdit::returnPressed, this,
                    [this, key, box] { setField(key, box->currentText()); });
            control = box;
        } else {
            auto* edit = new QLineEdit;
            if (field && field->maxChars)
                edit->setMaxLength(int(field->maxChars));
            edit->setReadOnly(key == edit::InspectorModel::kGroup);
            connect(edit, &QLineEdit::returnPressed, this,
                    [this, key, edit] { setField(key, edit->text()); });
            control = edit;
        }
        control->setObjectName(QString::fromStdString("Inspector_" + key));
        control->setAccessibleName(label);
        form->addRow(label, control);
        fields_[key] = control;
    }
    scroll->setWidget(inner);
    outer->addWidget(scroll, 1);

    InspectorMessage = new QLabel;
    InspectorMessage->setObjectName(QStringLiteral("InspectorMessage"));
    InspectorMessage->setAccessibleName(QStringLiteral("Inspector message"));
    InspectorMessage->setWordWrap(true);
    InspectorMessage->setStyleSheet(QStringLiteral("color: #b00000"));
    outer->addWidget(InspectorMessage);

    model_.onChanged = [this] { refresh(); };
    refresh();
}

InspectorPanel::~InspectorPanel() {
    model_.onChanged = nullptr;
}

void InspectorPanel::setField(const std::string& key, const QString& text) {
    const std::string why = model_.set(key, toRecordText(text));
    InspectorMessage->setText(fromRecordText(why));
    if (why.empty())
        if (QLineEdit* line = lineOf(fields_[key]))
            line->setModified(false);
    refresh();
}

void InspectorPanel::refresh() {
    const std::size_t n = model_.inspected().size();
    InspectorTitle->setText(n == 0   ? QStringLiteral("No object selected")
                            : n == 1 ? QStringLiteral("Object %1").arg(model_.inspected().front())
                                     : QStringLiteral("%1 objects").arg(n));
    for (const auto& [key, control] : fields_) {
        const edit::InspectorValue v = model_.value(key);
        control->setEnabled(v.enabled);
        const QString text = fromRecordText(v.text);
        if (auto* check = qobject_cast<QCheckBox*>(control)) {
            check->setCheckState(v.differs       ? Qt::PartiallyChecked
                                 : v.text == "1" ? Qt::Checked
                                                 : Qt::Unchecked);
            check->setToolTip(v.differs ? kDiffers : QString());
            continue;
        }
        QLineEdit* line = lineOf(control);
        // What the user is typing stays until Enter.
        if (line->hasFocus() && line->isModified())
            continue;
        if (auto* box = qobject_cast<QComboBox*>(control))
            box->setCurrentIndex(box->findText(text));
        line->setText(text);
        line->setModified(false);
        line->setPlaceholderText(v.differs ? kDiffers : QString());
        control->setToolTip(v.differs ? QStringLiteral("The selected objects differ") : QString());
    }
}

} // namespace zev::dialogs
