#include "solar/widgets/TYearEdit.h"

#include <QKeyEvent>

#include "solar/widgets/TSolarTopPanel.h"

namespace {
// What a text that is no number counts as.
constexpr int kUnreadableYear = 1340;
}  // namespace

TYearEdit::TYearEdit(TSolarTopPanel* panel) : QLineEdit(panel), FpPanel(panel) {
    setObjectName(QStringLiteral("FYearEdit"));
}

int TYearEdit::yInt() const {
    bool ok = false;
    const int v = text().toInt(&ok);
    return ok ? v : kUnreadableYear;
}

void TYearEdit::SetyInt(int value) { setText(QString::number(value)); }

void TYearEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Down:
        FpPanel->YearEditStep(false);
        return;
    case Qt::Key_Up:
        FpPanel->YearEditStep(true);
        return;
    case Qt::Key_Escape:
        FpPanel->YearEditEscape();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FpPanel->YearEditEnter();
        return;
    default:
        break;
    }
    const QString t = event->text();
    if (!t.isEmpty() && t.at(0).isPrint()) {
        const QChar c = t.at(0);
        if (!(c >= u'0' && c <= u'9') && c != u'&') return;  // other characters are dropped
    }
    QLineEdit::keyPressEvent(event);
}
