#pragma once
// The keyboard layout the reception window asks for as the focus moves: Persian
// for names, US English for test names. On Windows the layouts "00000429" and
// "00000409" are loaded and activated; under X11 the XKB group whose layout is
// "ir" or "us" is locked when both are configured (setxkbmap -layout us,ir);
// elsewhere nothing happens. Tests put a recorder in with SetKeyboardLayouts.
#include <functional>
#include <string_view>

namespace orv::reception {

enum class KeyboardLayout { Persian, UsEnglish };

// Switches the keyboard layout of the program.
void ActivatePersianLayout();
void ActivateUsEnglishLayout();

// Replaces the platform's switch (empty: the platform's again).
void SetKeyboardLayouts(std::function<void(KeyboardLayout)> activate);

// The XKB group (from 0) of `layout` in the X server's rules names (rules,
// model, layouts, variants, options, each ended by NUL, layouts divided by ","),
// or -1 when it is not configured.
int XkbGroupOf(std::string_view rulesNames, std::string_view layout);

}  // namespace orv::reception
