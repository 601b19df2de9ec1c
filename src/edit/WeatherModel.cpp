#include "WeatherModel.h"

namespace zev::edit {

using mission::WeatherRecord;
using W = WeatherRecord;

WeatherValues weatherValues(const WeatherRecord& weather) {
    const int type = weather.int32(W::type);
    return {type >= 0 && type < kWeatherTypeCount ? type : -1,
            weather.text(W::parsec),
            {weather.text(W::velocityX), weather.text(W::velocityY), weather.text(W::velocityZ)}};
}

WeatherRecord composeWeather(const WeatherRecord& weather, const WeatherValues& values) {
    WeatherRecord out = weather;
    if (values.type >= 0 && values.type < kWeatherTypeCount)
        out.setInt32(W::type, values.type);
    out.setText(W::parsec, values.particlesPerSecond);
    out.setText(W::velocityX, values.velocity[0]);
    out.setText(W::velocityY, values.velocity[1]);
    out.setText(W::velocityZ, values.velocity[2]);
    return out;
}

} // namespace zev::edit
