#include "AmbientSoundForm.h"

#include "FormParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zev::dialogs {

TAmbientSoundForm::TAmbientSoundForm(const edit::AmbientSoundValues& values,
                                     const std::vector<std::string>& soundNames, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AmbientSoundForm"));
    setWindowTitle(QStringLiteral("Object Ambient Sound"));
    auto* layout = new QVBoxLayout(this);
    auto* rows = new QFormLayout;
    Enabled = namedCheck("Enabled", "Enabled", values.enabled);
    Active = namedCheck("Active", "Active", values.active);
    Radius = namedEdit("Radius", values.radius);
    SoundFile = new QComboBox;
    SoundFile->setObjectName(QStringLiteral("SoundFile"));
    SoundFile->setEditable(true);
    SoundFile->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& name : soundNames)
        SoundFile->addItem(fromRecordText(name));
    SoundFile->setCurrentIndex(SoundFile->findText(fromRecordText(values.soundFile)));
    SoundFile->setEditText(fromRecordText(values.soundFile));
    rows->addRow(Enabled);
    rows->addRow(Active);
    rows->addRow(QStringLiteral("Radius"), Radius);
    rows->addRow(QStringLiteral("Sound File"), SoundFile);
    layout->addLayout(rows);
    addOkCancel(this, layout, [this] { accept(); });
}

edit::AmbientSoundValues TAmbientSoundForm::values() const {
    return {Enabled->isChecked(), Active->isChecked(), toRecordText(Radius->text()),
            toRecordText(SoundFile->currentText())};
}

} // namespace zev::dialogs
