#include "app/progress_box.hpp"

#include <QApplication>

namespace vadrel::app {

ProgressBox::ProgressBox(QWidget* parent) : dialog_(parent)
{
    dialog_.setWindowTitle(QApplication::applicationName());
    dialog_.setCancelButtonText(QStringLiteral("Cancelar"));
    dialog_.setWindowModality(Qt::WindowModal);
    // A moving bar: the number of requests grows as boxes are split.
    dialog_.setRange(0, 0);
    dialog_.setMinimumDuration(0);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setMinimumWidth(420);
}

void ProgressBox::step(const std::string& text)
{
    dialog_.setLabelText(QString::fromStdString(text));
    if (!dialog_.isVisible()) dialog_.show();
    QApplication::processEvents();
}

void ProgressBox::waiting() { QApplication::processEvents(); }

bool ProgressBox::cancelled()
{
    QApplication::processEvents();
    return dialog_.wasCanceled();
}

}  // namespace vadrel::app
