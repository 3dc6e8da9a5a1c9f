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

// The root window's _XKB_RULES_NAMES as it is stored: NUL-ended parts.
std::string RulesNames(Display* display) {
    const Atom names = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (names == None) return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), names, 0, 1024, False, XA_STRING, &type, &format,
                           &count, &after, &data) != Success ||
        !data)
        return {};
    std::string text(reinterpret_cast<const char*>(data), count);
    XFree(data);
    return text;
}

void Activate(KeyboardLayout wanted) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return;
    const std::string names = RulesNames(display);
    const int persian = XkbGroupOf(names, "ir");
    const int english = XkbGroupOf(names, "us");
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

int XkbGroupOf(std::string_view rulesNames, std::string_view layout) {
    // The third part: the layouts.
    for (int part = 0; part < 2; ++part) {
        const size_t end = rulesNames.find('\0');
        if (end == std::string_view::npos) return -1;
        rulesNames.remove_prefix(end + 1);
    }
    std::string_view layouts = rulesNames.substr(0, rulesNames.find('\0'));
    for (int group = 0;; ++group) {
        const size_t comma = layouts.find(',');
        if (layouts.substr(0, comma) == layout) return group;
        if (comma == std::string_view::npos) return -1;
        layouts.remove_prefix(comma + 1);
    }
}

}  // namespace orv::reception
