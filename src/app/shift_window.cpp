#include "app/shift_window.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/image_canvas.hpp"
#include "app/qt_ui.hpp"

namespace vadrel::app {

namespace {

constexpr int kResiduo = 5;  // the column "Calcular" fills
constexpr int kDibujo = 480;  // the picture's side on the dialog, drawn at that size: legible labels

QString celda(const QTableWidget* t, int row, int column)
{
    const QTableWidgetItem* item = t->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

ShiftWindow::ShiftWindow(TFDesplazamiento& form, QWidget* parent) : FormWindow(form, parent), form_(form)
{
    setObjectName("FDesplazamiento");

    SGPares = new QTableWidget(0, 6);
    SGPares->setObjectName("SGPares");
    SGPares->setHorizontalHeaderLabels({"Nº", "X medido", "Y medido", "X catastro", "Y catastro", "Residuo (m)"});
    SGPares->verticalHeader()->setVisible(false);
    SGPares->setSelectionBehavior(QAbstractItemView::SelectRows);
    SGPares->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SGPares->horizontalHeader()->setStretchLastSection(true);
    SGPares->setMinimumSize(620, 260);

    MResultado = new QPlainTextEdit;
    MResultado->setObjectName("MResultado");
    MResultado->setReadOnly(true);
    MResultado->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    MResultado->setMinimumHeight(150);

    IDibujo = new QLabel;
    IDibujo->setObjectName("IDibujo");
    IDibujo->setFixedSize(kDibujo, kDibujo);
    IDibujo->setAlignment(Qt::AlignCenter);
    IDibujo->setWordWrap(true);

    QPushButton* proponer =
        handlerButton(form_, "BBProponer", "Proponer puntos",
                      "Empareja cada vértice de la parcela con el vértice catastral más cercano a menos de 5 m "
                      "(compruebe cada pareja)",
                      &TFDesplazamiento::BBProponerClick);
    QPushButton* anadir =
        handlerButton(form_, "BBAnadir", "Añadir fila", "Añade una fila para escribir un punto común", &TFDesplazamiento::BBAnadirClick);
    QPushButton* quitar = handlerButton(form_, "BBQuitar", "Quitar filas", "Quita las filas seleccionadas",
                                        &TFDesplazamiento::BBQuitarClick);
    QPushButton* cargar = handlerButton(form_, "BBCargar", "Cargar", "Carga los puntos comunes de un archivo N;Xm;Ym;Xc;Yc",
                                        &TFDesplazamiento::BBCargarClick);
    QPushButton* guardar = handlerButton(form_, "BBGuardar", "Guardar",
                                         "Guarda los puntos comunes en un archivo N;Xm;Ym;Xc;Yc", &TFDesplazamiento::BBGuardarClick);
    QPushButton* calcular = handlerButton(form_, "BBCalcular", "Calcular",
                                          "Calcula la transformación afín, el desplazamiento, el giro, la escala y los residuos",
                                          &TFDesplazamiento::BBCalcularClick);
    QPushButton* aplicar = handlerButton(form_, "BBAplicar", "Aplicar",
                                         "Mueve las coordenadas de la parcela con el desplazamiento y el giro calculados",
                                         &TFDesplazamiento::BBAplicarClick);
    QPushButton* cerrar = new QPushButton("Cerrar");
    cerrar->setObjectName("BBCerrar");
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);

    auto* tablaBotones = new QHBoxLayout;
    for (QPushButton* b : {proponer, anadir, quitar, cargar, guardar}) tablaBotones->addWidget(b);
    tablaBotones->addStretch();
    auto* finales = new QHBoxLayout;
    finales->addWidget(calcular);
    finales->addWidget(aplicar);
    finales->addStretch();
    finales->addWidget(cerrar);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(SGPares, 1);
    izquierda->addLayout(tablaBotones);
    izquierda->addWidget(MResultado);
    izquierda->addLayout(finales);
    auto* root = new QHBoxLayout(this);
    root->addLayout(izquierda, 1);
    root->addWidget(IDibujo, 0, Qt::AlignTop);

    setTabOrder(SGPares, proponer);
    push();
}

void ShiftWindow::pull()
{
    std::vector<FilaPar> filas;
    for (int r = 0; r < SGPares->rowCount(); ++r)
        filas.push_back({str(celda(SGPares, r, 0).trimmed()), str(celda(SGPares, r, 1).trimmed()),
                         str(celda(SGPares, r, 2).trimmed()), str(celda(SGPares, r, 3).trimmed()),
                         str(celda(SGPares, r, 4).trimmed()), str(celda(SGPares, r, kResiduo))});
    form_.SGPares = std::move(filas);
    form_.SGParesSeleccion.clear();
    for (const QModelIndex& i : SGPares->selectionModel()->selectedRows()) form_.SGParesSeleccion.push_back(i.row());
}

void ShiftWindow::push()
{
    SGPares->setRowCount(static_cast<int>(form_.SGPares.size()));
    for (int r = 0; r < SGPares->rowCount(); ++r) {
        const FilaPar& f = form_.SGPares[static_cast<std::size_t>(r)];
        const std::string* textos[] = {&f.n, &f.xm, &f.ym, &f.xc, &f.yc, &f.residuo};
        for (int c = 0; c < 6; ++c) {
            auto* item = new QTableWidgetItem(qs(*textos[c]));
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == kResiduo) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            SGPares->setItem(r, c, item);
        }
    }
    SGPares->clearSelection();
    for (int r : form_.SGParesSeleccion)
        if (r >= 0 && r < SGPares->rowCount()) SGPares->selectionModel()->select(
            SGPares->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    QString texto;
    for (const std::string& l : form_.MResultado) texto += qs(l) + "\n";
    if (MResultado->toPlainText() != texto) MResultado->setPlainText(texto);

    ImageCanvas canvas(kDibujo);
    if (form_.dibujaComparacion(canvas, kDibujo)) {
        IDibujo->setPixmap(QPixmap::fromImage(canvas.image()));
    } else {
        IDibujo->setPixmap(QPixmap());
        IDibujo->setText(qs(form_.sinDibujo()));
    }
}

}  // namespace vadrel::app
