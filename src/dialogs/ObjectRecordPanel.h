#pragma once

#include "edit/ObjectRecordValues.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace zev::dialogs {

// The record controls of both object database editors: names, types, targeting, hits, the
// check boxes, scales, rotations and the two collision type radio groups, plus "RMG Object" for
// the full editor. Every change of any of them is announced by `changed`, filling included.
class ObjectRecordPanel : public QWidget {
    Q_OBJECT
public:
    explicit ObjectRecordPanel(bool withReadyMadeBox, QWidget* parent = nullptr);

    edit::ObjectRecordValues values() const;
    void setValues(const edit::ObjectRecordValues& values);
    // The ready-made rule's locked controls.
    void setDetailsEnabled(bool enabled);

signals:
    void changed();

private:
    using Triple = std::array<QLineEdit*, 3>;

    QLineEdit *Object, *MenuText, *AlternateName, *Chunk, *TargetingInfo, *HitsToDestroy;
    QComboBox *ObjectType, *ObjectParent;
    QCheckBox *CollisionOn, *CanTarget, *RMGObject = nullptr;
    Triple Scale, MainRotation, AlternateRotation, ChunkRotation;
    QGroupBox *ScaleBox, *AlternateRotationBox, *ChunkRotationBox, *MainTypeBox, *AlternateTypeBox;
    QButtonGroup *MainType, *AlternateType;
};

} // namespace zev::dialogs
