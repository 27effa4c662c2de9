// Sizes are designed in pixels at 96 dots per inch and shown at the density
// of the monitor a window is on.
#pragma once

#include <cstdint>

namespace quillbox {

constexpr int kDesignDpi = 96;

class TDpiScale {
public:
    constexpr TDpiScale() = default;
    // A density the system cannot tell (0 or less) is taken as the design's.
    explicit constexpr TDpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

    constexpr int Dpi() const { return dpi_; }
    // A 96-DPI design size at this density, rounded half away from zero.
    constexpr int Scale(int design) const { return MulDivRounded(design, dpi_, kDesignDpi); }
    // Pixels at this density in 96-DPI units, as the settings file keeps them.
    constexpr int Unscale(int pixels) const { return MulDivRounded(pixels, kDesignDpi, dpi_); }
    // Pixels shown at another density, as many at this one.
    constexpr int From(int pixels, TDpiScale other) const { return MulDivRounded(pixels, dpi_, other.dpi_); }

    constexpr bool operator==(const TDpiScale&) const = default;

private:
    static constexpr int MulDivRounded(int value, int numerator, int denominator)
    {
        const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
        const std::int64_t half = denominator / 2;
        return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
    }

    int dpi_ = kDesignDpi;
};

}  // namespace quillbox
