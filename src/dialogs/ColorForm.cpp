#include "ColorForm.h"

#include "FormParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev::dialogs {

namespace {

using mission::PaletteRecord;

struct Group {
    const char* title;
    std::array<const char*, 4> rows;
    std::array<const char*, 4> controls;
};

// In entry order: four entries a group.
constexpr std::array<Group, 5> kGroups = {{
    {"Day", {"Standard", "Explosion", "Flash", "Smoke"}, {"DayStd", "DayExp", "DayFsh", "DaySmk"}},
    {"Dusk",
     {"Standard", "Explosion", "Flash", "Smoke"},
     {"DuskStd", "DuskExp", "DuskFsh", "DuskSmk"}},
    {"Night",
     {"Standard", "Explosion", "Flash", "Smoke"},
     {"NightStd", "NightExp", "NightFsh", "NightSmk"}},
    {"Infrared", {"Standard", "Explosion", "Flash", "Smoke"}, {"IrStd", "IrExp", "IrFsh", "IrSmk"}},
    {"Misc",
     {"Fade to mission", "Fade to-from Damage", "Cockpit", "Alternate"},
     {"MiscBlk", "MiscZap", "MiscInt", "MiscAlt"}},
}};
static_assert(kGroups.size() * 4 == PaletteRecord::entryCount);

const QString kFilter = QStringLiteral("Custom Color Palette Files (*.ccp)");

QPushButton* namedButton(const char* name, const char* text) {
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TColorForm::TColorForm(const PaletteRecord& palette, std::vector<std::string> choices,
                       common::Reporter& reporter, QWidget* parent)
    : QDialog(parent), model_(palette), choices_(std::move(choices)), reporter_(reporter),
      chooseFile_(chooseCustomPaletteFile) {
    setObjectName(QStringLiteral("ColorForm"));
    setWindowTitle(QStringLiteral("ZEVEDIT 3D Custom Color Pallette Builder"));
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QGridLayout;
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        auto* box = new QGroupBox(QString::fromLatin1(kGroups[g].title));
        box->setObjectName(QString::fromLatin1(kGroups[g].title));
        auto* rows = new QFormLayout(box);
        for (std::size_t r = 0; r < 4; ++r) {
            auto* combo = new QComboBox;
            combo->setObjectName(QString::fromLatin1(kGroups[g].controls[r]));
            combo->setEditable(true);
            // A typed name is the entry's text, never another list item.
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->lineEdit()->setMaxLength(int(edit::CustomPaletteModel::kNameChars));
            combo->setMinimumContentsLength(int(edit::CustomPaletteModel::kNameChars));
            rows->addRow(QString::fromLatin1(kGroups[g].rows[r]), combo);
            entries_[g * 4 + r] = combo;
        }
        groups->addWidget(box, int(g / 3), int(g % 3));
    }
    layout->addLayout(groups);
    CheckBox1 = namedCheck("CheckBox1", "Use custom color pallette for this mission", false);
    layout->addWidget(CheckBox1);

    auto* buttons = new QHBoxLayout;
    auto* load = namedButton("BitBtn3", "Load from File");
    connect(load, &QPushButton::clicked, this, &TColorForm::BitBtn3Click);
    auto* save = namedButton("BitBtn4", "Save to File");
    connect(save, &QPushButton::clicked, this, &TColorForm::BitBtn4Click);
    buttons->addWidget(load);
    buttons->addWidget(save);
    buttons->addStretch(1);
    addOkCancel(this, buttons, [this] { BitBtn1Click(); });
    layout->addLayout(buttons);
    FormCreate();
}

void TColorForm::FormCreate() {
    QStringList names;
    for (const std::string& name : choices_)
        names << fromRecordText(name);
    for (QComboBox* combo : entries_) {
        combo->clear();
        combo->addItems(names);
    }
    showNames();
    CheckBox1->setChecked(model_.useCustom());
}

void TColorForm::showNames() {
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        showStoredText(entries_[std::size_t(i)], model_.name(i));
}

void TColorForm::takeNames() {
    for (int i = 0; i < PaletteRecord::entryCount; ++i)
        model_.setName(i, toRecordText(entries_[std::size_t(i)]->currentText()));
    model_.setUseCustom(CheckBox1->isChecked());
}

void TColorForm::BitBtn1Click() {
    takeNames();
    accept();
}

void TColorForm::BitBtn3Click() {
    const auto path = chooseFile_(FileAction::Load, this);
    if (!path)
        return;
    takeNames();
    if (model_.loadFromFile(*path, reporter_))
        showNames();
}

void TColorForm::BitBtn4Click() {
    const auto path = chooseFile_(FileAction::Save, this);
    if (!path)
        return;
    takeNames();
    model_.saveToFile(*path, reporter_);
}

std::optional<std::filesystem::path> chooseCustomPaletteFile(TColorForm::FileAction action,
                                                             QWidget* parent) {
    const bool load = action == TColorForm::FileAction::Load;
    QFileDialog dialog(parent, load ? QStringLiteral("Load Custom Color Palette")
                                    : QStringLiteral("Save Custom Color Palette"));
    dialog.setObjectName(load ? QStringLiteral("OpenDialog") : QStringLiteral("SaveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(load ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (load)
        dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(kFilter);
    dialog.setDefaultSuffix(QStringLiteral("ccp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdU16String());
}

std::optional<PaletteRecord> editCustomPalette(const PaletteRecord& palette,
                                               const std::filesystem::path& iniFile,
                                               common::Reporter& reporter, QWidget* parent) {
    TColorForm form(palette, edit::readCustomPaletteChoices(iniFile), reporter, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.model().compose();
}

} // namespace zev::dialogs
