#include "app/locale_format.hpp"

namespace vadrel::app {

namespace {

char firstSeparator(const QString& format, char fallback)
{
    for (QChar c : format)
        if (!c.isLetter() && c.unicode() < 0x80 && c != ' ' && c != '\'') return static_cast<char>(c.unicode());
    return fallback;
}

}  // namespace

NumberFormat numberFormatOf(const QLocale& locale)
{
    NumberFormat f;
    const QString point = locale.decimalPoint();
    if (point.size() == 1 && point[0].unicode() < 0x80) f.decimalSeparator = static_cast<char>(point[0].unicode());

    const QString date = locale.dateFormat(QLocale::ShortFormat);
    f.dateSeparator = firstSeparator(date, '/');
    const auto d = date.indexOf('d'), m = date.indexOf('M'), y = date.indexOf('y');
    if (y >= 0 && d >= 0 && m >= 0) {
        if (y < m && m < d)
            f.dateOrder = DateOrder::YMD;
        else if (m < d)
            f.dateOrder = DateOrder::MDY;
        else
            f.dateOrder = DateOrder::DMY;
    }
    f.timeSeparator = firstSeparator(locale.timeFormat(QLocale::ShortFormat), ':');
    return f;
}

}  // namespace vadrel::app
