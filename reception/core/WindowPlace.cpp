#include "reception/core/WindowPlace.h"

#include <algorithm>

namespace orv::reception {

namespace {

long long Overlap(const Box& a, const Box& b) {
    const long long w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const long long h = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

int Fit(int at, int size, int start, int length) { return std::max(start, std::min(at, start + length - size)); }

}  // namespace

Box FitInto(const Box& window, const Box& area) {
    return {Fit(window.x, window.width, area.x, area.width), Fit(window.y, window.height, area.y, area.height),
            window.width, window.height};
}

Box PlaceWindow(int width, int height, const Box& mainFrame, const Box& mainScreen, const std::vector<Box>& screens,
                const std::optional<Box>& lastClosed) {
    if (lastClosed) {
        const Box there{lastClosed->x, lastClosed->y, width, height};
        const Box* best = nullptr;
        long long most = 0;
        for (const Box& s : screens)
            if (const long long o = Overlap(there, s); o > most) {
                most = o;
                best = &s;
            }
        if (best) return FitInto(there, *best);
    }
    return FitInto({mainFrame.x + mainFrame.width, mainFrame.y, width, height}, mainScreen);
}

}  // namespace orv::reception
