#pragma once

#include "mission/WeatherRecord.h"

#include <array>
#include <iterator>
#include <string>

// The weather dialog's controls and the weather record they are filled from and written to.
namespace zev::edit {

// The "Type" choices; the record's type index is a position here.
inline constexpr const char* kWeatherTypes[] = {"Standard", "Rain", "Hail", "Snow"};
inline constexpr int kWeatherTypeCount = int(std::size(kWeatherTypes));
// Each text field holds its width less one.
inline constexpr int kWeatherTextMaxLength = int(mission::WeatherRecord::parsec.width) - 1;

struct WeatherValues {
    int type = -1; // position in kWeatherTypes; -1: none checked
    std::string particlesPerSecond;
    std::array<std::string, 3> velocity; // X, Y, Z
    friend bool operator==(const WeatherValues&, const WeatherValues&) = default;
};

// What the controls show. A type index that names no type shows none checked.
WeatherValues weatherValues(const mission::WeatherRecord& weather);
// The record OK writes: the four texts (cut to their fields) and the type index; none checked
// keeps the record's type.
mission::WeatherRecord composeWeather(const mission::WeatherRecord& weather,
                                      const WeatherValues& values);

} // namespace zev::edit
