#pragma once

#include "edit/NavPointSetting.h"
#include "mission/NavPointRecord.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;

namespace zev::dialogs {

// "Nav Point Setting": one nav point slot's position, heading, enable state, radius, actions and
// text. OK composes the new record; Cancel leaves `result()` as given.
class TINavPointForm : public QDialog {
    Q_OBJECT
public:
    explicit TINavPointForm(const mission::NavPointRecord& record, QWidget* parent = nullptr);
    // The record OK composed; the record as given until then.
    const mission::NavPointRecord& result() const { return result_; }

public slots:
    void UndoBtnClick();
    void EraseBtnClick();
    void BitBtn2Click();

private:
    void showValues(const edit::NavPointValues& values);
    edit::NavPointValues controls() const;

    mission::NavPointRecord record_;
    mission::NavPointRecord result_;
    QCheckBox* UseNav;
    QLineEdit *PosX, *PosY, *PosZ, *Heading;
    QCheckBox* EnableNav;
    QLineEdit *GroupId, *Radius;
    std::array<QCheckBox*, edit::kNavActionCount> Actions;
    QLineEdit* NavText;
};

} // namespace zev::dialogs
