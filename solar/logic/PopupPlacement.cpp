#include "solar/logic/PopupPlacement.h"

namespace orv::solar {

ScreenRect PlacePopup(const PopupRequest& r) {
    const int width = r.picker.right - r.picker.left;
    const int height = r.picker.bottom - r.picker.top;
    ScreenRect out;
    out.left = r.picker.left + width - (kPopupWidth - 2);
    out.top = r.picker.bottom;
    if (out.left + kPopupWidth > r.screenWidth) out.left = r.picker.right - kPopupWidth;
    if (r.leftToRight) {
        if (out.left < 0) out.left = 0;
    } else {
        if (out.left < 0) out.left = r.parentLeft + r.pickerLeft + 5;
        if (r.picker.right > r.screenWidth) out.left = r.screenWidth - kPopupWidth;
    }
    out.right = out.left + kPopupWidth;
    out.bottom = out.top + kPopupHeight;
    if (out.top + kPopupHeight > r.screenHeight) {
        out.bottom = out.top - height;
        out.top = out.top - height - kPopupHeight;
    }
    return out;
}

}  // namespace orv::solar
