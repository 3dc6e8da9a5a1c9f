#include <gtest/gtest.h>

#include "solar/logic/ColorHls.h"

using namespace orv::color;

TEST(ColorHls, KnownColoursOnTheDialogScale) {
    EXPECT_EQ(RgbToHls({255, 255, 255}), (Hls{160, 240, 0}));
    EXPECT_EQ(RgbToHls({0, 0, 0}), (Hls{160, 0, 0}));
    EXPECT_EQ(RgbToHls({255, 0, 0}), (Hls{0, 120, 240}));
    EXPECT_EQ(RgbToHls({0, 255, 0}), (Hls{80, 120, 240}));
    EXPECT_EQ(RgbToHls({0, 0, 255}), (Hls{160, 120, 240}));
    EXPECT_EQ(RgbToHls({128, 128, 128}), (Hls{160, 120, 0}));
    EXPECT_EQ(HlsToRgb({0, 120, 240}), (Rgb{255, 0, 0}));
    EXPECT_EQ(HlsToRgb({160, 240, 0}), (Rgb{255, 255, 255}));
    EXPECT_EQ(HlsToRgb({160, 160, 0}), (Rgb{170, 170, 170}));
}

TEST(ColorHls, RoundTripStaysWithinOneStepOfEveryChannel) {
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51) {
                const Rgb c{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
                const Rgb back = HlsToRgb(RgbToHls(c));
                EXPECT_NEAR(back.r, c.r, 3) << r << "," << g << "," << b;
                EXPECT_NEAR(back.g, c.g, 3) << r << "," << g << "," << b;
                EXPECT_NEAR(back.b, c.b, 3) << r << "," << g << "," << b;
            }
}

TEST(ChangeColor, TwoWhitesBecomeLuminance240And160) {
    Rgb a{255, 255, 255}, b{255, 255, 255};
    ChangeColor(a, b);
    EXPECT_EQ(RgbToHls(a).l, 240);
    EXPECT_EQ(RgbToHls(b).l, 160);
    EXPECT_EQ(a, (Rgb{255, 255, 255}));
    EXPECT_EQ(b, (Rgb{170, 170, 170}));
}

TEST(ChangeColor, RaisesTheBrighterWhileItCanAndKeepsHues) {
    // The grey-to-white caption of the default style: luminances 188 and 240.
    Rgb a{200, 200, 200}, b{255, 255, 255};
    ChangeColor(a, b);
    EXPECT_EQ(RgbToHls(b).l, 240);
    EXPECT_EQ(RgbToHls(a).l, 160);
    // Two dark colours: the brighter one is raised until the gap is 80.
    Rgb c{40, 0, 0}, d{0, 0, 60};
    const int hueC = RgbToHls(c).h, hueD = RgbToHls(d).h;
    ChangeColor(c, d);
    const Hls hc = RgbToHls(c), hd = RgbToHls(d);
    EXPECT_GE(std::abs(hc.l - hd.l), 79);
    EXPECT_NEAR(hc.h, hueC, 2);
    EXPECT_NEAR(hd.h, hueD, 2);
    EXPECT_GT(hd.l, hc.l);
    // Colours already far apart stay as they are.
    Rgb black{0, 0, 0}, white{255, 255, 255};
    ChangeColor(black, white);
    EXPECT_EQ(black, (Rgb{0, 0, 0}));
    EXPECT_EQ(white, (Rgb{255, 255, 255}));
}

TEST(StyleTable, RowsAndTheBlueStyleFromHls) {
    EXPECT_FALSE(StyleRow(csCustom).has_value());
    const auto grey = StyleRow(csWhiteGray);
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->CaptionStart, (Rgb{200, 200, 200}));
    EXPECT_EQ(grey->SelectBrush, (Rgb{220, 220, 220}));
    const auto blue = StyleRow(csBlueBlue);
    ASSERT_TRUE(blue);
    EXPECT_EQ(blue->CaptionStop, (Rgb{183, 232, 255}));
    EXPECT_EQ(RgbToHls(blue->TodayLine).l, 90);
    const Hls select = RgbToHls(blue->SelectBrush);
    EXPECT_EQ(select.h, 140);
    EXPECT_EQ(select.l, 200);
    EXPECT_NEAR(select.s, 140, 3);  // the byte channels round the saturation
    EXPECT_EQ(blue->VacationDay, (Rgb{0, 0, 255}));
    const auto black = StyleRow(csWhiteBlack);
    ASSERT_TRUE(black);
    EXPECT_EQ(black->CaptionStart, (Rgb{0, 0, 0}));
    EXPECT_EQ(black->BodyStart, (Rgb{255, 255, 255}));
}
