// The date field's typing aids and keyboard stepping.
#include <QKeyEvent>

#include "solar/logic/DateTyping.h"
#include "solar/widgets/TSolarDatePicker.h"

using namespace orv::solar;

namespace {

EditState StateOf(const QLineEdit& edit) {
    EditState s;
    s.text = edit.text().toStdU16String();
    if (edit.hasSelectedText()) {
        s.selStart = edit.selectionStart();
        s.selLength = static_cast<int>(edit.selectedText().size());
    } else {
        s.selStart = edit.cursorPosition();
    }
    return s;
}

void Apply(QLineEdit& edit, const EditState& s) {
    const QString text = QString::fromStdU16String(s.text);
    if (text != edit.text()) edit.setText(text);
    if (s.selLength > 0)
        edit.setSelection(s.selStart, s.selLength);
    else
        edit.setCursorPosition(s.selStart);
}

}  // namespace

bool TSolarDatePicker::TypingAid(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    char16_t ch;
    if (event->key() == Qt::Key_Backspace)
        ch = u'\b';
    else if (!event->text().isEmpty() && event->text().at(0).isPrint())
        ch = event->text().at(0).unicode();
    else
        return false;  // navigation and editing keys keep their meaning
    const TypingResult r = TypeKey(StateOf(*this), ch, FAutoDeleteDelimiter);
    Apply(*this, r.state);
    if (r.passOn && OnKeyPress) OnKeyPress(QChar(ch));
    return true;
}

bool TSolarDatePicker::SteppingKey(QKeyEvent* event) {
    StepKey key;
    switch (event->key()) {
    case Qt::Key_Up: key = StepKey::Up; break;
    case Qt::Key_Down: key = StepKey::Down; break;
    case Qt::Key_Left: key = StepKey::Left; break;
    case Qt::Key_Right: key = StepKey::Right; break;
    case Qt::Key_Delete: key = StepKey::Delete; break;
    default: return false;
    }
    Today today;
    TPublicUtils::SeparateYMD(TPublicUtils::FillDate(DateKind()), DateKind(), today.year, today.month, today.day);
    const StepResult r = StepKeyPress(StateOf(*this), key, DateKind(), today);
    if (!r.consumed) return false;
    Apply(*this, r.state);
    return true;
}
