#pragma once

#include "edit/WeatherModel.h"

#include <QDialog>

#include <array>
#include <optional>

class QButtonGroup;
class QLineEdit;

namespace zev::dialogs {

// "Weather Settings": the weather type, its particles per second and their velocity.
class TWeatherForm : public QDialog {
    Q_OBJECT
public:
    explicit TWeatherForm(const mission::WeatherRecord& weather, QWidget* parent = nullptr);
    // The record OK composed; the record as given until then.
    const mission::WeatherRecord& result() const { return result_; }

public slots:
    void FormCreate();
    void BitBtn1Click();

private:
    mission::WeatherRecord result_;

    QButtonGroup* Type;
    QLineEdit* ParticlesPerSecond;
    std::array<QLineEdit*, 3> Velocity;
};

// Runs the weather dialog modally over `weather`: the new record on OK, nothing on Cancel.
std::optional<mission::WeatherRecord> editWeather(const mission::WeatherRecord& weather,
                                                  QWidget* parent);

} // namespace zev::dialogs
