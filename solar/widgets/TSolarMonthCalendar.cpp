#include "solar/widgets/TSolarMonthCalendar.h"

using namespace orv::solar;

TSolarMonthCalendar::TSolarMonthCalendar(QWidget* parent) : TCustomSolarCalendar(parent) {}

namespace {

std::array<Word, 3> Parts(const QString& date, TDateKind kind) {
    std::array<Word, 3> p{};
    TPublicUtils::ResetYMD(S(date), kind, p[0], p[1], p[2]);
    return p;
}

}  // namespace

int TSolarMonthCalendar::Year() const { return Parts(OutDate, DateKind())[0]; }
int TSolarMonthCalendar::Month() const { return Parts(OutDate, DateKind())[1]; }
int TSolarMonthCalendar::Day() const { return Parts(OutDate, DateKind())[2]; }

void TSolarMonthCalendar::SetPart(int index, int value) {
    std::array<Word, 3> p{};
    TPublicUtils::SeparateYMD(S(OutDate), DateKind(), p[0], p[1], p[2]);
    p[static_cast<size_t>(index)] = static_cast<Word>(value);
    SetInDate(Q(TPublicUtils::ConcatenateDate(p[0], p[1], p[2], DateKind())));
}

void TSolarMonthCalendar::SetYear(int year) { SetPart(0, year); }
void TSolarMonthCalendar::SetMonth(int month) { SetPart(1, month); }
void TSolarMonthCalendar::SetDay(int day) { SetPart(2, day); }
