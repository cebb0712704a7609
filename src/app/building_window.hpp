#pragma once
// The building window: "Generador de GML de Edificio".

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/form_window.hpp"
#include "app/widgets.hpp"
#include "building/building_form.hpp"

namespace vadrel::app {

class BuildingWindow : public FormWindow {
public:
    explicit BuildingWindow(TFGMLEdif& form, QWidget* parent = nullptr);

    QLineEdit* ERefCatas;
    QRadioButton* RBRefCatas;
    QRadioButton* RBRefOtra;
    QComboBox* CBHuso;
    QComboBox* CBEstado;
    QComboBox* CBUso;
    QLineEdit* EFechaConstruc;
    QLineEdit* ENInmueble;
    QLineEdit* ENViv;
    QLineEdit* ENSobreRas;
    QLineEdit* ESuptot;
    QLineEdit* EArchivoDXF;
    QComboBox* CBTipo;
    QComboBox* CBIE;
    QPlainTextEdit* MX;
    QPlainTextEdit* MY;
    QListWidget* LBElementos;
    QLineEdit* ESup;  // hidden
    ClickableLabel* Image1;

protected:
    void pull() override;
    void push() override;

private:
    QWidget* buildTop();
    QWidget* buildEditor();

    TFGMLEdif& form_;
};

}  // namespace vadrel::app
