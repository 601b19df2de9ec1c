#include "EnviromentForm.h"

#include "FormParts.h"

#include "common/Numbers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace zev::dialogs {

using mission::MissionHeader;

namespace {

QSlider* namedSlider(const char* name, Qt::Orientation orientation, int min, int max) {
    auto* slider = new QSlider(orientation);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(min, max);
    slider->setTickPosition(orientation == Qt::Vertical ? QSlider::TicksRight
                                                        : QSlider::TicksBelow);
    slider->setTickInterval((max - min) / 10);
    return slider;
}

QString plainValue(int v) {
    return QString::number(v);
}
QString gravityValue(int v) {
    return QString::fromStdString(common::cFloat(v * 0.01, std::chars_format::fixed, 2));
}

// The value a bar stands at, kept up to date, so the designer can set it exactly.
QLabel* valueReadout(QSlider* bar, const char* name, QString (*shown)(int)) {
    auto* label = new QLabel(shown(bar->value()));
    label->setObjectName(QString::fromLatin1(name));
    QObject::connect(bar, &QSlider::valueChanged, label,
                     [label, shown](int v) { label->setText(shown(v)); });
    return label;
}

QHBoxLayout* captionRow(QLabel* caption, QLabel* value) {
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addStretch();
    row->addWidget(value);
    return row;
}

QLabel* namedLabel(const char* name, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QListWidget* namedList(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(QString::fromLatin1(name));
    list->setMaximumHeight(90);
    limitWidth(list, 18);
    return list;
}

void fillList(QListWidget* list, const std::vector<std::string>& names, const std::string& chosen) {
    list->clear();
    int row = -1;
    for (const std::string& name : names) {
        if (row < 0 && name == chosen)
            row = list->count();
        list->addItem(fromRecordText(name));
    }
    if (row >= 0)
        list->setCurrentRow(row);
}

// The selected entry, or `stored` when none is.
std::string chosenName(const QListWidget* list, const std::string& stored) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? stored : toRecordText(selected.front()->text());
}

// A text edit of the dialog, held narrow: most values are short numbers.
QLineEdit* textEdit(const char* name, int maxLength) {
    QLineEdit* edit = namedEdit(name, "", maxLength);
    limitWidth(edit, 10);
    return edit;
}

void setText(QLineEdit* edit, const std::string& text) {
    showStoredText(edit, text);
}

} // namespace

TEnviromentForm::TEnviromentForm(const MissionHeader& header, std::filesystem::path iniFile,
                                 QWidget* parent)
    : QDialog(parent), header_(header), iniFile_(std::move(iniFile)), result_(header) {
    setObjectName(QStringLiteral("EnviromentForm"));
    setWindowTitle(QStringLiteral("Mission Enviroment"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    columns->addWidget(physicsColumn());
    columns->addWidget(flagsColumn());
    columns->addWidget(lightColumn());
    layout->addLayout(columns);
    addOkCancel(this, layout, [this] { BitBtn1Click(); });
    FormShow();
}

QWidget* TEnviromentForm::physicsColumn() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;

    // The bar runs upward from 0.0; its marks stand beside it.
    auto* gravity = new QGridLayout;
    Gravity = namedSlider("Gravity", Qt::Vertical, 0, edit::kGravityBarMax);
    gravity->addWidget(namedLabel("GravityLabel", "Gravity"), 0, 0, 1, 2);
    gravity->addWidget(Gravity, 1, 0, 3, 1);
    gravity->addWidget(namedLabel("GravityMark2", "2.0"), 1, 1, Qt::AlignTop);
    gravity->addWidget(namedLabel("GravityMark1", "1.0"), 2, 1, Qt::AlignVCenter);
    gravity->addWidget(namedLabel("GravityMark0", "0.0"), 3, 1, Qt::AlignBottom);
    top->addLayout(gravity);

    auto* edits = new QFormLayout;
    SecondsInDay = textEdit("SecondsInDay", 34);
    DaysInYear = textEdit("DaysInYear", 24);
    MaxJumpHeight = textEdit("MaxJumpHeight", 34);
    MinimumHeight = textEdit("MinimumHeight", 34);
    MaximumHeight = textEdit("MaximumHeight", 34);
    CoefFriction = textEdit("CoefFriction", 24);
    ShadeDistance = textEdit("ShadeDistance", 34);
    edits->addRow(QStringLiteral("Seconds in a Day"), SecondsInDay);
    edits->addRow(QStringLiteral("Days in a Year"), DaysInYear);
    edits->addRow(QStringLiteral("Max Jump Height"), MaxJumpHeight);
    edits->addRow(QStringLiteral("Minimum Height"), MinimumHeight);
    edits->addRow(QStringLiteral("Maximum Height"), MaximumHeight);
    edits->addRow(QStringLiteral("Coef Friction"), CoefFriction);
    edits->addRow(QStringLiteral("Shade Distance"), ShadeDistance);
    top->addLayout(edits);
    layout->addLayout(top);

    Temperature = namedSlider("Temperature", Qt::Horizontal, edit::kTemperatureBarMin,
                              edit::kTemperatureBarMax);
    Temperature->setValue(-50);
    Light = namedSlider("Light", Qt::Horizontal, 0, edit::kLightBarMax);
    layout->addLayout(captionRow(namedLabel("TemperatureLabel", "Temperature"),
                                 valueReadout(Temperature, "TemperatureValue", plainValue)));
    layout->addWidget(Temperature);
    layout->addLayout(captionRow(namedLabel("LightLabel", "Light"),
                                 valueReadout(Light, "LightValue", plainValue)));
    layout->addWidget(Light);
    gravity->addWidget(valueReadout(Gravity, "GravityValue", gravityValue), 4, 0, 1, 2);
    layout->addStretch();
    return column;
}

QWidget* TEnviromentForm::flagsColumn() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    CanEject = namedCheck("CanEject", "Can Eject", false);
    HideSky = namedCheck("HideSky", "HideSky", false);
    HideGround = namedCheck("HideGround", "Hide ground", false);
    HideHorizon = namedCheck("HideHorizon", "Hide Horizon", false);
    FogWorld = namedCheck("FogWorld", "Fog World", false);
    StarWorld = namedCheck("StarWorld", "Star World", false);
    for (QCheckBox* box : {CanEject, HideSky, HideGround, HideHorizon, FogWorld, StarWorld})
        layout->addWidget(box);

    const RadioGroup startLight =
        radioGroup(this, "StartLight", "Start Light", edit::kStartLightNames, -1);
    StartLight = startLight.buttons;
    layout->addWidget(startLight.box);

    auto* clipping = new QGroupBox(QStringLiteral("Clipping"));
    clipping->setObjectName(QStringLiteral("Clipping"));
    auto* clip = new QFormLayout(clipping);
    Near = textEdit("Near", 34);
    Far = textEdit("Far", 34);
    clip->addRow(QStringLiteral("Near"), Near);
    clip->addRow(QStringLiteral("Far"), Far);
    layout->addWidget(clipping);
    layout->addStretch();
    return column;
}

QWidget* TEnviromentForm::lightColumn() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* source = new QGroupBox(QStringLiteral("Light Source"));
    source->setObjectName(QStringLiteral("LightSource"));
    auto* sourceLayout = new QFormLayout(source);
    static constexpr const char* axes[] = {"X", "Y", "Z"};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const std::string name = std::string("LightSource") + axes[axis];
        LightSource[axis] = textEdit(name.c_str(), 34);
        sourceLayout->addRow(QString::fromLatin1(axes[axis]), LightSource[axis]);
    }
    LightKind = new QButtonGroup(this);
    auto* kinds = new QHBoxLayout;
    for (const char* kind : {"Infinite", "Point"}) {
        auto* button = new QRadioButton(QString::fromLatin1(kind));
        button->setObjectName(QString::fromLatin1(kind));
        LightKind->addButton(button, LightKind->buttons().size());
        kinds->addWidget(button);
    }
    sourceLayout->addRow(kinds);
    layout->addWidget(source);

    ColorPallette = namedList("ColorPallette");
    GroundTexture = namedList("GroundTexture");
    layout->addWidget(namedLabel("ColorPalletteLabel", "Color Pallette"));
    layout->addWidget(ColorPallette);
    layout->addWidget(namedLabel("GroundTextureLabel", "Ground Texture"));
    layout->addWidget(GroundTexture);
    layout->addStretch();
    return column;
}

void TEnviromentForm::FormShow() {
    shown_ = edit::EnvironmentModel::fill(header_);
    const edit::EnvironmentValues& v = shown_;
    Gravity->setValue(v.gravity);
    setText(SecondsInDay, v.secondsInDay);
    setText(DaysInYear, v.daysInYear);
    Temperature->setValue(v.temperature);
    setText(MaxJumpHeight, v.maxJumpHeight);
    setText(MinimumHeight, v.minHeight);
    setText(MaximumHeight, v.maxHeight);
    setText(CoefFriction, v.coefFriction);
    setText(ShadeDistance, v.shadeDistance);
    CanEject->setChecked(v.canEject);
    HideSky->setChecked(v.hideSky);
    HideGround->setChecked(v.hideGround);
    HideHorizon->setChecked(v.hideHorizon);
    Light->setValue(v.light);
    if (auto* button = StartLight->button(v.startLight))
        button->setChecked(true);
    setText(Near, v.clipNear);
    setText(Far, v.clipFar);
    for (std::size_t axis = 0; axis < 3; ++axis)
        setText(LightSource[axis], v.lightSource[axis]);
    LightKind->button(v.pointLight ? 1 : 0)->setChecked(true);
    fillList(ColorPallette, edit::readChoiceList(iniFile_, edit::kPaletteSection), v.palette);
    fillList(GroundTexture, edit::readChoiceList(iniFile_, edit::kGroundTextureSection),
             v.groundTexture);
    FogWorld->setChecked(v.fog);
    StarWorld->setChecked(v.starWorld);
}

edit::EnvironmentValues TEnviromentForm::controls() const {
    edit::EnvironmentValues v;
    v.gravity = Gravity->value();
    v.secondsInDay = toRecordText(SecondsInDay->text());
    v.daysInYear = toRecordText(DaysInYear->text());
    v.temperature = Temperature->value();
    v.maxJumpHeight = toRecordText(MaxJumpHeight->text());
    v.minHeight = toRecordText(MinimumHeight->text());
    v.maxHeight = toRecordText(MaximumHeight->text());
    v.coefFriction = toRecordText(CoefFriction->text());
    v.shadeDistance = toRecordText(ShadeDistance->text());
    v.canEject = CanEject->isChecked();
    v.hideSky = HideSky->isChecked();
    v.hideGround = HideGround->isChecked();
    v.hideHorizon = HideHorizon->isChecked();
    v.light = Light->value();
    v.startLight = StartLight->checkedId();
    v.clipNear = toRecordText(Near->text());
    v.clipFar = toRecordText(Far->text());
    for (std::size_t axis = 0; axis < 3; ++axis)
        v.lightSource[axis] = toRecordText(LightSource[axis]->text());
    v.pointLight = LightKind->checkedId() == 1;
    v.palette = chosenName(ColorPallette, shown_.palette);
    v.groundTexture = chosenName(GroundTexture, shown_.groundTexture);
    v.fog = FogWorld->isChecked();
    v.starWorld = StarWorld->isChecked();
    return v;
}

void TEnviromentForm::BitBtn1Click() {
    result_ = edit::EnvironmentModel::compose(controls(), header_);
    accept();
}

std::optional<MissionHeader> editEnvironment(const MissionHeader& header,
                                             const std::filesystem::path& iniFile, QWidget* parent,
                                             std::optional<QSize> fullScreen) {
    TEnviromentForm form(header, iniFile, parent);
    if (fullScreen)
        fitToSmallScreen(&form, *fullScreen);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.result();
}

} // namespace zev::dialogs
