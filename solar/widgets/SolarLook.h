#pragma once
// Shared look and messages of the calendar components.
#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include "solar/logic/ColorHls.h"

class QWidget;

namespace orv::solar {

QColor ToQColor(color::Rgb c);
color::Rgb ToRgb(const QColor& c);
QString Q(std::string_view utf8);
std::string S(const QString& text);

// The components' font: Tahoma where it exists, else a font that shapes Persian.
QFont CalendarFont();

// ".تاريخ وارد شده معتبر نميباشد، لطفاً تاريخ صحيح را وارد نمائيد" or the English text.
QString InvalidDateText(TDateKind kind);

// Shows a modal message box titled "Attention" through the program's prompts.
void ShowMessage(QWidget* parent, const QString& text);

// Hands the locale's short date format to the date engine (process-wide) when it is
// made of d, M and y fields only; otherwise the engine keeps its own "yyyy/MM/dd".
// Returns the pattern in use.
std::string UseLocaleShortDateFormat();

using TNotifyEvent = std::function<void(QObject* Sender)>;

}  // namespace orv::solar
