#include "PlatformForm.h"

#include "FormParts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zev::dialogs {

using edit::PlatformOptionsModel;
using mission::MissionHeader;

TPlatform::TPlatform(const MissionHeader& header, QWidget* parent)
    : QDialog(parent), header_(header), result_(header) {
    setObjectName(QStringLiteral("Platform"));
    setWindowTitle(QStringLiteral("3dfx Mission Options"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);

    auto* left = new QVBoxLayout;
    const RadioGroup type =
        radioGroup(this, "MissionType", "Mission Type", edit::kMissionTypeNames, -1);
    MissionType = type.buttons;
    left->addWidget(type.box);
    SkyDome = namedCheck("SkyDome", "SkyDome", false);
    left->addWidget(SkyDome);
    left->addWidget(optionGroup("", "Ground",
                                {{0, "Global Intensity", "GlobalIntensity"},
                                 {1, "Ground Tile", "GroundTile"},
                                 {2, "Ground Delta", "GroundDelta"},
                                 {3, "Ground Max", "GroundMax"},
                                 {4, "Shadow Table", "ShadowTable"}}));
    options_[0]->setMaxLength(10);
    left->addStretch();
    columns->addLayout(left);

    auto* middle = new QVBoxLayout;
    auto* clipping = optionGroup("Ground Clipping", "GroundClipping", {});
    addEdits(
        static_cast<QGridLayout*>(clipping->layout()), 0,
        {{5, "X", "GroundClippingX"}, {6, "Y", "GroundClippingY"}, {7, "Z", "GroundClippingZ"}});
    middle->addWidget(clipping);
    auto* ambient = optionGroup("Ambient Light Color", "AmbientLightColor", {});
    addEdits(static_cast<QGridLayout*>(ambient->layout()), 0,
             {{8, "R", "AmbientR"}, {9, "G", "AmbientG"}, {10, "B", "AmbientB"}});
    middle->addWidget(ambient);
    middle->addWidget(lightGroup("World Light A", "LightA", 11, 0));
    middle->addWidget(lightGroup("World Light BA", "LightB", 18, 1));
    middle->addStretch();
    columns->addLayout(middle);

    auto* right = new QVBoxLayout;
    auto* fog = optionGroup("Fog", "Fog",
                            {{25, "R", "FogR"},
                             {26, "G", "FogG"},
                             {27, "B", "FogB"},
                             {28, "Y=", "FogY"},
                             {29, "M=", "FogM"},
                             {30, "Z=", "FogZ"}});
    right->addWidget(fog);
    auto* sky = optionGroup("Sky", "Sky",
                            {{31, "R", "SkyR"},
                             {32, "G", "SkyG"},
                             {33, "B", "SkyB"},
                             {34, "X=", "SkyX"},
                             {35, "Z=", "SkyZ"}});
    right->addWidget(sky);
    right->addStretch();
    columns->addLayout(right);

    connect(MissionType, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            MissionTypeClick();
    });
    addOkCancel(this, layout, [this] { BitBtn1Click(); });
    FormCreate();
}

// A group of labelled edits, one a row; more rows can be added to its grid.
QGroupBox* TPlatform::optionGroup(const char* title, const char* name,
                                  std::initializer_list<Field> rows) {
    auto* box = new QGroupBox(QString::fromLatin1(title));
    box->setObjectName(QString::fromLatin1(name));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(3);
    int row = 0;
    for (const Field& field : rows)
        addEdits(grid, row++, {field});
    return box;
}

void TPlatform::addEdits(QGridLayout* grid, int row, std::initializer_list<Field> fields) {
    int column = 0;
    for (const Field& field : fields) {
        auto* edit = namedEdit(field.name, "");
        // Floats show six decimals; the rest are short whole numbers.
        const bool isFloat =
            MissionHeader::dfxOptionKind(field.option) == MissionHeader::DfxKind::Float;
        limitWidth(edit, isFloat ? 11 : 6);
        options_[std::size_t(field.option)] = edit;
        grid->addWidget(new QLabel(QString::fromLatin1(field.label)), row, column++);
        grid->addWidget(edit, row, column++);
    }
}

// Red, green, blue; the kind; X, Y, Z, from `firstOption` on.
QGroupBox* TPlatform::lightGroup(const char* title, const char* prefix, int firstOption,
                                 int light) {
    auto* box = optionGroup(title, prefix, {});
    auto* grid = static_cast<QGridLayout*>(box->layout());
    const std::string p = prefix;
    const auto name = [&p](const char* suffix) { return p + suffix; };
    const std::string r = name("R"), g = name("G"), b = name("B");
    addEdits(grid, 0,
             {{firstOption, "R", r.c_str()},
              {firstOption + 1, "G", g.c_str()},
              {firstOption + 2, "B", b.c_str()}});
    auto* kinds = new QButtonGroup(this);
    auto* kindRow = new QHBoxLayout;
    for (const char* kind : {"Point", "Directional"}) {
        auto* button = new QRadioButton(QString::fromLatin1(kind));
        button->setObjectName(QString::fromStdString(name(kind)));
        kinds->addButton(button, kinds->buttons().size());
        kindRow->addWidget(button);
    }
    grid->addLayout(kindRow, 1, 0, 1, 6);
    lightKinds_[std::size_t(light)] = kinds;
    const std::string x = name("X"), y = name("Y"), z = name("Z");
    addEdits(grid, 2,
             {{firstOption + 4, "X", x.c_str()},
              {firstOption + 5, "Y", y.c_str()},
              {firstOption + 6, "Z", z.c_str()}});
    return box;
}

void TPlatform::FormCreate() {
    const edit::PlatformValues v = PlatformOptionsModel::fill(header_);
    for (std::size_t i = 0; i < options_.size(); ++i)
        if (options_[i])
            showStoredText(options_[i], v.options[i]);
    for (std::size_t light = 0; light < 2; ++light)
        lightKinds_[light]->button(v.directional[light] ? 1 : 0)->setChecked(true);
    SkyDome->setChecked(v.skyDome);
    MissionType->button(int(v.missionType))->setChecked(true);
    MissionTypeClick();
}

void TPlatform::MissionTypeClick() {
    const auto type = edit::MissionType(std::max(MissionType->checkedId(), 0));
    for (int i = 0; i < edit::kPlatformOptionCount; ++i)
        if (QLineEdit* edit = options_[std::size_t(i)])
            edit->setEnabled(PlatformOptionsModel::optionEnabled(type, i));
    for (std::size_t light = 0; light < 2; ++light) {
        const bool enabled =
            PlatformOptionsModel::optionEnabled(type, edit::kLightKindOptions[light]);
        for (QAbstractButton* button : lightKinds_[light]->buttons())
            button->setEnabled(enabled);
    }
    SkyDome->setEnabled(PlatformOptionsModel::skyDomeEnabled(type));
}

void TPlatform::BitBtn1Click() {
    edit::PlatformValues v;
    v.missionType = edit::MissionType(std::max(MissionType->checkedId(), 0));
    for (std::size_t i = 0; i < options_.size(); ++i)
        if (options_[i])
            v.options[i] = toRecordText(options_[i]->text());
    for (std::size_t light = 0; light < 2; ++light)
        v.directional[light] = lightKinds_[light]->checkedId() == 1;
    v.skyDome = SkyDome->isChecked();
    result_ = PlatformOptionsModel::compose(v, header_);
    accept();
}

std::optional<MissionHeader> editPlatformOptions(const MissionHeader& header, QWidget* parent) {
    TPlatform form(header, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.result();
}

} // namespace zev::dialogs
