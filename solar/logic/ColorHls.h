#pragma once
// Colours of the calendar: the hue-luminance-saturation conversion on the 0..240
// scale of the Windows colour dialog (the integer algorithm of the Windows
// ColorRGBToHLS / ColorHLSToRGB functions), the contrast rule of the hovered
// caption buttons and the table of colour styles.
#include <cstdint>
#include <optional>

#include "solar/logic/SolarTypes.h"

namespace orv::color {

inline constexpr int kHlsMax = 240;
inline constexpr int kRgbMax = 255;
// The hue a grey gets, as the Windows conversion gives it.
inline constexpr int kUndefinedHue = kHlsMax * 2 / 3;
// The luminance gap the contrast rule keeps between the two gradient colours.
inline constexpr int kContrastGap = 80;

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

struct Hls {
    int h = 0, l = 0, s = 0;
    friend constexpr bool operator==(const Hls&, const Hls&) = default;
};

Hls RgbToHls(Rgb c);
Rgb HlsToRgb(Hls c);

// Pushes the luminances of a and b apart until they differ by at least 80,
// raising the brighter one while it can and lowering the other otherwise.
void ChangeColor(Rgb& a, Rgb& b);

struct StyleColors {
    Rgb CaptionStart, CaptionStop, BodyStart, BodyStop, TodayLine, SelectBrush, DisableMonth, VacationDay,
        NormalDay;
};

// The nine colours of a style; none for csCustom.
std::optional<StyleColors> StyleRow(TColorStyle style);

}  // namespace orv::color
