#pragma once
// The two web-map dialogs: three lines of text, then Sí and No.

#include "app/form_window.hpp"
#include "webmap/webmap_forms.hpp"

namespace vadrel::app {

class WebDialog : public FormWindow {
public:
    explicit WebDialog(TFVistaWeb& form, QWidget* parent = nullptr);
};

}  // namespace vadrel::app
