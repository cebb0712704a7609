#pragma once
// "Datos del informe": who signs the client's report and for whom, asked
// before its file is chosen.

#include <QDialog>

#include "report/report_data.hpp"

class QLineEdit;

namespace vadrel::app {

class ReportDetailsDialog : public QDialog {
public:
    ReportDetailsDialog(const report::FirmaInforme& firma, QWidget* parent);
    report::FirmaInforme firma() const;

private:
    QLineEdit* autor_;
    QLineEdit* colegiado_;
    QLineEdit* cliente_;
    QLineEdit* situacion_;
};

}  // namespace vadrel::app
