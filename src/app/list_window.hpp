#pragma once
// "Importar orden List Autocad": the box into which the LIST text is pasted.

#include <QPlainTextEdit>

#include "app/form_window.hpp"
#include "io/list_form.hpp"

namespace vadrel::app {

class ListWindow : public FormWindow {
public:
    explicit ListWindow(TFList& form, QWidget* parent = nullptr);
    QPlainTextEdit* Memo1;

protected:
    void pull() override;
    void push() override;
    void showEvent(QShowEvent* event) override;

private:
    TFList& form_;
};

}  // namespace vadrel::app
