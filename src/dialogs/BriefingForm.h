#pragma once

#include "build/BriefingColours.h"
#include "common/Reporter.h"
#include "edit/BriefingSettings.h"
#include "mission/MissionDocument.h"
#include "platform/CdAudio.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTextEdit;

namespace zev::dialogs {

// "Briefing Room": the project name, mission title, music track and multiplayer limits, and the
// three briefing pages Main, Team A and Team B in colour. The main window makes it once and
// shows it for each edit; the CD player lives while it is shown. The window keeps what was typed
// in it: closing it without OK (Esc, Cancel, the close button) loses nothing, and the next show
// loads from the document only what changed there since the window last loaded or stored it.
class TBriefingForm : public QDialog {
    Q_OBJECT
public:
    using Pages = std::array<std::vector<std::uint8_t>, mission::kBriefingCount>;
    struct Result {
        mission::MissionHeader header;
        Pages briefings;
    };

    TBriefingForm(common::Reporter& reporter, QWidget* parent = nullptr);
    ~TBriefingForm() override;

    // Shows the window modally over the document's values: what to store on OK, nothing on
    // Cancel.
    std::optional<Result> edit(const mission::MissionDocument& document);

    // Where the player gets its drive (tests give it one of their own).
    using PlayerMaker = std::function<std::unique_ptr<platform::TCD32>()>;
    void setPlayerMaker(PlayerMaker maker) { makePlayer_ = std::move(maker); }
    platform::TCD32* player() const { return cd_.get(); }

public slots:
    void FormShow();
    void OkBtnClick();
    void CancelBtnClick();
    void WhiteBtnClick();
    void RedBtnClick();
    void GreenBtnClick();
    void BlueBtnClick();
    void PlayClick();
    void StopClick();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void colourSelection(const build::Rgb& colour);
    edit::BriefingSettings controls() const;
    static void checkMekGroup(QButtonGroup* group, int id);

    // What the controls were last loaded from (or stored into) the document.
    struct Loaded {
        edit::BriefingSettings settings;
        Pages pages;
    };

    common::Reporter& reporter_;
    std::optional<Loaded> loaded_;
    PlayerMaker makePlayer_;
    std::unique_ptr<platform::TCD32> cd_;
    const mission::MissionDocument* document_ = nullptr;
    std::optional<Result> result_;

    QLineEdit *ProjectName, *MissionTitle, *MusicTrack;
    QSpinBox* Players;
    QRadioButton *FreeForAll, *Team;
    QButtonGroup *TeamA, *TeamB;
    QTabWidget* Pages_;
    std::array<QTextEdit*, mission::kBriefingCount> BrfEdit{};
};

} // namespace zev::dialogs
