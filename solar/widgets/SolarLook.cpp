#include "solar/widgets/SolarLook.h"

#include "base/ui/Prompts.h"
#include "solar/core/ShortDateFormat.h"

#include <QFontDatabase>
#include <QLocale>
#include <QRegularExpression>

namespace orv::solar {

QColor ToQColor(color::Rgb c) { return QColor(c.r, c.g, c.b); }

color::Rgb ToRgb(const QColor& c) {
    return {static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue())};
}

QString Q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

std::string S(const QString& text) { return text.toStdString(); }

QFont CalendarFont() {
    const QString family = QFontDatabase::hasFamily(QStringLiteral("Tahoma")) ? QStringLiteral("Tahoma")
                                                                              : QStringLiteral("Noto Sans Arabic");
    QFont font(family);
    font.setPixelSize(11);
    return font;
}

QString InvalidDateText(TDateKind kind) {
    return kind == dkGregorian ? QStringLiteral("Invalid date, Enter correct date please.")
                               : QString::fromUtf8(".تاريخ وارد شده معتبر نميباشد، لطفاً تاريخ صحيح را وارد نمائيد");
}

void ShowMessage(QWidget* parent, const QString& text) {
    ui::MessageBox(parent, QStringLiteral("Attention"), text, QMessageBox::Ok, QMessageBox::Warning);
}

std::string UseLocaleShortDateFormat() {
    const QString pattern = QLocale().dateFormat(QLocale::ShortFormat);
    // Every run of letters must be one of d, dd, M, MM, yy, yyyy; quoted text is not taken.
    static const QStringList fields = {QStringLiteral("d"),  QStringLiteral("dd"), QStringLiteral("M"),
                                       QStringLiteral("MM"), QStringLiteral("yy"), QStringLiteral("yyyy")};
    static const QRegularExpression letters(QStringLiteral("[A-Za-z']+"));
    bool usable = pattern.contains(u'd') && pattern.contains(u'M') && pattern.contains(u'y');
    for (auto it = letters.globalMatch(pattern); usable && it.hasNext();)
        usable = fields.contains(it.next().captured());
    // A two-digit year cannot tell 1900 from 2000: the engine writes four.
    if (usable) TPublicUtils::SetShortDateFormat(orv::WithFourDigitYear(pattern.toStdString()));
    return TPublicUtils::MiladiFormat();
}

}  // namespace orv::solar
