#pragma once
// Keyboard aids of the date field, on the text, the caret and the selection of
// the edit (positions in UTF-16 units, the edit's own measure):
// - typing: only digits, Backspace and "/" are taken, and the dividers of a
//   YYYY/MM/DD text are put in while the digits are typed;
// - stepping: on a ten-character text the arrow keys step or select the year,
//   month or day under the caret and Delete blanks a selected part.
#include <string>

#include "solar/logic/SolarTypes.h"

namespace orv::solar {

struct EditState {
    std::u16string text;
    int selStart = 0;   // the caret when nothing is selected
    int selLength = 0;
    friend bool operator==(const EditState&, const EditState&) = default;
};

struct TypingResult {
    EditState state;
    bool passOn = true;  // the key still goes through the edit's key-press event (it is swallowed after it)
};


// One key press with typing aids on; ch is the character typed.
TypingResult TypeKey(const EditState& before, char16_t ch, bool autoDeleteDelimiter);

enum class StepKey { Up, Down, Left, Right, Delete };

struct StepResult {
    EditState state;
    bool consumed = false;
};

struct Today {
    Word year = 0, month = 0, day = 0;
};

// One stepping key on the text; texts of other than ten characters are left alone.
StepResult StepKeyPress(const EditState& before, StepKey key, TDateKind kind, const Today& today);

}  // namespace orv::solar
