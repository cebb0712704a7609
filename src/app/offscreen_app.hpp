#pragma once
// Text needs fonts, and fonts a GUI application: a program without a screen
// (the batch command) starts one when none runs, with Qt's own notices
// kept off standard error.

#include <QGuiApplication>
#include <memory>

namespace vadrel::app {

// None when an application already runs.
std::unique_ptr<QGuiApplication> aplicacionSinPantalla();

}  // namespace vadrel::app
