#pragma once

#include "engine/Color.h"

namespace zev::engine {

enum class LightType {
    // Lights every face evenly.
    Ambient,
    // Shines in all directions from the origin of the frame that holds it.
    Point,
};

// A light; it shines once added to a frame (Frame::AddLight) and may be shared by frames.
class Light {
public:
    Light(LightType type, Color color) : type_(type), color_(color) {}

    LightType GetType() const { return type_; }
    Color GetColor() const { return color_; }
    void SetColorRGB(float r, float g, float b) { color_ = {r, g, b, 1}; }

private:
    LightType type_;
    Color color_;
};

} // namespace zev::engine
