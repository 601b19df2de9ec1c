#include "StartPointForm.h"

#include "FormParts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace zev::dialogs {

namespace {

constexpr const char* kPlayerTabs[] = {"Player One",  "Player Two", "Player Three", "Player Four",
                                       "Player Five", "Player Six", "Player Seven", "Player Eight"};
static_assert(std::size(kPlayerTabs) == mission::kPlayerCount);

} // namespace

TStartPoint::TStartPoint(const edit::StartPointRecords& records, int firstPlayer, QWidget* parent)
    : QDialog(parent), model_(records), result_(records),
      shownPlayer_(std::clamp(firstPlayer, 1, mission::kPlayerCount)) {
    setObjectName(QStringLiteral("StartPoint"));
    setWindowTitle(QStringLiteral("Player Start Points"));
    auto* layout = new QVBoxLayout(this);

    PlayerTab = new QTabBar;
    PlayerTab->setObjectName(QStringLiteral("PlayerTab"));
    for (const char* text : kPlayerTabs)
        PlayerTab->addTab(QString::fromLatin1(text));
    layout->addWidget(PlayerTab);

    auto* page = new QHBoxLayout;
    auto* position = new QFormLayout;
    X = namedEdit("X", "", edit::kCoordinateMaxLength);
    Y = namedEdit("Y", "", edit::kCoordinateMaxLength);
    Z = namedEdit("Z", "", edit::kCoordinateMaxLength);
    Heading = namedEdit("Heading", "", edit::kHeadingMaxLength);
    position->addRow(QStringLiteral("X ="), X);
    position->addRow(QStringLiteral("Y ="), Y);
    position->addRow(QStringLiteral("Z ="), Z);
    position->addRow(QStringLiteral("Heading"), Heading);
    page->addLayout(position);
    const RadioGroup camouflage =
        radioGroup(this, "MekCamoPattern", "Mek Camo Pattern", edit::kCamouflagePatterns, -1);
    MekCamoPattern = camouflage.buttons;
    page->addWidget(camouflage.box);
    layout->addLayout(page);

    addOkCancel(this, layout, [this] { BitBtn1Click(); });
    FormCreate();
    // The tab bar tells of a change only once it is made, so the page being left is stored
    // from the player still shown before the new one is filled.
    connect(PlayerTab, &QTabBar::currentChanged, this, [this] {
        PlayerTabChanging();
        PlayerTabChange();
    });
}

void TStartPoint::FormCreate() {
    PlayerTab->setCurrentIndex(shownPlayer_ - 1);
    showPage(shownPlayer_);
}

void TStartPoint::PlayerTabChanging() {
    model_.store(shownPlayer_, controls());
}

void TStartPoint::PlayerTabChange() {
    shownPlayer_ = PlayerTab->currentIndex() + 1;
    showPage(shownPlayer_);
}

void TStartPoint::BitBtn1Click() {
    model_.store(shownPlayer_, controls());
    result_ = model_.records();
    accept();
}

void TStartPoint::showPage(int player) {
    const edit::StartPointValues v = model_.page(player);
    showStoredText(X, v.x);
    showStoredText(Y, v.y);
    showStoredText(Z, v.z);
    showStoredText(Heading, v.heading);
    if (auto* button = MekCamoPattern->button(v.camouflage)) {
        button->setChecked(true);
    } else if (auto* checked = MekCamoPattern->checkedButton()) {
        // An exclusive group keeps one button checked; a page with no pattern shows none.
        MekCamoPattern->setExclusive(false);
        checked->setChecked(false);
        MekCamoPattern->setExclusive(true);
    }
}

edit::StartPointValues TStartPoint::controls() const {
    return {toRecordText(X->text()), toRecordText(Y->text()), toRecordText(Z->text()),
            toRecordText(Heading->text()), MekCamoPattern->checkedId()};
}

std::optional<edit::StartPointRecords> editStartPoints(const edit::StartPointRecords& records,
                                                       int firstPlayer, QWidget* parent) {
    TStartPoint form(records, firstPlayer, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.result();
}

} // namespace zev::dialogs
