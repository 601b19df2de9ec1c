#pragma once

#include "edit/ObjectPropertiesModel.h"
#include "mission/MissionObjectRecord.h"

#include <QDialog>

#include <array>
#include <filesystem>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zev::dialogs {

// What the property dialog needs besides the object.
struct ObjectPropertiesContext {
    // The project archive as configured: its sound section names the ambient sounds offered.
    std::filesystem::path archivePath;
};

// "Object Property": one placed object's scale, position, rotations, collision and targeting
// values, role, types, names, area file and, through the task buttons, its five animation
// tasks. Everything is edited in a working copy; OK composes the new record, Cancel forgets it.
class TObjectForm : public QDialog {
    Q_OBJECT
public:
    TObjectForm(const mission::MissionObjectRecord& record, ObjectPropertiesContext context,
                QWidget* parent = nullptr);
    // The record OK composed; the record as given until then.
    const mission::MissionObjectRecord& result() const { return result_; }

public slots:
    void FormShow();
    void BitBtn1Click();
    void SpinnerBtnClick();
    void ColorSpinnerClick();
    void FlyCircleClick();
    void PathClick();
    void BitBtn4Click();

private:
    using Triple = std::array<QLineEdit*, 3>;
    edit::ObjectPropertyValues controls() const;
    void showSummary();

    edit::ObjectPropertiesModel model_;
    ObjectPropertiesContext context_;
    mission::MissionObjectRecord result_;

    Triple Scale, Position, MainRotation, ChunkRotation, AlternateRotation;
    QGroupBox *ChunkRotationBox, *AlternateRotationBox;
    QLineEdit* HitsToDestroy;
    QCheckBox *CollisionOn, *CanTarget;
    QGroupBox* Gamething;
    std::array<QCheckBox*, 3> Roles;
    QGroupBox *MainTypeBox, *AlternateTypeBox;
    QButtonGroup *MainType, *AlternateType;
    QComboBox *ObjectType, *ObjectParent;
    QLineEdit *Alternate, *TargetingInfo, *InspectionInfo;
    QSpinBox* AreaFile;
    QListWidget* AnimationSettings;
};

// Runs the property dialog modally over a copy of `record`: the new record on OK, nothing on
// Cancel.
std::optional<mission::MissionObjectRecord>
editObjectProperties(const mission::MissionObjectRecord& record,
                     const ObjectPropertiesContext& context, QWidget* parent);

} // namespace zev::dialogs
