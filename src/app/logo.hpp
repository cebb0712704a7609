#pragma once
// The program's emblem: a surveyed parcel, its vertices marked, on a field.

#include <QPixmap>

namespace vadrel::app {

QPixmap vadrelLogo(int size);

}  // namespace vadrel::app
