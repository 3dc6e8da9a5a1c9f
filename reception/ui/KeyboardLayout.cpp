#include "reception/ui/KeyboardLayout.h"

#include <QGuiApplication>
#if defined(ORV_HAVE_X11) && !defined(Q_OS_WIN)
#include <QtGui/qguiapplication_platform.h>
#endif

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(ORV_HAVE_X11)
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

#include <string>
#include <vector>

namespace orv::reception {

namespace {

std::function<void(KeyboardLayout)>& Override() {
    static std::function<void(KeyboardLayout)> activate;
    return activate;
}

#if defined(Q_OS_WIN)

void Activate(KeyboardLayout layout) {
    const wchar_t* id = layout == KeyboardLayout::Persian ? L"00000429" : L"00000409";
    LoadKeyboardLayoutW(id, KLF_ACTIVATE);
}

#elif defined(ORV_HAVE_X11)

// The configured layouts in group order, from the root window's _XKB_RULES_NAMES
// (rules, model, layouts, variants, options; NUL-separated), e.g. {"us", "ir"}.
std::vector<std::string> ConfiguredLayouts(Display* display) {
    std::vector<std::string> layouts;
    const Atom names = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (names == None) return layouts;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), names, 0, 1024, False, XA_STRING, &type, &format,
                           &count, &after, &data) != Success ||
        !data)
        return layouts;
    std::vector<std::string> parts;
    std::string part;
    for (unsigned long i = 0; i < count; ++i) {
        if (data[i] == 0) {
            parts.push_back(part);
            part.clear();
        } else {
            part += static_cast<char>(data[i]);
        }
    }
    parts.push_back(part);
    XFree(data);
    if (parts.size() < 3) return layouts;
    std::string layout;
    for (char c : parts[2] + ",") {
        if (c == ',') {
            layouts.push_back(layout);
            layout.clear();
        } else {
            layout += c;
        }
    }
    return layouts;
}

void Activate(KeyboardLayout wanted) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return;
    const std::vector<std::string> layouts = ConfiguredLayouts(display);
    int persian = -1, english = -1;
    for (size_t i = 0; i < layouts.size(); ++i) {
        if (layouts[i] == "ir" && persian < 0) persian = static_cast<int>(i);
        if (layouts[i] == "us" && english < 0) english = static_cast<int>(i);
    }
    if (persian < 0 || english < 0) return;
    XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(wanted == KeyboardLayout::Persian ? persian : english));
    XFlush(display);
}

#else

void Activate(KeyboardLayout) {}

#endif

void Switch(KeyboardLayout layout) {
    if (Override())
        Override()(layout);
    else
        Activate(layout);
}

}  // namespace

void ActivatePersianLayout() { Switch(KeyboardLayout::Persian); }
void ActivateUsEnglishLayout() { Switch(KeyboardLayout::UsEnglish); }

void SetKeyboardLayouts(std::function<void(KeyboardLayout)> activate) { Override() = std::move(activate); }

}  // namespace orv::reception
