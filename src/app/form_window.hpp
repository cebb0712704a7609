#pragma once
// A window over one toolkit-free form: it copies widgets into the form's
// fields, calls the handler, and copies the fields back. It decides nothing.

#include <QDialog>
#include <functional>

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

protected:
    // Widgets into the form's fields, and back.
    virtual void pull() {}
    virtual void push() {}
    // Fixed to the size the layout asks for, centred on the screen.
    void fixSizeAndCentre();

private:
    Form& form_;
};

}  // namespace vadrel::app
