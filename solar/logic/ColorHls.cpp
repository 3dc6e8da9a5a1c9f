#include "solar/logic/ColorHls.h"

#include <algorithm>
#include <cstdlib>

namespace orv::color {
namespace {

int HueToRgb(int n1, int n2, int hue) {
    if (hue < 0) hue += kHlsMax;
    if (hue > kHlsMax) hue -= kHlsMax;
    if (hue < kHlsMax / 6) return n1 + (((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6));
    if (hue < kHlsMax / 2) return n2;
    if (hue < kHlsMax * 2 / 3)
        return n1 + (((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6));
    return n1;
}

uint8_t ToByte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, kRgbMax)); }

}  // namespace

Hls RgbToHls(Rgb c) {
    const int r = c.r, g = c.g, b = c.b;
    const int cMax = std::max({r, g, b});
    const int cMin = std::min({r, g, b});
    Hls out;
    out.l = ((cMax + cMin) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (cMax == cMin) {
        out.s = 0;
        out.h = kUndefinedHue;
        return out;
    }
    const int sum = cMax + cMin;
    const int delta = cMax - cMin;
    if (out.l <= kHlsMax / 2)
        out.s = (delta * kHlsMax + sum / 2) / sum;
    else
        out.s = (delta * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);
    const int rDelta = ((cMax - r) * (kHlsMax / 6) + delta / 2) / delta;
    const int gDelta = ((cMax - g) * (kHlsMax / 6) + delta / 2) / delta;
    const int bDelta = ((cMax - b) * (kHlsMax / 6) + delta / 2) / delta;
    if (r == cMax)
        out.h = bDelta - gDelta;
    else if (g == cMax)
        out.h = kHlsMax / 3 + rDelta - bDelta;
    else
        out.h = 2 * kHlsMax / 3 + gDelta - rDelta;
    if (out.h < 0) out.h += kHlsMax;
    if (out.h > kHlsMax) out.h -= kHlsMax;
    return out;
}

Rgb HlsToRgb(Hls c) {
    if (c.s == 0) {
        const uint8_t grey = ToByte(c.l * kRgbMax / kHlsMax);
        return {grey, grey, grey};
    }
    int magic2;
    if (c.l <= kHlsMax / 2)
        magic2 = (c.l * (kHlsMax + c.s) + kHlsMax / 2) / kHlsMax;
    else
        magic2 = c.l + c.s - ((c.l * c.s) + kHlsMax / 2) / kHlsMax;
    const int magic1 = 2 * c.l - magic2;
    auto channel = [&](int hue) { return ToByte((HueToRgb(magic1, magic2, hue) * kRgbMax + kHlsMax / 2) / kHlsMax); };
    return {channel(c.h + kHlsMax / 3), channel(c.h), channel(c.h - kHlsMax / 3)};
}

void ChangeColor(Rgb& a, Rgb& b) {
    Hls ha = RgbToHls(a);
    Hls hb = RgbToHls(b);
    while (std::abs(ha.l - hb.l) < kContrastGap) {
        Hls& brighter = hb.l > ha.l ? hb : ha;
        Hls& other = &brighter == &ha ? hb : ha;
        if (brighter.l < kHlsMax)
            ++brighter.l;
        else
            --other.l;
    }
    a = HlsToRgb(ha);
    b = HlsToRgb(hb);
}

std::optional<StyleColors> StyleRow(TColorStyle style) {
    constexpr Rgb white{255, 255, 255}, black{0, 0, 0}, grey{128, 128, 128}, red{255, 0, 0};
    switch (style) {
    case csCustom:
        return std::nullopt;
    case csPinkPink:
        return StyleColors{white, {255, 193, 193}, white, {255, 193, 193}, black, {255, 155, 155}, grey, red, black};
    case csBlueBlue:
        return StyleColors{white, {183, 232, 255}, white, {183, 232, 255}, HlsToRgb({0, 90, 240}),
                           HlsToRgb({140, 200, 140}), grey, {0, 0, 255}, black};
    case csWhiteGray:
        return StyleColors{{200, 200, 200}, white, white, white, black, {220, 220, 220}, grey, red, black};
    case csWhiteOrange:
        return StyleColors{{255, 174, 136}, white, white, white, black, {255, 209, 187}, grey, red, black};
    case csWhiteRed:
        return StyleColors{{255, 89, 89}, white, white, white, black, {255, 185, 185}, grey, red, black};
    case csWhiteWhite:
        return StyleColors{white, white, white, white, black, {220, 220, 220}, grey, red, black};
    case csWhiteBlack:
        return StyleColors{black, black, white, white, black, {255, 209, 187}, grey, red, black};
    }
    return std::nullopt;
}

}  // namespace orv::color
