#pragma once

#include "edit/PlatformOptionsModel.h"
#include "mission/MissionHeader.h"

#include <QDialog>

#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace zev::dialogs {

// "3dfx Mission Options": the game build the mission is for and the ground, light, fog and sky
// values of the patched builds. Controls a build does not use are disabled but keep their
// values. OK composes a new header.
class TPlatform : public QDialog {
    Q_OBJECT
public:
    explicit TPlatform(const mission::MissionHeader& header, QWidget* parent = nullptr);
    // The header OK composed; the header as given until then.
    const mission::MissionHeader& result() const { return result_; }

public slots:
    void FormCreate();
    void MissionTypeClick();
    void BitBtn1Click();

private:
    struct Field {
        int option;
        const char* label;
        const char* name;
    };
    QGroupBox* optionGroup(const char* title, const char* name, std::initializer_list<Field> rows);
    void addEdits(QGridLayout* grid, int row, std::initializer_list<Field> fields);
    QGroupBox* lightGroup(const char* title, const char* prefix, int firstOption, int light);

    mission::MissionHeader header_;
    mission::MissionHeader result_;

    QButtonGroup* MissionType;
    QCheckBox* SkyDome;
    // The edit of each option by index; none for the light kinds.
    std::array<QLineEdit*, edit::kPlatformOptionCount> options_{};
    // World light A and B: "Point" (id 0) and "Directional" (id 1).
    std::array<QButtonGroup*, 2> lightKinds_{};
};

// Runs the 3dfx options dialog modally over a copy of `header`: the new header on OK, nothing on
// Cancel.
std::optional<mission::MissionHeader> editPlatformOptions(const mission::MissionHeader& header,
                                                          QWidget* parent);

} // namespace zev::dialogs
