#include "FlyCircleForm.h"

#include "FormParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zev::dialogs {

TFlyCircleForm::TFlyCircleForm(const edit::FlyCircleValues& values, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FlyCircleForm"));
    setWindowTitle(QStringLiteral("Fly Circle Animation"));
    auto* layout = new QVBoxLayout(this);
    auto* rows = new QFormLayout;
    Period = namedEdit("Period", values.period);
    Interval = namedEdit("Interval", values.interval);
    Radius = namedEdit("Radius", values.radius);
    Enabled = namedCheck("Enabled", "Enabled", values.enabled);
    Active = namedCheck("Active", "Active", values.active);
    rows->addRow(QStringLiteral("Period"), Period);
    rows->addRow(QStringLiteral("Interval"), Interval);
    rows->addRow(QStringLiteral("Radius"), Radius);
    rows->addRow(Enabled);
    rows->addRow(Active);
    layout->addLayout(rows);
    addOkCancel(this, layout, [this] { accept(); });
}

edit::FlyCircleValues TFlyCircleForm::values() const {
    return {toRecordText(Period->text()), toRecordText(Interval->text()),
            toRecordText(Radius->text()), Enabled->isChecked(), Active->isChecked()};
}

} // namespace zev::dialogs
