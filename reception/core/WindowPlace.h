#pragma once
// Where the reception window opens: wholly inside a screen, beside the main
// window unless it was closed somewhere that is still on a screen.
#include <optional>
#include <vector>

namespace orv::reception {

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

// `window` (its frame) moved wholly inside `area`;
// a window larger than the area keeps its top-left corner in it.
Box FitInto(const Box& window, const Box& area);

// The window's place: at `lastClosed` when that place overlaps one of
// `screens` (the screens' available areas), fitted into the screen it overlaps
// most; otherwise at the right edge of `mainFrame`, fitted into `mainScreen`
// (the available area of the screen that shows the main window).
Box PlaceWindow(int width, int height, const Box& mainFrame, const Box& mainScreen, const std::vector<Box>& screens,
                const std::optional<Box>& lastClosed);

}  // namespace orv::reception
