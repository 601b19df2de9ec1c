#include "SpinnerForm.h"

#include "FormParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zev::dialogs {

TSpinnerForm::TSpinnerForm(const edit::SpinnerValues& values, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SpinnerForm"));
    setWindowTitle(QStringLiteral("Spinner Animation"));
    auto* layout = new QVBoxLayout(this);

    auto* rotation = new QGroupBox(QStringLiteral("Rotation"));
    auto* rotationRows = new QFormLayout(rotation);
    static constexpr const char* names[] = {"RotationX", "RotationY", "RotationZ"};
    static constexpr const char* labels[] = {"X", "Y", "Z"};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        Rotation[axis] = namedEdit(names[axis], values.rotation[axis]);
        rotationRows->addRow(QString::fromLatin1(labels[axis]), Rotation[axis]);
    }
    layout->addWidget(rotation);

    auto* settings = new QGroupBox(QStringLiteral("Settings"));
    auto* settingsRows = new QFormLayout(settings);
    Period = namedEdit("Period", values.period);
    Time = namedEdit("Time", values.time);
    Enabled = namedCheck("Enabled", "  Enabled", values.enabled);
    settingsRows->addRow(QStringLiteral("Period"), Period);
    settingsRows->addRow(QStringLiteral("Time"), Time);
    settingsRows->addRow(Enabled);
    layout->addWidget(settings);

    addOkCancel(this, layout, [this] { accept(); });
}

edit::SpinnerValues TSpinnerForm::values() const {
    edit::SpinnerValues v;
    for (std::size_t axis = 0; axis < 3; ++axis)
        v.rotation[axis] = toRecordText(Rotation[axis]->text());
    v.period = toRecordText(Period->text());
    v.time = toRecordText(Time->text());
    v.enabled = Enabled->isChecked();
    return v;
}

} // namespace zev::dialogs
