#include "app/form_window.hpp"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <algorithm>
#include <exception>

#include "app/qt_ui.hpp"
#include "app/widgets.hpp"
#include "core/failure.hpp"
#include "core/ui.hpp"

namespace vadrel::app {

FormWindow::FormWindow(Form& form, QWidget* parent) : QDialog(parent), form_(form)
{
    setWindowTitle(qs(form.Caption()));
    // Only the main window has its own task-bar button; the rest are dialogs.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FormWindow::run(const std::function<void()>& handler)
{
    pull();
    try {
        handler();
    } catch (const Failure& f) {
        push();
        form_.ui().message(f.what());
        return;
    } catch (const std::exception& e) {
        push();
        form_.ui().message(std::string("Error inesperado: ") + e.what());
        return;
    }
    push();
}

ModalResult FormWindow::showModal()
{
    // While hidden, the form is what counts: its caller may have filled it.
    push();
    run([this] { form_.FormShow(); });
    const int result = exec();
    pull();
    return result == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
}

bool FormWindow::pantallaBaja()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->geometry().height() <= kPantallaBaja;
}

void FormWindow::fixSizeAndCentre()
{
    if (layout()) layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    // The whole frame, title bar included, on the screen: on a low screen,
    // also above a task bar that the desktop may not report.
    QRect r = screen->availableGeometry();
    if (pantallaBaja()) r.setBottom(std::min(r.bottom(), screen->geometry().bottom() - kBarraTareas));
    const int titulo = std::max(frameGeometry().height() - height(), kTitulo);
    const int alto = height() + titulo;
    const int y = std::max(r.top(), r.top() + (r.height() - alto) / 2);
    move(r.center().x() - width() / 2, y);
}

QPushButton* FormWindow::makeButton(const char* name, const QString& caption, const QString& hint)
{
    QPushButton* b = button(caption, hint);
    b->setObjectName(name);
    return b;
}

void FormWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel) && !closesOnEscape_) {
        event->accept();
        return;
    }
    // Enter presses the focused button, as Space does; in a one-line field
    // it does nothing (no button of these windows is a default one).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
        if (auto* b = qobject_cast<QAbstractButton*>(focusWidget()); b && b->isEnabled()) {
            b->click();
            return;
        }
    QDialog::keyPressEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    bool cierra = true;
    run([&] { cierra = form_.FormCloseQuery(); });
    if (!cierra) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            for (const auto& [field, handler] : leaveHandlers_)
                if (field == watched) run(handler);
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vadrel::app
