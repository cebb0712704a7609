#pragma once
// "Introduzca Nombre / Referencia": the grouping's name/reference dialog.

#include <QLineEdit>

#include "app/form_window.hpp"
#include "parcel/ref_form.hpp"

namespace vadrel::app {

class RefWindow : public FormWindow {
public:
    explicit RefWindow(TFRef& form, QWidget* parent = nullptr);
    QLineEdit* ERef;

protected:
    void pull() override;
    void push() override;

private:
    TFRef& form_;
};

}  // namespace vadrel::app
