#include "ObjectRecordPanel.h"

#include "FormParts.h"

#include "gamedata/ObjectGroupRecord.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <initializer_list>

namespace zev::dialogs {

namespace {

QComboBox* namedCombo(const char* name, std::span<const char* const> items, int maxLength) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : items)
        box->addItem(QString::fromLatin1(item));
    box->lineEdit()->setMaxLength(maxLength);
    return box;
}

void showCombo(QComboBox* box, const std::string& text) {
    box->setCurrentIndex(box->findText(fromRecordText(text)));
    showStoredText(box, text);
}

// An exclusive group cannot uncheck its last button; -1 leaves none checked.
void showRadio(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

int chars(std::size_t count) {
    return int(count);
}

} // namespace

ObjectRecordPanel::ObjectRecordPanel(bool withReadyMadeBox, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ObjectRecord"));
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);

    auto* texts = new QFormLayout;
    Object = namedEdit("Object", "", chars(edit::kObjectNameChars));
    MenuText = namedEdit("MenuText", "", chars(edit::kMenuTextChars));
    AlternateName = namedEdit("AlternateName", "", chars(edit::kAlternateNameChars));
    Chunk = namedEdit("Chunk", "", chars(edit::kChunkChars));
    ObjectType = namedCombo("ObjectType", gamedata::kObjectTypes, chars(edit::kObjectTypeChars));
    ObjectParent =
        namedCombo("ObjectParent", gamedata::kObjectParents, chars(edit::kObjectParentChars));
    TargetingInfo = namedEdit("TargetingInfo", "", chars(edit::kTargetingInfoChars));
    HitsToDestroy = namedEdit("HitsToDestroy", "");
    CollisionOn = namedCheck("CollisionOn", "Collision On", false);
    CanTarget = namedCheck("CanTarget", "Can Target", false);
    texts->addRow(QStringLiteral("Object"), Object);
    texts->addRow(QStringLiteral("Menu text"), MenuText);
    texts->addRow(QStringLiteral("Alternate Name"), AlternateName);
    texts->addRow(QStringLiteral("Chunk"), Chunk);
    texts->addRow(QStringLiteral("Object Type"), ObjectType);
    texts->addRow(QStringLiteral("Object Parent"), ObjectParent);
    texts->addRow(QStringLiteral("Targeting Info"), TargetingInfo);
    texts->addRow(QStringLiteral("Hits to Destroy"), HitsToDestroy);
    texts->addRow(CollisionOn);
    texts->addRow(CanTarget);
    if (withReadyMadeBox) {
        RMGObject = namedCheck("RMGObject", "RMG Object", false);
        texts->addRow(RMGObject);
    }
    columns->addLayout(texts);

    auto* triples = new QVBoxLayout;
    ScaleBox = tripleBox("Scaling", "Scale", Scale, 8);
    triples->addWidget(ScaleBox);
    triples->addWidget(tripleBox("Main Rotation", "MainRotation", MainRotation, 8));
    AlternateRotationBox =
        tripleBox("Alternate Rotation", "AlternateRotation", AlternateRotation, 8);
    ChunkRotationBox = tripleBox("Chunk Rotation", "ChunkRotation", ChunkRotation, 8);
    triples->addWidget(AlternateRotationBox);
    triples->addWidget(ChunkRotationBox);
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
    columns->addWidget(MainTypeBox);
    columns->addWidget(AlternateTypeBox);

    const auto notify = [this] { emit changed(); };
    for (QLineEdit* edit : {Object, MenuText, AlternateName, Chunk, TargetingInfo, HitsToDestroy})
        connect(edit, &QLineEdit::textChanged, this, notify);
    for (const Triple* triple : {&Scale, &MainRotation, &AlternateRotation, &ChunkRotation})
        for (QLineEdit* edit : *triple)
            connect(edit, &QLineEdit::textChanged, this, notify);
    for (QComboBox* box : {ObjectType, ObjectParent})
        connect(box, &QComboBox::editTextChanged, this, notify);
    for (QCheckBox* box : {CollisionOn, CanTarget, RMGObject})
        if (box)
            connect(box, &QCheckBox::toggled, this, notify);
    for (QButtonGroup* group : {MainType, AlternateType})
        connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on)
                emit changed();
        });
}

edit::ObjectRecordValues ObjectRecordPanel::values() const {
    edit::ObjectRecordValues v;
    v.objectName = toRecordText(Object->text());
    v.menuText = toRecordText(MenuText->text());
    v.alternateName = toRecordText(AlternateName->text());
    v.chunk = toRecordText(Chunk->text());
    v.objectType = toRecordText(ObjectType->currentText());
    v.objectParent = toRecordText(ObjectParent->currentText());
    v.targetingInfo = toRecordText(TargetingInfo->text());
    v.hitsToDestroy = toRecordText(HitsToDestroy->text());
    v.collisionOn = CollisionOn->isChecked();
    v.canTarget = CanTarget->isChecked();
    const auto read = [](const Triple& edits, std::array<std::string, 3>& texts) {
        for (std::size_t axis = 0; axis < 3; ++axis)
            texts[axis] = toRecordText(edits[axis]->text());
    };
    read(Scale, v.scale);
    read(MainRotation, v.mainRotation);
    read(AlternateRotation, v.alternateRotation);
    read(ChunkRotation, v.chunkRotation);
    v.mainType = MainType->checkedId();
    v.alternateType = AlternateType->checkedId();
    v.readyMade = RMGObject && RMGObject->isChecked();
    return v;
}

void ObjectRecordPanel::setValues(const edit::ObjectRecordValues& v) {
    showStoredText(Object, v.objectName);
    showStoredText(MenuText, v.menuText);
    showStoredText(AlternateName, v.alternateName);
    showStoredText(Chunk, v.chunk);
    showCombo(ObjectType, v.objectType);
    showCombo(ObjectParent, v.objectParent);
    showStoredText(TargetingInfo, v.targetingInfo);
    showStoredText(HitsToDestroy, v.hitsToDestroy);
    CollisionOn->setChecked(v.collisionOn);
    CanTarget->setChecked(v.canTarget);
    const auto fill = [](Triple& edits, const std::array<std::string, 3>& texts) {
        for (std::size_t axis = 0; axis < 3; ++axis)
            showStoredText(edits[axis], texts[axis]);
    };
    fill(Scale, v.scale);
    fill(MainRotation, v.mainRotation);
    fill(AlternateRotation, v.alternateRotation);
    fill(ChunkRotation, v.chunkRotation);
    showRadio(MainType, v.mainType);
    showRadio(AlternateType, v.alternateType);
    if (RMGObject)
        RMGObject->setChecked(v.readyMade);
}

void ObjectRecordPanel::setDetailsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             AlternateName, Chunk, CollisionOn, CanTarget, HitsToDestroy, AlternateRotationBox,
             ChunkRotationBox, ScaleBox, ObjectType, ObjectParent, TargetingInfo, MainTypeBox,
             AlternateTypeBox})
        w->setEnabled(enabled);
}

} // namespace zev::dialogs
