#pragma once
// The user's number and date conventions, read once from the system locale.

#include <QLocale>

#include "core/number_format.hpp"

namespace vadrel::app {

NumberFormat numberFormatOf(const QLocale& locale);

}  // namespace vadrel::app
