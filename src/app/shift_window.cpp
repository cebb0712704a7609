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

constexpr int kResidualColumn = 5;  // the column "Calcular" fills
constexpr int kPictureSide = 480;  // the picture's side on the dialog, drawn at that size: legible labels

QString cell(const QTableWidget* t, int row, int column)
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
    IDibujo->setFixedSize(kPictureSide, kPictureSide);
    IDibujo->setAlignment(Qt::AlignCenter);
    IDibujo->setWordWrap(true);

    QPushButton* propose =
        handlerButton(form_, "BBProponer", "Proponer puntos",
                      "Empareja cada vértice de la parcela con el vértice catastral más cercano a menos de 5 m "
                      "(compruebe cada pareja)",
                      &TFDesplazamiento::BBProponerClick);
    QPushButton* addRow =
        handlerButton(form_, "BBAnadir", "Añadir fila", "Añade una fila para escribir un punto común", &TFDesplazamiento::BBAnadirClick);
    QPushButton* removeRows = handlerButton(form_, "BBQuitar", "Quitar filas", "Quita las filas seleccionadas",
                                        &TFDesplazamiento::BBQuitarClick);
    QPushButton* load = handlerButton(form_, "BBCargar", "Cargar", "Carga los puntos comunes de un archivo N;Xm;Ym;Xc;Yc",
                                        &TFDesplazamiento::BBCargarClick);
    QPushButton* save = handlerButton(form_, "BBGuardar", "Guardar",
                                         "Guarda los puntos comunes en un archivo N;Xm;Ym;Xc;Yc", &TFDesplazamiento::BBGuardarClick);
    QPushButton* compute = handlerButton(form_, "BBCalcular", "Calcular",
                                          "Calcula la transformación afín, el desplazamiento, el giro, la escala y los residuos",
                                          &TFDesplazamiento::BBCalcularClick);
    QPushButton* apply = handlerButton(form_, "BBAplicar", "Aplicar",
                                         "Mueve las coordenadas de la parcela con el desplazamiento y el giro calculados",
                                         &TFDesplazamiento::BBAplicarClick);
    QPushButton* closeButton = new QPushButton("Cerrar");
    closeButton->setObjectName("BBCerrar");
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* tableButtons = new QHBoxLayout;
    for (QPushButton* b : {propose, addRow, removeRows, load, save}) tableButtons->addWidget(b);
    tableButtons->addStretch();
    auto* lastButtons = new QHBoxLayout;
    lastButtons->addWidget(compute);
    lastButtons->addWidget(apply);
    lastButtons->addStretch();
    lastButtons->addWidget(closeButton);

    auto* left = new QVBoxLayout;
    left->addWidget(SGPares, 1);
    left->addLayout(tableButtons);
    left->addWidget(MResultado);
    left->addLayout(lastButtons);
    auto* root = new QHBoxLayout(this);
    root->addLayout(left, 1);
    root->addWidget(IDibujo, 0, Qt::AlignTop);

    setTabOrder(SGPares, propose);
    push();
}

void ShiftWindow::pull()
{
    std::vector<FilaPar> rows;
    for (int r = 0; r < SGPares->rowCount(); ++r)
        rows.push_back({str(cell(SGPares, r, 0).trimmed()), str(cell(SGPares, r, 1).trimmed()),
                         str(cell(SGPares, r, 2).trimmed()), str(cell(SGPares, r, 3).trimmed()),
                         str(cell(SGPares, r, 4).trimmed()), str(cell(SGPares, r, kResidualColumn))});
    form_.SGPares = std::move(rows);
    form_.SGParesSeleccion.clear();
    for (const QModelIndex& i : SGPares->selectionModel()->selectedRows()) form_.SGParesSeleccion.push_back(i.row());
}

void ShiftWindow::push()
{
    SGPares->setRowCount(static_cast<int>(form_.SGPares.size()));
    for (int r = 0; r < SGPares->rowCount(); ++r) {
        const FilaPar& f = form_.SGPares[static_cast<std::size_t>(r)];
        const std::string* texts[] = {&f.n, &f.xm, &f.ym, &f.xc, &f.yc, &f.residuo};
        for (int c = 0; c < 6; ++c) {
            auto* item = new QTableWidgetItem(qs(*texts[c]));
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == kResidualColumn) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            SGPares->setItem(r, c, item);
        }
    }
    SGPares->clearSelection();
    for (int r : form_.SGParesSeleccion)
        if (r >= 0 && r < SGPares->rowCount()) SGPares->selectionModel()->select(
            SGPares->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    QString text;
    for (const std::string& l : form_.MResultado) text += qs(l) + "\n";
    if (MResultado->toPlainText() != text) MResultado->setPlainText(text);

    ImageCanvas canvas(kPictureSide);
    if (form_.dibujaComparacion(canvas, kPictureSide)) {
        IDibujo->setPixmap(QPixmap::fromImage(canvas.image()));
    } else {
        IDibujo->setPixmap(QPixmap());
        IDibujo->setText(qs(form_.sinDibujo()));
    }
}

}  // namespace vadrel::app
