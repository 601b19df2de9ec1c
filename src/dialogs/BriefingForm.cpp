#include "BriefingForm.h"

#include "BriefingPage.h"
#include "FormParts.h"

#include "build/BriefingColours.h"
#include "mission/ProjectName.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zev::dialogs {

namespace {

constexpr const char* kMekGroups[] = {"Clan", "Inner Sphere", "Both"};
constexpr const char* kPageTitles[] = {"Main", "Team A", "Team B"};

QButtonGroup* mekGroupBox(QWidget* owner, QBoxLayout* layout, const char* team, const char* title) {
    auto* box = new QGroupBox(QString::fromLatin1(title));
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < edit::kMekGroupCount; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(kMekGroups[i]));
        button->setObjectName(QString::fromLatin1(team) +
                              QString::fromLatin1(kMekGroups[i]).remove(QLatin1Char(' ')));
        group->addButton(button, i);
        row->addWidget(button);
    }
    layout->addWidget(box);
    return group;
}

QPushButton* colourButton(const char* name, const char* text, const build::Rgb& colour) {
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    // A swatch of its colour; it leaves the focus in the page, so typing goes on in the colour.
    const bool light = colour.red + colour.green + colour.blue > 600;
    button->setStyleSheet(QStringLiteral("QPushButton { background: rgb(%1, %2, %3); color: %4; "
                                         "border: 1px solid gray; padding: 4px 10px; }")
                              .arg(colour.red)
                              .arg(colour.green)
                              .arg(colour.blue)
                              .arg(light ? QStringLiteral("black") : QStringLiteral("white")));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TBriefingForm::TBriefingForm(common::Reporter& reporter, QWidget* parent)
    : QDialog(parent), reporter_(reporter),
      makePlayer_([] { return std::make_unique<platform::TCD32>(); }) {
    setObjectName(QStringLiteral("TBriefingForm"));
    setWindowTitle(QStringLiteral("Briefing Room"));
    setModal(true);
    auto* outer = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    ProjectName = namedEdit("ProjectName", "", int(mission::kProjectNameMaxLength));
    MissionTitle = namedEdit("MissionTitle", "", edit::kMissionTitleMaxLength);
    MusicTrack = namedEdit("MusicTrack", "", edit::kMusicTrackMaxLength);
    Players = new QSpinBox;
    Players->setObjectName(QStringLiteral("Players"));
    Players->setRange(edit::kMinPlayers, edit::kMaxPlayers);
    form->addRow(QStringLiteral("Project Name"), ProjectName);
    form->addRow(QStringLiteral("Mission Title"), MissionTitle);
    auto* music = new QHBoxLayout;
    music->addWidget(MusicTrack);
    auto* play = new QPushButton(QStringLiteral("Play"));
    play->setObjectName(QStringLiteral("Play"));
    play->setAutoDefault(false);
    auto* stop = new QPushButton(QStringLiteral("Stop"));
    stop->setObjectName(QStringLiteral("Stop"));
    stop->setAutoDefault(false);
    music->addWidget(play);
    music->addWidget(stop);
    form->addRow(QStringLiteral("Music Track"), music);
    form->addRow(QStringLiteral("Max Players"), Players);
    left->addLayout(form);

    auto* gameBox = new QGroupBox(QStringLiteral("Game Type"));
    auto* gameRow = new QHBoxLayout(gameBox);
    FreeForAll = new QRadioButton(QStringLiteral("Free For All"));
    FreeForAll->setObjectName(QStringLiteral("FreeForAll"));
    Team = new QRadioButton(QStringLiteral("Team Play"));
    Team->setObjectName(QStringLiteral("Team"));
    gameRow->addWidget(FreeForAll);
    gameRow->addWidget(Team);
    left->addWidget(gameBox);
    TeamA = mekGroupBox(this, left, "TeamA", "Team A Meks");
    TeamB = mekGroupBox(this, left, "TeamB", "Team B Meks");
    left->addStretch(1);
    outer->addLayout(left);

    auto* right = new QVBoxLayout;
    Pages_ = new QTabWidget;
    Pages_->setObjectName(QStringLiteral("BriefingPages"));
    for (int i = 0; i < mission::kBriefingCount; ++i) {
        auto* page = new QTextEdit;
        page->setObjectName(QStringLiteral("BrfEdit%1").arg(i));
        // The game shows its briefings light on dark; all four colours read well on it.
        page->setStyleSheet(QStringLiteral(
            "QTextEdit { background: rgb(16, 16, 16); color: rgb(200, 200, 200); }"));
        page->setMinimumSize(380, 260);
        BrfEdit[std::size_t(i)] = page;
        Pages_->addTab(page, QString::fromLatin1(kPageTitles[i]));
    }
    right->addWidget(Pages_, 1);
    auto* colours = new QHBoxLayout;
    auto* white = colourButton("WhiteBtn", "White", build::kBriefingWhite);
    auto* red = colourButton("RedBtn", "Red", build::kBriefingRed);
    auto* green = colourButton("GreenBtn", "Green", build::kBriefingGreen);
    auto* blue = colourButton("BlueBtn", "Blue", build::kBriefingBlue);
    for (QPushButton* b : {white, red, green, blue})
        colours->addWidget(b);
    colours->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OkBtn"));
    // Enter in a field is OK, as in every dialog; the pages take it as a line end.
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAutoDefault(false);
    colours->addWidget(ok);
    colours->addWidget(cancel);
    right->addLayout(colours);
    outer->addLayout(right, 1);

    connect(play, &QPushButton::clicked, this, &TBriefingForm::PlayClick);
    connect(stop, &QPushButton::clicked, this, &TBriefingForm::StopClick);
    connect(white, &QPushButton::clicked, this, &TBriefingForm::WhiteBtnClick);
    connect(red, &QPushButton::clicked, this, &TBriefingForm::RedBtnClick);
    connect(green, &QPushButton::clicked, this, &TBriefingForm::GreenBtnClick);
    connect(blue, &QPushButton::clicked, this, &TBriefingForm::BlueBtnClick);
    connect(ok, &QPushButton::clicked, this, &TBriefingForm::OkBtnClick);
    connect(cancel, &QPushButton::clicked, this, &TBriefingForm::CancelBtnClick);
}

TBriefingForm::~TBriefingForm() = default;

std::optional<TBriefingForm::Result> TBriefingForm::edit(const mission::MissionDocument& document) {
    document_ = &document;
    result_.reset();
    exec();
    document_ = nullptr;
    return std::move(result_);
}

void TBriefingForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Restoring the minimised window is a show by the window system: the controls and the
    // player stay as they are.
    if (!event->spontaneous())
        FormShow();
}

void TBriefingForm::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TBriefingForm::checkMekGroup(QButtonGroup* group, int id) {
    // An exclusive group unchecks its buttons only while it is not exclusive.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(group->id(b) == id);
    group->setExclusive(true);
}

void TBriefingForm::FormShow() {
    cd_ = makePlayer_ ? makePlayer_() : nullptr;
    if (!document_)
        return;
    const edit::BriefingSettings s = edit::briefingSettings(document_->header);
    if (!loaded_ || loaded_->settings != s) {
        showStoredText(ProjectName, s.projectName);
        showStoredText(MissionTitle, s.missionTitle);
        showStoredText(MusicTrack, s.musicTrack);
        Players->setValue(s.players);
        (s.freeForAll ? FreeForAll : Team)->setChecked(true);
        checkMekGroup(TeamA, s.teamAMekGroup);
        checkMekGroup(TeamB, s.teamBMekGroup);
    }
    for (std::size_t i = 0; i < BrfEdit.size(); ++i)
        if (!loaded_ || loaded_->pages[i] != document_->briefings[i])
            showBriefingPage(*BrfEdit[i]->document(), document_->briefings[i]);
    if (!loaded_)
        Pages_->setCurrentIndex(0);
    loaded_ = Loaded{s, document_->briefings};
    ProjectName->setFocus();
}

edit::BriefingSettings TBriefingForm::controls() const {
    edit::BriefingSettings s;
    s.projectName = toRecordText(ProjectName->text());
    s.missionTitle = toRecordText(MissionTitle->text());
    s.musicTrack = toRecordText(MusicTrack->text());
    s.players = Players->value();
    s.freeForAll = FreeForAll->isChecked();
    s.teamAMekGroup = TeamA->checkedId();
    s.teamBMekGroup = TeamB->checkedId();
    return s;
}

void TBriefingForm::OkBtnClick() {
    if (!document_)
        return reject();
    const edit::BriefingSettings s = controls();
    if (const char* problem = edit::briefingSettingsProblem(s)) {
        reporter_.report(problem, "ZEVEDIT 3D", common::MessageIcon::Information);
        ProjectName->setFocus();
        return;
    }
    Result result{document_->header, {}};
    edit::storeBriefingSettings(s, result.header);
    for (std::size_t i = 0; i < BrfEdit.size(); ++i)
        result.briefings[i] = storedBriefingPage(*BrfEdit[i]->document(), document_->briefings[i]);
    // What the document holds after OK is what the window shows now.
    loaded_ = Loaded{edit::briefingSettings(result.header), result.briefings};
    result_ = std::move(result);
    accept();
}

void TBriefingForm::CancelBtnClick() {
    reject();
}

void TBriefingForm::colourSelection(const build::Rgb& colour) {
    QTextCharFormat format;
    format.setForeground(QColor(colour.red, colour.green, colour.blue));
    for (QTextEdit* page : BrfEdit)
        page->mergeCurrentCharFormat(format);
}

void TBriefingForm::WhiteBtnClick() {
    colourSelection(build::kBriefingWhite);
}
void TBriefingForm::RedBtnClick() {
    colourSelection(build::kBriefingRed);
}
void TBriefingForm::GreenBtnClick() {
    colourSelection(build::kBriefingGreen);
}
void TBriefingForm::BlueBtnClick() {
    colourSelection(build::kBriefingBlue);
}

void TBriefingForm::PlayClick() {
    if (cd_)
        cd_->play(edit::musicTrackNumber(toRecordText(MusicTrack->text())));
}

void TBriefingForm::StopClick() {
    if (cd_)
        cd_->stop();
}

void TBriefingForm::FormClose() {
    cd_.reset();
}

} // namespace zev::dialogs
