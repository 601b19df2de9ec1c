#pragma once

namespace zev::engine {

// A colour with components from 0 to 1.
struct Color {
    float r = 1;
    float g = 1;
    float b = 1;
    float a = 1;
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

// A colour from 8-bit components (value / 255).
constexpr Color ColorFromBytes(int r, int g, int b) {
    constexpr float kPerStep = 1.0f / 255.0f;
    return {static_cast<float>(r) * kPerStep, static_cast<float>(g) * kPerStep,
            static_cast<float>(b) * kPerStep, 1};
}

} // namespace zev::engine
