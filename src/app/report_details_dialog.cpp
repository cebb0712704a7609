#include "app/report_details_dialog.hpp"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_ui.hpp"

namespace vadrel::app {

namespace {

QLineEdit* campo(QFormLayout* form, const char* nombre, const char* etiqueta, const std::string& valor,
                 const char* ayuda)
{
    auto* edit = new QLineEdit(qs(valor));
    edit->setObjectName(nombre);
    edit->setPlaceholderText(ayuda);
    edit->setMinimumWidth(360);
    form->addRow(QString::fromUtf8(etiqueta), edit);
    return edit;
}

}  // namespace

ReportDetailsDialog::ReportDetailsDialog(const report::FirmaInforme& f, QWidget* parent) : QDialog(parent)
{
    setObjectName("DatosInforme");
    setWindowTitle("Datos del informe");
    auto* form = new QFormLayout;
    autor_ = campo(form, "Autor", "Autor", f.autor, "Nombre de quien firma");
    colegiado_ = campo(form, "Colegiado", "Titulación y nº de colegiado", f.colegiado,
                       "Arquitecto técnico, colegiado nº 1234");
    cliente_ = campo(form, "Cliente", "Cliente", f.cliente, "");
    situacion_ = campo(form, "Situacion", "Situación", f.situacion, "Calle o paraje, municipio");
    auto* nota = new QLabel("Se guardan para el próximo informe. Lo que quede vacío no aparece en el informe.");
    nota->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("Aceptar");
    buttons->button(QDialogButtonBox::Cancel)->setText("Cancelar");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(nota);
    layout->addWidget(buttons);
}

report::FirmaInforme ReportDetailsDialog::firma() const
{
    return {str(autor_->text().trimmed()), str(colegiado_->text().trimmed()), str(cliente_->text().trimmed()),
            str(situacion_->text().trimmed())};
}

}  // namespace vadrel::app
