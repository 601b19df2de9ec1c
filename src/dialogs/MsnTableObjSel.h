#pragma once

#include "edit/TableEntry.h"

#include <QDialog>

#include <array>
#include <string>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zev::dialogs {

// "Mission Table Entry": one objective row on four pages (action; target and activation;
// general; sound). Every choice is written into the row at once; the table editor puts the row
// back when the dialog is cancelled. The groups of buttons share one slot each, which gets the
// button's index (Action1Click is ActionClick(0), TargetType3Click is TargetTypeClick(2)).
class TMsnTableObjSel : public QDialog {
    Q_OBJECT
public:
    TMsnTableObjSel(mission::ObjectiveRow& row, int rowIndex, int star, std::string project,
                    QWidget* parent = nullptr);

    const edit::TableEntryModel& model() const { return model_; }

public slots:
    void ActionClick(int index);
    void TargetTypeClick(int index);
    void UpDown5Click(int position);
    void TargetNameChange(const QString& text);
    void TargetObjNumChange(int value);
    void ActivationTypeClick(int index);
    void TargetStarChange(int index);
    void TableAndClick();
    void TableOrClick();
    void ObjectiveNumberChange(int value);
    void ActivationAddClick();
    void ActivationDelClick();
    void ActivationClearClick();
    void TimeLimitChange(int value);
    void TimeLimitNoneClick();
    void RequirementClick(int index);
    void PriorityClick(int index);
    void VisibilityClick(int index);
    void AIAttackClick(int index);
    void AIMPTChange(int value);
    void AIMPTNoneClick();
    void TextBoxChange(const QString& text);
    void SoundListClick();

private:
    QWidget* actionPage();
    QWidget* targetPage();
    QWidget* generalPage();
    QWidget* soundPage();
    void showTarget();
    void showActivations();
    void showGeneral();

    edit::TableEntryModel model_;
    std::array<QRadioButton*, 18> Action{};
    std::array<QRadioButton*, 5> TargetType{};
    std::array<QRadioButton*, 3> ActivationType{};
    std::array<QRadioButton*, 2> Requirement{};
    std::array<QRadioButton*, 4> Priority{};
    std::array<QRadioButton*, 2> Visibility{};
    std::array<QRadioButton*, 3> AIAttack{};
    QLineEdit* TargetName;
    QSpinBox* UpDown5;
    QSpinBox* TargetObjNum;
    QComboBox* TargetStar;
    QSpinBox* ObjectiveNumber;
    QRadioButton *TableAnd, *TableOr;
    QListWidget* ActivationTable;
    QSpinBox* TimeLimit;
    QSpinBox* AIMPT;
    QLineEdit* TextBox;
    QListWidget* SoundList;
    QLineEdit* BettySays;
};

} // namespace zev::dialogs
