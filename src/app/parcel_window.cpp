#include "app/parcel_window.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/coordinate_edit.hpp"
#include "app/qt_ui.hpp"

namespace vadrel::app {

ParcelWindow::ParcelWindow(TFParcelgen& form, QWidget* parent) : FormWindow(form, parent), form_(form)
{
    setObjectName("FParcelgen");

    QHBoxLayout* top = windowHeader("Vadrel PARCELAS", Image1);
    TFParcelgen* f = &form_;
    Image1->onDoubleClick = [this, f] { run([f] { f->BBAcercadeClick(); }); };

    PageControl = new QTabWidget;
    PageControl->addTab(buildGmlPage(), "GML");
    PageControl->addTab(buildGroupingPage(), "Agrupar GMLs");

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(PageControl);

    // Reading order: the pages' tabs, then each page top to bottom, left to right.
    auto named = [this](const char* name) { return findChild<QWidget*>(name); };
    tabOrder({PageControl->tabBar(), RBRefCatas, RBRefOtra, ERefCatas, named("BBDescargar"), ESup, ESupRegistral, CBHuso,
              named("BBgml"), named("BBCargarXML"), named("BBComprobar"), named("BBComparar"), named("BBDesplazamiento"), named("BBImprimir"),
              named("BBInforme"), named("BBLimpiarTodo"), EArchivoDXF, named("SBCargarDXF"), MX, MY, named("BBGuardar"), named("BBCargar"), named("BBLimpiar"), named("BBCalcular"), named("BBVista"),
              named("BBVerMapa"), named("BBExcel"), named("BBList"), named("BBCambiarHuso"), named("BBAyuda"), named("BBAcercade"),
              named("BitBtn1"), named("BitBtn2"), named("BBCompararMulti"), named("BBVPrevMulti"), LBOrigen, named("SpeedButton1"),
              named("SpeedButton2"), named("SpeedButton3"), LBDestino});

    setClosesOnEscape(false);
    // The tabs take the first focus, not the reference: leaving that field
    // empty warns, and the person's first click anywhere would bring it up.
    PageControl->tabBar()->setFocus();
    push();
    fixSizeAndCentre();
}

QWidget* ParcelWindow::buildGmlPage()
{
    auto* page = new QWidget;

    // The parcel: reference and its kind, area, zone.
    auto* datos = new QGroupBox;
    ERefCatas = new QLineEdit;
    ERefCatas->setObjectName("ERefCatas");
    ERefCatas->setToolTip("Esta es la Referencia Catastral de la finca si ya tiene o bien alguna Referencia Local si "
                          "todavía no está inscrita o es resultado de una segregación.");
    onLeave(ERefCatas, form_, &TFParcelgen::ERefCatasExit);
    RBRefCatas = new QRadioButton("Referencia Catastral");
    RBRefCatas->setObjectName("RBRefCatas");
    RBRefOtra = new QRadioButton("Nueva/Otra Referencia");
    RBRefOtra->setObjectName("RBRefOtra");
    ESup = new QLineEdit;
    ESup->setObjectName("ESup");
    ESup->setToolTip("Superficie con número entero, (redondear)");
    CBHuso = choice("CBHuso", {"28", "29", "30", "31"}, "Huso Geográfico");

    auto* grid = new QGridLayout(datos);
    grid->addWidget(RBRefCatas, 0, 0, 1, 2);
    grid->addWidget(RBRefOtra, 0, 2, 1, 2);
    grid->addWidget(ERefCatas, 1, 0, 1, 4);
    grid->addWidget(new QLabel("Superficie (m2)"), 2, 0);
    grid->addWidget(ESup, 2, 1);
    grid->addWidget(new QLabel("Huso"), 2, 2, Qt::AlignRight);
    grid->addWidget(CBHuso, 2, 3);
    QPushButton* descargar = handlerButton(form_, "BBDescargar", "Descargar del Catastro",
                                           "Carga las coordenadas, la superficie y el huso de la parcela catastral de la "
                                           "referencia",
                                           &TFParcelgen::BBDescargarClick);
    grid->addWidget(descargar, 3, 0, 1, 2);
    ESupRegistral = new QLineEdit;
    ESupRegistral->setObjectName("ESupRegistral");
    ESupRegistral->setToolTip("Superficie de la finca en el Registro de la Propiedad (m2, opcional): la comparación "
                              "con el catastro dice en qué tramo de diferencia queda");
    // Beside "Descargar", under the zone: the window grows no taller.
    grid->addWidget(new QLabel("Superficie registral"), 3, 2, Qt::AlignRight);
    grid->addWidget(ESupRegistral, 3, 3);
    ERefCatas->setMinimumWidth(300);

    // Two columns of four: one column of eight made the window taller than a
    // laptop's screen of 768 pixels.
    auto* acciones = new QGridLayout;
    QStyle* st = style();
    QPushButton* gml = handlerButton(form_, "BBgml", "Crear GML", "Crea el archivo GML", &TFParcelgen::BBgmlClick);
    gml->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    QPushButton* cargarXml = handlerButton(form_, "BBCargarXML", "Cargar GML", "Rellenar los datos desde un GML ya creado",
                                           &TFParcelgen::BBCargarXMLClick);
    cargarXml->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    QPushButton* comprobar = handlerButton(form_, "BBComprobar", "Comprobar",
                                           "Comprueba el GML antes de entregarlo al catastro", &TFParcelgen::BBComprobarClick);
    comprobar->setIcon(st->standardIcon(QStyle::SP_DialogApplyButton));
    QPushButton* comparar = handlerButton(form_, "BBComparar", "Comparar con Catastro",
                                          "Compara con la cartografía catastral: solapes con las parcelas colindantes y "
                                          "diferencias de superficie y de perímetro",
                                          &TFParcelgen::BBCompararClick);
    QPushButton* desplazamiento =
        handlerButton(form_, "BBDesplazamiento", "Desplazamiento",
                      "Calcula el desplazamiento y el giro de la cartografía catastral con puntos comunes",
                      &TFParcelgen::BBDesplazamientoClick);
    QPushButton* imprimir = handlerButton(form_, "BBImprimir", "Imprimir", "Imprime la pantalla", &TFParcelgen::BBImprimirClick);
    QPushButton* informe =
        handlerButton(form_, "BBInforme", "Informe PDF", "Guarda un informe en PDF con el plano, las coordenadas y la superficie",
                      &TFParcelgen::BBInformeClick);
    QPushButton* limpiarTodo =
        handlerButton(form_, "BBLimpiarTodo", "Limpiar", "Borra TODOS los datos", &TFParcelgen::BBLimpiarTodoClick);
    limpiarTodo->setIcon(st->standardIcon(QStyle::SP_DialogResetButton));
    // The file on the left, the cadastre and the client's papers on the right.
    int fila = 0;
    for (QPushButton* b : {gml, cargarXml, comprobar, limpiarTodo}) acciones->addWidget(b, fila++, 0);
    fila = 0;
    for (QPushButton* b : {comparar, desplazamiento, informe, imprimir}) acciones->addWidget(b, fila++, 1);
    acciones->setRowStretch(4, 1);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(datos, 1);
    arriba->addLayout(acciones);

    // The coordinates: DXF path, the two lists, and their buttons.
    auto* coordenadas = new QGroupBox("Coordenadas");
    EArchivoDXF = new QLineEdit;
    EArchivoDXF->setObjectName("EArchivoDXF");
    EArchivoDXF->setToolTip("Ruta y nombre del Fichero DXF cargado");
    auto* dxf = new QToolButton;
    dxf->setObjectName("SBCargarDXF");
    dxf->setIcon(st->standardIcon(QStyle::SP_DirOpenIcon));
    dxf->setToolTip("Cargar Coordenadas desde un Fichero DXF");
    connectClick(dxf, form_, &TFParcelgen::SBCargarDXFClick);
    MX = coordinateList("MX");
    MY = coordinateList("MY");
    scrollTogether(MX, MY);
    for (QPlainTextEdit* m : {MX, MY}) m->setMinimumSize(170, 300);

    auto* columna = new QVBoxLayout;
    QPushButton* guardar =
        handlerButton(form_, "BBGuardar", "Guardar", "Guardar las coordenadas", &TFParcelgen::BBGuardarClick);
    guardar->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    QPushButton* cargar = handlerButton(form_, "BBCargar", "Cargar", "Cargar las coordenadas", &TFParcelgen::BBCargarClick);
    cargar->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    QPushButton* botones[] = {
        guardar,
        cargar,
        handlerButton(form_, "BBLimpiar", "Limpiar", "Borrar las Coordenadas", &TFParcelgen::BBLimpiarClick),
        handlerButton(form_, "BBCalcular", "Cal. Área", "Calcular área del polígono definido por las coordenadas.",
                      &TFParcelgen::BBCalcularClick),
        handlerButton(form_, "BBVista", "Vista Prev.",
                      "Visualiza la representación gráfica del polígono definido por las coordenadas.",
                      &TFParcelgen::BBVistaClick),
        handlerButton(form_, "BBVerMapa", "Ver Mapa", "Muestra sobre el mapa de catastro la edificación seleccionada.",
                      &TFParcelgen::BBVerMapaClick),
        handlerButton(form_, "BBExcel", "Exportar", "Exportar las coordenadas a un formato Excel",
                      &TFParcelgen::BBExcelClick),
        handlerButton(form_, "BBList", "List Autocad",
                      "Introducir el contenido de la orden LIST de autocad para extraer las coordenadas",
                      &TFParcelgen::BBListClick),
        handlerButton(form_, "BBCambiarHuso", "Cambiar huso", "Convierte las coordenadas de la lista a otro huso UTM",
                      &TFParcelgen::BBCambiarHusoClick),
        handlerButton(form_, "BBAyuda", "Ayuda", "¡No me entero! ¡Ayúdame!", &TFParcelgen::BBAyudaClick),
        handlerButton(form_, "BBAcercade", "® Acerca de", QString(), &TFParcelgen::BBAcercadeClick),
    };
    for (QPushButton* b : botones) columna->addWidget(b);
    columna->addStretch();

    auto* dxfFila = new QHBoxLayout;
    dxfFila->addWidget(new QLabel("Cargar Puntos desde DXF"));
    dxfFila->addWidget(EArchivoDXF, 1);
    dxfFila->addWidget(dxf);

    auto* listas = new QGridLayout;
    listas->addWidget(new QLabel("Coord. X"), 0, 0);
    listas->addWidget(new QLabel("Coord. Y"), 0, 1);
    listas->addWidget(MX, 1, 0);
    listas->addWidget(MY, 1, 1);

    auto* izquierda = new QVBoxLayout;
    izquierda->addLayout(dxfFila);
    izquierda->addLayout(listas);
    auto* cuerpo = new QHBoxLayout(coordenadas);
    cuerpo->addLayout(izquierda, 1);
    cuerpo->addLayout(columna);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(arriba);
    layout->addWidget(coordenadas, 1);
    return page;
}

QWidget* ParcelWindow::buildGroupingPage()
{
    auto* page = new QWidget;
    QStyle* st = style();

    // The form keeps the left list in order; the widget shows it as it is.
    LBOrigen = new QListWidget;
    LBOrigen->setObjectName("LBOrigen");
    LBDestino = new QListWidget;
    LBDestino->setObjectName("LBDestino");
    for (QListWidget* l : {LBOrigen, LBDestino}) {
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
        l->setMinimumSize(220, 300);
    }

    QPushButton* cargar =
        handlerButton(form_, "BitBtn1", "Cargar GMLs", "Añade GMLs a la lista para poder unirlos o visualizarlos",
                      &TFParcelgen::BitBtn1Click);
    cargar->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    QPushButton* agrupar = handlerButton(form_, "BitBtn2", "Agrupar GMLs",
                                         "Guarda todos los GMLs de la lista de la derecha como un solo archivo.",
                                         &TFParcelgen::BitBtn2Click);
    agrupar->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    QPushButton* vista = handlerButton(form_, "BBVPrevMulti", "Vista Prev.",
                                       "Visualiza la representación gráfica de los GMLs de la columna derecha.",
                                       &TFParcelgen::BBVPrevMultiClick);

    QPushButton* comparar = handlerButton(form_, "BBCompararMulti", "Comparar con Catastro",
                                          "Compara los GMLs de la columna derecha, como una sola operación, con la "
                                          "cartografía catastral",
                                          &TFParcelgen::BBCompararMultiClick);

    auto smallButton = [&](const char* name, QStyle::StandardPixmap icon, void (TFParcelgen::*handler)()) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setIcon(st->standardIcon(icon));
        connectClick(b, form_, handler);
        return b;
    };
    auto* mover = new QVBoxLayout;
    mover->addStretch();
    mover->addWidget(smallButton("SpeedButton1", QStyle::SP_ArrowRight, &TFParcelgen::SpeedButton1Click));
    mover->addWidget(smallButton("SpeedButton2", QStyle::SP_ArrowLeft, &TFParcelgen::SpeedButton2Click));
    mover->addWidget(smallButton("SpeedButton3", QStyle::SP_TrashIcon, &TFParcelgen::SpeedButton3Click));
    mover->addStretch();

    auto* listas = new QHBoxLayout;
    listas->addWidget(LBOrigen);
    listas->addLayout(mover);
    listas->addWidget(LBDestino);

    auto* botones = new QHBoxLayout;
    botones->addWidget(cargar);
    botones->addWidget(agrupar);
    botones->addStretch();
    botones->addWidget(comparar);
    botones->addWidget(vista);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(botones);
    layout->addLayout(listas, 1);
    return page;
}

void ParcelWindow::pull()
{
    form_.ERefCatas = str(ERefCatas->text());
    form_.RBRefCatas = RBRefCatas->isChecked();
    form_.RBRefOtra = RBRefOtra->isChecked();
    form_.ESup = str(ESup->text());
    form_.ESupRegistral = str(ESupRegistral->text());
    form_.CBHuso = str(CBHuso->currentText());
    form_.EArchivoDXF = str(EArchivoDXF->text());
    form_.MX = lines(MX);
    form_.MY = lines(MY);
    form_.LBOrigen = fileItems(LBOrigen);
    form_.LBDestino = fileItems(LBDestino);
    form_.LBOrigenSeleccion = selectedRows(LBOrigen);
    form_.LBDestinoSeleccion = selectedRows(LBDestino);
}

void ParcelWindow::push()
{
    setText(ERefCatas, form_.ERefCatas);
    // Radio buttons of one group are turned on, never off.
    (form_.RBRefOtra ? RBRefOtra : RBRefCatas)->setChecked(true);
    setText(ESup, form_.ESup);
    setText(ESupRegistral, form_.ESupRegistral);
    setChoice(CBHuso, form_.CBHuso);
    setText(EArchivoDXF, form_.EArchivoDXF);
    setLines(MX, form_.MX);
    setLines(MY, form_.MY);
    setFileItems(LBOrigen, form_.LBOrigen);
    setFileItems(LBDestino, form_.LBDestino);
    selectRows(LBOrigen, form_.LBOrigenSeleccion);
    selectRows(LBDestino, form_.LBDestinoSeleccion);
}

}  // namespace vadrel::app
