#include "WeatherForm.h"

#include "FormParts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zev::dialogs {

TWeatherForm::TWeatherForm(const mission::WeatherRecord& weather, QWidget* parent)
    : QDialog(parent), result_(weather) {
    setObjectName(QStringLiteral("WeatherForm"));
    setWindowTitle(QStringLiteral("Weather Settings"));
    auto* layout = new QVBoxLayout(this);

    const RadioGroup type = radioGroup(this, "Type", "Type", edit::kWeatherTypes, -1);
    Type = type.buttons;
    layout->addWidget(type.box);

    auto* particles = new QFormLayout;
    ParticlesPerSecond = namedEdit("ParticlesPerSecond", "", edit::kWeatherTextMaxLength);
    particles->addRow(QStringLiteral("Particles per second"), ParticlesPerSecond);
    layout->addLayout(particles);

    auto* velocity = new QGroupBox(QStringLiteral("Velocity"));
    velocity->setObjectName(QStringLiteral("Velocity"));
    auto* velocityRows = new QFormLayout(velocity);
    static constexpr const char* names[] = {"VelocityX", "VelocityY", "VelocityZ"};
    static constexpr const char* labels[] = {"X", "Y", "Z"};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        Velocity[axis] = namedEdit(names[axis], "", edit::kWeatherTextMaxLength);
        velocityRows->addRow(QString::fromLatin1(labels[axis]), Velocity[axis]);
    }
    layout->addWidget(velocity);

    addOkCancel(this, layout, [this] { BitBtn1Click(); });
    FormCreate();
}

void TWeatherForm::FormCreate() {
    const edit::WeatherValues v = edit::weatherValues(result_);
    if (auto* button = Type->button(v.type))
        button->setChecked(true);
    showStoredText(ParticlesPerSecond, v.particlesPerSecond);
    for (std::size_t axis = 0; axis < 3; ++axis)
        showStoredText(Velocity[axis], v.velocity[axis]);
}

void TWeatherForm::BitBtn1Click() {
    edit::WeatherValues v;
    v.type = Type->checkedId();
    v.particlesPerSecond = toRecordText(ParticlesPerSecond->text());
    for (std::size_t axis = 0; axis < 3; ++axis)
        v.velocity[axis] = toRecordText(Velocity[axis]->text());
    result_ = edit::composeWeather(result_, v);
    accept();
}

std::optional<mission::WeatherRecord> editWeather(const mission::WeatherRecord& weather,
                                                  QWidget* parent) {
    TWeatherForm form(weather, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.result();
}

} // namespace zev::dialogs
