#pragma once
// Where the drop-down of a date picker goes on the screen: under the picker with
// its right edge two pixels right of the picker's, moved inside the screen's
// right and left edges, and above the picker when there is no room below.
namespace orv::solar {

inline constexpr int kPopupWidth = 217;
inline constexpr int kPopupHeight = 170;

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    friend constexpr bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct PopupRequest {
    ScreenRect picker;         // the picker in screen pixels
    bool leftToRight = true;   // reading order of the picker
    int parentLeft = 0;        // left edge of the picker's parent, and the picker's left in it
    int pickerLeft = 0;
    int screenWidth = 0, screenHeight = 0;
};

ScreenRect PlacePopup(const PopupRequest& r);

}  // namespace orv::solar
