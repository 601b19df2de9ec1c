#pragma once

#include "edit/EnvironmentModel.h"
#include "mission/MissionHeader.h"

#include <QDialog>
#include <QSize>

#include <array>
#include <filesystem>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QSlider;

namespace zev::dialogs {

// "Mission Enviroment": gravity, time, temperature, heights, friction, light, clipping, the
// palette and ground texture and the sky, ground, fog and star flags of the mission header.
// The palette and texture lists come from the program's settings file. OK composes a new header.
class TEnviromentForm : public QDialog {
    Q_OBJECT
public:
    TEnviromentForm(const mission::MissionHeader& header, std::filesystem::path iniFile,
                    QWidget* parent = nullptr);
    // The header OK composed; the header as given until then.
    const mission::MissionHeader& result() const { return result_; }

public slots:
    void FormShow();
    void BitBtn1Click();

private:
    QWidget* physicsColumn();
    QWidget* flagsColumn();
    QWidget* lightColumn();
    edit::EnvironmentValues controls() const;

    mission::MissionHeader header_;
    std::filesystem::path iniFile_;
    edit::EnvironmentValues shown_;
    mission::MissionHeader result_;

    QSlider *Gravity, *Temperature, *Light;
    QLineEdit *SecondsInDay, *DaysInYear, *MaxJumpHeight, *MinimumHeight, *MaximumHeight,
        *CoefFriction, *ShadeDistance, *Near, *Far;
    std::array<QLineEdit*, 3> LightSource;
    QCheckBox *CanEject, *HideSky, *HideGround, *HideHorizon, *FogWorld, *StarWorld;
    QButtonGroup *StartLight, *LightKind;
    QListWidget *ColorPallette, *GroundTexture;
};

// Runs the environment dialog modally over a copy of `header`, offering the palettes and ground
// textures `iniFile` lists: the new header on OK, nothing on Cancel. In full screen pass the
// screen's size: a screen below 640 x 480 gets the dialog fitted to it.
std::optional<mission::MissionHeader>
editEnvironment(const mission::MissionHeader& header, const std::filesystem::path& iniFile,
                QWidget* parent, std::optional<QSize> fullScreen = std::nullopt);

} // namespace zev::dialogs
