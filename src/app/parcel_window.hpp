#pragma once
// The parcel window: "Generador GML PARCELAS".

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "app/form_window.hpp"
#include "app/widgets.hpp"
#include "parcel/parcel_form.hpp"

namespace vadrel::app {

class ParcelWindow : public FormWindow {
public:
    explicit ParcelWindow(TFParcelgen& form, QWidget* parent = nullptr);

    // Controls under the form's names, so tests and readers find them.
    QLineEdit* ERefCatas;
    QRadioButton* RBRefCatas;
    QRadioButton* RBRefOtra;
    QLineEdit* ESup;
    QLineEdit* ESupRegistral;
    QComboBox* CBHuso;
    QLineEdit* EArchivoDXF;
    QPlainTextEdit* MX;
    QPlainTextEdit* MY;
    QListWidget* LBOrigen;
    QListWidget* LBDestino;
    ClickableLabel* Image1;
    QTabWidget* PageControl;

protected:
    void pull() override;
    void push() override;

private:
    QWidget* buildGmlPage();
    QWidget* buildGroupingPage();

    TFParcelgen& form_;
};

}  // namespace vadrel::app
