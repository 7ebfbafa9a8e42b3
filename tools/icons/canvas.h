#pragma once
// A tiny supersampled painter for 32 x 32 icon artwork: shapes are painted in order onto
// sub-pixel samples, then averaged into pixels with a coverage value.
#include <cstdint>
#include <functional>
#include <vector>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Pixel {
    Rgb colour;
    bool opaque = false;
};

// A region of the icon's plane, in pixel units (0..32 on both axes, y pointing down).
using Region = std::function<bool(double x, double y)>;

class IconCanvas {
public:
    static constexpr int kSize = 32;
    static constexpr int kSamples = 4;  // per axis

    IconCanvas();
    void Paint(const Region& region, Rgb colour);
    // Averages the samples; a pixel is opaque when at least half its samples are painted.
    std::vector<Pixel> Resolve() const;

private:
    struct Sample {
        Rgb colour;
        bool painted = false;
    };
    std::vector<Sample> samples_;
};

Region Ellipse(double cx, double cy, double rx, double ry);
Region RoundRect(double x0, double y0, double x1, double y1, double radius);
// The ring between two circles around (cx, cy), kept where y is at least `min_y`.
Region ArcBand(double cx, double cy, double inner, double outer, double min_y);
