#pragma once
// A window over one toolkit-free form: it copies widgets into the form's
// fields, calls the handler, and copies the fields back. It decides nothing.

#include <QAbstractButton>
#include <QDialog>
#include <QPushButton>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/form.hpp"

namespace vadrel::app {

class FormWindow : public QDialog {
public:
    FormWindow(Form& form, QWidget* parent = nullptr);

    // The one dispatch for every event: a Failure (or anything else thrown)
    // ends the handler with its message in a box.
    void run(const std::function<void()>& handler);

    // Shown modally over whatever is active; the form's answer.
    ModalResult showModal();

    // A working window holds the person's work: Escape does not close it.
    void setClosesOnEscape(bool closes) { closesOnEscape_ = closes; }

protected:
    // Widgets into the form's fields, and back.
    virtual void pull() {}
    virtual void push() {}
    // Fixed to the size the layout asks for, centred on the screen with its
    // frame wholly inside what the desktop leaves free.
    void fixSizeAndCentre();
    // A laptop screen of 768 pixels or less, where the tallest windows lay
    // themselves out more compactly.
    static bool pantallaBaja();
    static constexpr int kPantallaBaja = 768;
    static constexpr int kBarraTareas = 40;  // a task bar's usual height
    static constexpr int kTitulo = 30;       // a title bar, before the window manager tells

    // A click on `b` runs the form's handler through the dispatch.
    template <class F>
    void connectClick(QAbstractButton* b, F& form, void (F::*handler)())
    {
        F* f = &form;
        connect(b, &QAbstractButton::clicked, this, [this, f, handler] { run([f, handler] { (f->*handler)(); }); });
    }
    // A captioned button with its hint, running the form's handler.
    template <class F>
    QPushButton* handlerButton(F& form, const char* name, const QString& caption, const QString& hint,
                               std::type_identity_t<void (F::*)()> handler)
    {
        QPushButton* b = makeButton(name, caption, hint);
        connectClick(b, form, handler);
        return b;
    }
    // Runs `handler` when the focus leaves `field` for another control of
    // this window; not when the window itself loses it to a box.
    template <class F>
    void onLeave(QWidget* field, F& form, void (F::*handler)())
    {
        F* f = &form;
        field->installEventFilter(this);
        leaveHandlers_.emplace_back(field, [f, handler] { (f->*handler)(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static QPushButton* makeButton(const char* name, const QString& caption, const QString& hint);

    Form& form_;
    bool closesOnEscape_ = true;
    std::vector<std::pair<QObject*, std::function<void()>>> leaveHandlers_;
};

}  // namespace vadrel::app
