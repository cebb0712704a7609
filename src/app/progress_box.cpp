#include "app/progress_box.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>

namespace vadrel::app {

namespace {

const char* const kCancelando = "Cancelando: se espera a que termine la petición en curso…";

}  // namespace

void ProgressDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit canceled();
}

void ProgressDialog::reject() { emit canceled(); }

ProgressBox::ProgressBox(QWidget* parent) : dialog_(parent)
{
    dialog_.setWindowTitle(QStringLiteral("Descarga del Catastro"));
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"));
    dialog_.setCancelButton(cancel);
    // Qt's own answer to a cancel hides the box at once; this one says it
    // is stopping and stays until the download does.
    // (connected by name inside Qt, so disconnected by name).
    QObject::disconnect(&dialog_, SIGNAL(canceled()), &dialog_, SLOT(cancel()));
    const auto stopping = [this, cancel] {
        if (cancelled_) return;
        cancelled_ = true;
        cancel->setEnabled(false);
        dialog_.setLabelText(QString::fromUtf8(kCancelando));
    };
    QObject::connect(cancel, &QPushButton::clicked, &dialog_, stopping);
    QObject::connect(&dialog_, &QProgressDialog::canceled, &dialog_, stopping);
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // A moving bar: the number of requests grows as boxes are split.
    dialog_.setRange(0, 0);
    dialog_.setMinimumDuration(0);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setMinimumWidth(460);
}

void ProgressBox::step(const std::string& text)
{
    if (!cancelled_) dialog_.setLabelText(QString::fromStdString(text));
    if (!dialog_.isVisible()) dialog_.show();
    QApplication::processEvents();
}

void ProgressBox::waiting() { QApplication::processEvents(); }

bool ProgressBox::cancelled()
{
    QApplication::processEvents();
    return cancelled_;
}

}  // namespace vadrel::app
