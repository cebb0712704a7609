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

    f.dateSeparator = firstSeparator(locale.dateFormat(QLocale::ShortFormat), '/');
    return f;
}

}  // namespace vadrel::app
