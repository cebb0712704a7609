#pragma once
// What every window's toolkit-free form shares: its single instance's name,
// its caption, and the Ui it reaches the person through.

#include <string_view>

namespace vadrel {

class Ui;
class Aplicacion;

enum class ModalResult { None, Ok, Cancel };

class Form {
public:
    Form(Ui& ui, Aplicacion* app) : ui_(ui), app_(app) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    virtual std::string_view instancia() const = 0;  // "FParcelgen"
    virtual std::string_view Caption() const = 0;    // the window title

    Ui& ui() const { return ui_; }

    // Runs each time the window is shown.
    virtual void FormShow() {}
    // Asked when the person closes the window: false keeps it open.
    virtual bool FormCloseQuery() { return true; }

protected:
    Ui& ui_;
    // The program's other windows; none for a form used on its own (the
    // batch command, tests), which then never opens another window.
    Aplicacion* app_;
};

}  // namespace vadrel
