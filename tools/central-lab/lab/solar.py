"""Gregorian <-> solar (Jalali) dates for the sample data.

The laboratory only needs dates near today, so the 33-year leap rule (a solar year
is a leap year when year mod 33 is 1, 5, 9, 13, 17, 22, 26 or 30) is exact here;
it matches the official calendar from 1244 to 1472. Anchor: 1 Farvardin 1400 is
21 March 2021.
"""
import datetime

_ANCHOR_YEAR = 1400
_ANCHOR = datetime.date(2021, 3, 21)
_LEAP_REMAINDERS = {1, 5, 9, 13, 17, 22, 26, 30}


def is_leap(year):
    return year % 33 in _LEAP_REMAINDERS


def year_length(year):
    return 366 if is_leap(year) else 365


def month_length(year, month):
    if month <= 6:
        return 31
    if month <= 11:
        return 30
    return 30 if is_leap(year) else 29


def from_gregorian(date):
    """A datetime.date -> (year, month, day) of the solar calendar."""
    days = (date - _ANCHOR).days
    year = _ANCHOR_YEAR
    while days < 0:
        year -= 1
        days += year_length(year)
    while days >= year_length(year):
        days -= year_length(year)
        year += 1
    month = 1
    while days >= month_length(year, month):
        days -= month_length(year, month)
        month += 1
    return year, month, days + 1


def to_gregorian(year, month, day):
    days = sum(month_length(year, m) for m in range(1, month)) + day - 1
    y = _ANCHOR_YEAR
    while y < year:
        days += year_length(y)
        y += 1
    while y > year:
        y -= 1
        days -= year_length(y)
    return _ANCHOR + datetime.timedelta(days=days)


def text(ymd):
    return "%04d/%02d/%02d" % ymd


def compact(ymd):
    return "%04d%02d%02d" % ymd
