#include <gtest/gtest.h>

#include "solar/logic/PopupPlacement.h"

using namespace orv::solar;

namespace {

PopupRequest Picker(int left, int top, int width, int height, bool ltr = true) {
    PopupRequest r;
    r.picker = {left, top, left + width, top + height};
    r.leftToRight = ltr;
    r.parentLeft = 100;
    r.pickerLeft = 20;
    r.screenWidth = 1280;
    r.screenHeight = 800;
    return r;
}

}  // namespace

TEST(PopupPlacement, UnderThePickerRightEdgeTwoPixelsFurther) {
    const ScreenRect at = PlacePopup(Picker(400, 300, 120, 22));
    EXPECT_EQ(at, (ScreenRect{400 + 120 - 215, 322, 400 + 120 - 215 + 217, 322 + 170}));
    EXPECT_EQ(at.right, 522);
}

TEST(PopupPlacement, RightScreenEdge) {
    const ScreenRect at = PlacePopup(Picker(1160, 300, 119, 22));
    EXPECT_EQ(at.right, 1279);  // the picker's right edge
    EXPECT_LE(at.right, 1280);
    EXPECT_EQ(at.left, 1279 - 217);
}

TEST(PopupPlacement, LeftScreenEdge) {
    const ScreenRect ltr = PlacePopup(Picker(-30, 300, 120, 22));
    EXPECT_EQ(ltr.left, 0);
    EXPECT_EQ(ltr.right, 217);
    // A right-to-left picker goes to its parent's left plus its own left plus 5.
    const ScreenRect rtl = PlacePopup(Picker(-30, 300, 120, 22, false));
    EXPECT_EQ(rtl.left, 125);
}

TEST(PopupPlacement, RightToLeftPickerPastTheRightEdge) {
    const ScreenRect rtl = PlacePopup(Picker(1200, 300, 120, 22, false));
    EXPECT_EQ(rtl.left, 1280 - 217);
    EXPECT_EQ(rtl.right, 1280);
}

TEST(PopupPlacement, BottomScreenEdgeOpensAbove) {
    const ScreenRect at = PlacePopup(Picker(400, 700, 120, 22));
    EXPECT_EQ(at.bottom, 700);  // on the picker's top edge
    EXPECT_EQ(at.top, 700 - 170);
    // Exactly enough room stays below.
    const ScreenRect fits = PlacePopup(Picker(400, 800 - 170 - 22, 120, 22));
    EXPECT_EQ(fits.top, 800 - 170);
    EXPECT_EQ(fits.bottom, 800);
}

TEST(PopupPlacement, TopScreenEdgeStaysBelow) {
    const ScreenRect at = PlacePopup(Picker(400, 0, 120, 22));
    EXPECT_EQ(at.top, 22);
    EXPECT_EQ(at.bottom, 192);
}
