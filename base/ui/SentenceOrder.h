#pragma once
// Persian sentences written with their period first (". سرور ... نميباشد"), as
// the program's texts are, shown with the period where a right-to-left reader
// ends the sentence. The texts themselves stay as they are: only the painting
// changes.
#include <QString>

class QLabel;

namespace orv::ui {

// The text as it is painted: a period (and the spaces after it) before a
// Persian sentence goes to its end; any other text is returned as it is.
QString PeriodLast(const QString& text);

// Paints `label`'s plain text right to left with PeriodLast, its text() untouched.
// The painter is a child of the label and goes with it.
void PaintPeriodLast(QLabel* label);

}  // namespace orv::ui
