#pragma once

#include <cstdint>

namespace zev::engine {

// How faces are filled: the fill bits of a render-quality value.
enum class FillMode : std::uint32_t { Points = 0x000, Wireframe = 0x040, Solid = 0x080 };

// How faces are shaded: the shade bits of a render-quality value.
enum class ShadeMode : std::uint32_t { Flat = 0, Gouraud = 1, Phong = 2 };

// A render-quality value: fill bits (mask 0x1C0), the light bit 0x008 and shade bits (mask
// 0x007). The value itself is what menus store and devices take.
class RenderQuality {
public:
    static constexpr std::uint32_t kFillMask = 0x1C0;
    static constexpr std::uint32_t kLightBit = 0x008;
    static constexpr std::uint32_t kShadeMask = 0x007;
    // Gouraud shading, lights on, solid fill.
    static constexpr std::uint32_t kDefault = 0x89;

    constexpr RenderQuality() = default;
    constexpr explicit RenderQuality(std::uint32_t value) : value_(value) {}

    constexpr std::uint32_t Value() const { return value_; }

    // Fill bits beyond the solid value draw solid; shade values beyond Phong shade as Phong.
    constexpr FillMode Fill() const {
        const std::uint32_t bits = value_ & kFillMask;
        if (bits == 0x000)
            return FillMode::Points;
        if (bits == 0x040)
            return FillMode::Wireframe;
        return FillMode::Solid;
    }
    constexpr ShadeMode Shade() const {
        const std::uint32_t bits = value_ & kShadeMask;
        return bits >= 2 ? ShadeMode::Phong : static_cast<ShadeMode>(bits);
    }
    constexpr bool LightOn() const { return (value_ & kLightBit) != 0; }

    // The same value with the fill (or shade, or light) bits replaced.
    constexpr RenderQuality WithFill(FillMode fill) const {
        return RenderQuality((value_ & ~kFillMask) | static_cast<std::uint32_t>(fill));
    }
    constexpr RenderQuality WithShade(ShadeMode shade) const {
        return RenderQuality((value_ & ~kShadeMask) | static_cast<std::uint32_t>(shade));
    }
    constexpr RenderQuality WithLight(bool on) const {
        return RenderQuality(on ? value_ | kLightBit : value_ & ~kLightBit);
    }

    friend constexpr bool operator==(RenderQuality, RenderQuality) = default;

private:
    std::uint32_t value_ = kDefault;
};

} // namespace zev::engine
