#include "ObjectForm.h"

#include "AmbientSoundForm.h"
#include "ColorSpinForm.h"
#include "FlyCircleForm.h"
#include "FormParts.h"
#include "PathForm.h"
#include "SpinnerForm.h"

#include "edit/ObjectPropertyFields.h"
#include "gamedata/ObjectGroupRecord.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zev::dialogs {

using mission::MissionObjectRecord;

namespace {

QComboBox* namedCombo(const char* name, std::span<const char* const> items) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : items)
        box->addItem(QString::fromLatin1(item));
    box->lineEdit()->setMaxLength(24);
    return box;
}

void showCombo(QComboBox* box, const std::string& text) {
    box->setCurrentIndex(box->findText(fromRecordText(text)));
    showStoredText(box, text);
}

// A field's label as the inspector shows it too: one description of the property fields.
QString label(const char* key) {
    const edit::ObjectPropertyField* field = edit::findObjectPropertyField(key);
    return field ? QString::fromLatin1(field->label) : QString::fromLatin1(key);
}

QPushButton* namedButton(const char* name, const char* text) {
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TObjectForm::TObjectForm(const MissionObjectRecord& record, ObjectPropertiesContext context,
                         QWidget* parent)
    : QDialog(parent), model_(record), context_(std::move(context)), result_(record) {
    setObjectName(QStringLiteral("ObjectForm"));
    setWindowTitle(QStringLiteral("Object Property"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);

    auto* triples = new QVBoxLayout;
    triples->addWidget(tripleBox("Scaling", "Scale", Scale));
    triples->addWidget(tripleBox("Object Position", "Position", Position));
    triples->addWidget(tripleBox("Main Rotation", "MainRotation", MainRotation));
    ChunkRotationBox = tripleBox("Chunk Rotation", "ChunkRotation", ChunkRotation);
    AlternateRotationBox = tripleBox("Alternate Rotation", "AlternateRotation", AlternateRotation);
    triples->addWidget(ChunkRotationBox);
    triples->addWidget(AlternateRotationBox);
    triples->addStretch();
    columns->addLayout(triples);

    const RadioGroup main =
        radioGroup(this, "MainType", "Main Type", gamedata::kCollisionTypes, -1);
    const RadioGroup alternate =
        radioGroup(this, "AlternateType", "Alternate Type", gamedata::kCollisionTypes, -1);
    MainTypeBox = main.box;
    MainType = main.buttons;
    AlternateTypeBox = alternate.box;
    AlternateType = alternate.buttons;
    auto* types = new QVBoxLayout;
    types->addWidget(MainTypeBox);
    types->addWidget(AlternateTypeBox);
    columns->addLayout(types);

    auto* details = new QFormLayout;
    HitsToDestroy = namedEdit("HitsToDestroy", "");
    CollisionOn = namedCheck("CollisionOn", "Collision On", false);
    CanTarget = namedCheck("CanTarget", "Can Target", false);
    Gamething = new QGroupBox(QStringLiteral("Gamething"));
    Gamething->setObjectName(QStringLiteral("Gamething"));
    auto* roles = new QHBoxLayout(Gamething);
    Roles = {namedCheck("Defend", "Defend", false), namedCheck("Destroy", "Destroy", false),
             namedCheck("Recon", "Recon", false)};
    for (QCheckBox* box : Roles)
        roles->addWidget(box);
    ObjectType = namedCombo("ObjectType", edit::kPropertyObjectTypes);
    ObjectParent = namedCombo("ObjectParent", edit::kPropertyObjectParents);
    Alternate = namedEdit("Alternate", "", 24);
    TargetingInfo = namedEdit("TargetingInfo", "", 29);
    InspectionInfo = namedEdit("InspectionInfo", "", 49);
    AreaFile = new QSpinBox;
    AreaFile->setObjectName(QStringLiteral("AreaFile"));
    AreaFile->setRange(edit::kAreaFileMin, edit::kAreaFileMax);
    // The number changes by the arrows only.
    AreaFile->findChild<QLineEdit*>()->setReadOnly(true);
    details->addRow(label("hits_to_destroy"), HitsToDestroy);
    details->addRow(CollisionOn);
    details->addRow(CanTarget);
    details->addRow(Gamething);
    details->addRow(label("object_type"), ObjectType);
    details->addRow(label("object_parent"), ObjectParent);
    details->addRow(label("alternate"), Alternate);
    details->addRow(label("targeting_info"), TargetingInfo);
    details->addRow(label("inspection_info"), InspectionInfo);
    details->addRow(label("area_file"), AreaFile);
    columns->addLayout(details);

    auto* tasks = new QHBoxLayout;
    const std::pair<QPushButton*, void (TObjectForm::*)()> taskButtons[] = {
        {namedButton("SpinnerBtn", "Spinner"), &TObjectForm::SpinnerBtnClick},
        {namedButton("ColorSpinner", "Color Spinner"), &TObjectForm::ColorSpinnerClick},
        {namedButton("FlyCircle", "Fly Circle"), &TObjectForm::FlyCircleClick},
        {namedButton("Path", "Path"), &TObjectForm::PathClick},
        {namedButton("BitBtn4", "Ambient Snd"), &TObjectForm::BitBtn4Click},
    };
    for (const auto& [button, slot] : taskButtons) {
        connect(button, &QPushButton::clicked, this, slot);
        tasks->addWidget(button);
    }
    layout->addLayout(tasks);

    auto* summary = new QGroupBox(QString::fromLatin1(edit::kSummaryTitle));
    auto* summaryLayout = new QVBoxLayout(summary);
    AnimationSettings = new QListWidget;
    AnimationSettings->setObjectName(QStringLiteral("AnimationSettings"));
    summaryLayout->addWidget(AnimationSettings);
    layout->addWidget(summary);

    addOkCancel(this, layout, [this] { BitBtn1Click(); });
    FormShow();
}

void TObjectForm::FormShow() {
    const edit::ObjectPropertyValues& v = model_.shown();
    const auto fill = [](Triple& edits, const std::array<std::string, 3>& texts) {
        for (std::size_t axis = 0; axis < 3; ++axis)
            showStoredText(edits[axis], texts[axis]);
    };
    fill(Scale, v.scale);
    fill(Position, v.position);
    fill(MainRotation, v.mainRotation);
    fill(ChunkRotation, v.chunkRotation);
    fill(AlternateRotation, v.alternateRotation);
    showStoredText(HitsToDestroy, v.hitsToDestroy);
    CollisionOn->setChecked(v.collisionOn);
    CanTarget->setChecked(v.canTarget);
    for (std::size_t i = 0; i < Roles.size(); ++i)
        Roles[i]->setChecked(v.roles[i]);
    if (auto* button = MainType->button(v.mainType))
        button->setChecked(true);
    if (auto* button = AlternateType->button(v.alternateType))
        button->setChecked(true);
    showCombo(ObjectType, v.objectType);
    showCombo(ObjectParent, v.objectParent);
    showStoredText(Alternate, v.alternateName);
    showStoredText(TargetingInfo, v.targetingInfo);
    showStoredText(InspectionInfo, v.inspectionInfo);
    AreaFile->setValue(v.areaFile);

    const bool enabled = model_.detailsEnabled();
    for (QWidget* w : std::initializer_list<QWidget*>{
             CollisionOn, CanTarget, HitsToDestroy, ChunkRotationBox, AlternateRotationBox,
             MainTypeBox, Gamething, AlternateTypeBox, ObjectType, ObjectParent, TargetingInfo,
             InspectionInfo, Alternate, AreaFile})
        w->setEnabled(enabled);

    showSummary();
    setWindowTitle(fromRecordText(model_.caption()));
}

edit::ObjectPropertyValues TObjectForm::controls() const {
    edit::ObjectPropertyValues v;
    const auto read = [](const Triple& edits, std::array<std::string, 3>& texts) {
        for (std::size_t axis = 0; axis < 3; ++axis)
            texts[axis] = toRecordText(edits[axis]->text());
    };
    read(Scale, v.scale);
    read(Position, v.position);
    read(MainRotation, v.mainRotation);
    read(ChunkRotation, v.chunkRotation);
    read(AlternateRotation, v.alternateRotation);
    v.hitsToDestroy = toRecordText(HitsToDestroy->text());
    v.collisionOn = CollisionOn->isChecked();
    v.canTarget = CanTarget->isChecked();
    for (std::size_t i = 0; i < Roles.size(); ++i)
        v.roles[i] = Roles[i]->isChecked();
    v.mainType = MainType->checkedId();
    v.alternateType = AlternateType->checkedId();
    v.objectType = toRecordText(ObjectType->currentText());
    v.objectParent = toRecordText(ObjectParent->currentText());
    v.alternateName = toRecordText(Alternate->text());
    v.targetingInfo = toRecordText(TargetingInfo->text());
    v.inspectionInfo = toRecordText(InspectionInfo->text());
    v.areaFile = AreaFile->value();
    return v;
}

void TObjectForm::showSummary() {
    AnimationSettings->clear();
    for (const std::string& line : model_.summary())
        AnimationSettings->addItem(fromRecordText(line));
}

void TObjectForm::BitBtn1Click() {
    result_ = model_.compose(controls());
    accept();
}

void TObjectForm::SpinnerBtnClick() {
    TSpinnerForm form(model_.tasks().spinner(), this);
    if (form.exec() == QDialog::Accepted)
        model_.tasks().setSpinner(form.values());
    showSummary();
}

void TObjectForm::ColorSpinnerClick() {
    TColorSpinForm form(model_.tasks().colorSpin(), this);
    if (form.exec() == QDialog::Accepted)
        model_.tasks().setColorSpin(form.values());
    showSummary();
}

void TObjectForm::FlyCircleClick() {
    TFlyCircleForm form(model_.tasks().flyCircle(), this);
    if (form.exec() == QDialog::Accepted)
        model_.tasks().setFlyCircle(form.values());
    showSummary();
}

void TObjectForm::PathClick() {
    TPathForm form(model_.tasks().path(), this);
    if (form.exec() == QDialog::Accepted)
        model_.tasks().setPath(form.values());
    showSummary();
}

void TObjectForm::BitBtn4Click() {
    TAmbientSoundForm form(model_.tasks().ambientSound(),
                           edit::ambientSoundChoices(context_.archivePath), this);
    if (form.exec() == QDialog::Accepted)
        model_.tasks().setAmbientSound(form.values());
    showSummary();
}

std::optional<MissionObjectRecord> editObjectProperties(const MissionObjectRecord& record,
                                                        const ObjectPropertiesContext& context,
                                                        QWidget* parent) {
    TObjectForm form(record, context, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.result();
}

} // namespace zev::dialogs
