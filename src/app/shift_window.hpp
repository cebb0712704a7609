#pragma once
// "Desplazamiento": the common points' table, their fit and the last
// comparison's picture with their arrows, over TFDesplazamiento.

#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "app/form_window.hpp"
#include "parcel/shift_form.hpp"

namespace vadrel::app {

class ShiftWindow : public FormWindow {
public:
    ShiftWindow(TFDesplazamiento& form, QWidget* parent);

    QTableWidget* SGPares;
    QPlainTextEdit* MResultado;
    QLabel* IDibujo;

protected:
    void pull() override;
    void push() override;

private:
    TFDesplazamiento& form_;
};

}  // namespace vadrel::app
