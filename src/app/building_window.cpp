#include "app/building_window.hpp"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/coordinate_edit.hpp"
#include "app/qt_ui.hpp"

namespace vadrel::app {

namespace {

QLineEdit* field(const char* name)
{
    auto* e = new QLineEdit;
    e->setObjectName(name);
    return e;
}

}  // namespace

BuildingWindow::BuildingWindow(TFGMLEdif& form, QWidget* parent) : FormWindow(form, parent), form_(form)
{
    setObjectName("FGMLEdif");

    QHBoxLayout* header = windowHeader("Vadrel EDIFICIOS", Image1);

    auto* pages = new QTabWidget;
    pages->addTab(buildTop(), "GML");
    pages->tabBar()->setFocusPolicy(Qt::NoFocus);  // a single page: nothing to choose

    auto* root = new QVBoxLayout(this);
    // Tight margins: the whole window fits a 768-pixel-high laptop screen.
    root->setContentsMargins(8, 6, 8, 6);
    root->setSpacing(4);
    root->addLayout(header);
    root->addWidget(pages);

    // Reading order: the building, its buttons, then the editor and the list.
    auto named = [this](const char* name) { return findChild<QWidget*>(name); };
    tabOrder({ERefCatas, RBRefCatas, RBRefOtra, CBHuso, CBEstado, CBUso, EFechaConstruc, ENInmueble, ENViv, ENSobreRas,
              ESuptot, named("BBgml"), named("BBCargarXML"), named("BBComprobar"), named("BBComparar"), named("BBImprimir"),
              named("BBInforme"), named("BBLimpiarTodo"), named("BBVistaTotal"), named("BBMapaTotal"), named("BBExcelTodo"), named("BBCambiarHuso"), named("BBAyuda"), named("BBAcercade"),
              EArchivoDXF, CBTipo, CBIE, MX, MY, named("BBCargaDXF"), named("BBGuardar"), named("BBCargar"),
              named("BBLimpiar"), named("BBList"), named("BBVista"), named("BBVerMapa"), named("BBExcel"),
              named("SBNuevo"), named("SBBorrar"), named("SBSubir"), named("SBBajar"), LBElementos});

    // The hidden area field, part of the window but never shown, and the
    // copy reached by Ctrl+Alt+C.
    ESup = field("ESup");
    ESup->setParent(this);
    ESup->setVisible(false);
    auto* copiar = new QShortcut(QKeySequence("Ctrl+Alt+C"), this);
    copiar->setObjectName("Action1");
    connect(copiar, &QShortcut::activated, this, [this] {
        TFGMLEdif* f = &form_;
        run([f] { f->BBCopiarClick(); });
    });

    setClosesOnEscape(false);
    ERefCatas->setFocus();  // what the person types first goes somewhere
    push();
    fixSizeAndCentre();
}

QWidget* BuildingWindow::buildTop()
{
    auto* page = new QWidget;
    QStyle* st = style();

    auto* referencia = new QGroupBox;
    ERefCatas = field("ERefCatas");
    ERefCatas->setToolTip("Esta es la Referencia Catastral de la finca si ya tiene o bien alguna Referencia Local si "
                          "todavía no está inscrita o es resultado de una segregación.");
    RBRefCatas = new QRadioButton("Referencia Catastral");
    RBRefCatas->setObjectName("RBRefCatas");
    RBRefOtra = new QRadioButton("Nueva/Otra Referencia");
    RBRefOtra->setObjectName("RBRefOtra");
    auto* refLayout = new QGridLayout(referencia);
    refLayout->addWidget(new QLabel("Referencia"), 0, 0);
    refLayout->addWidget(ERefCatas, 0, 1, 1, 2);
    refLayout->addWidget(RBRefCatas, 1, 1);
    refLayout->addWidget(RBRefOtra, 1, 2);
    refLayout->setColumnStretch(1, 1);
    refLayout->setColumnStretch(2, 1);

    auto* valores = new QGroupBox;
    CBHuso = choice("CBHuso", {"28", "29", "30", "31"}, "Huso Geográfico");
    CBEstado = choice("CBEstado", {"Funcional", "Ruinoso", "Deficiente", "Proyectado", "En_Construccion", "Demolido"});
    CBUso = choice("CBUso", {"Residencial", "Agrícola", "Industrial", "Oficinas", "Comercial", "Serv. Públicos"});
    EFechaConstruc = field("EFechaConstruc");
    EFechaConstruc->setPlaceholderText("dd/mm/aaaa");
    onLeave(EFechaConstruc, form_, &TFGMLEdif::EFechaConstrucExit);
    ENInmueble = field("ENInmueble");
    ENViv = field("ENViv");
    ENSobreRas = field("ENSobreRas");
    ESuptot = field("ESuptot");
    auto* izq = new QFormLayout;
    izq->addRow("Huso", CBHuso);
    izq->addRow("Estado", CBEstado);
    izq->addRow("Uso principal", CBUso);
    izq->addRow("Fecha construcción", EFechaConstruc);
    auto* der = new QFormLayout;
    der->addRow("Nº Inmuebles", ENInmueble);
    der->addRow("Nº Viviendas", ENViv);
    der->addRow("Plantas sobre rasante", ENSobreRas);
    der->addRow("Sup. Construida Total", ESuptot);
    auto* valoresLayout = new QHBoxLayout(valores);
    valoresLayout->addLayout(izq);
    valoresLayout->addLayout(der);

    auto* columna = new QVBoxLayout;
    QPushButton* gml = handlerButton(form_, "BBgml", "Crear GML", "Crea el archivo GML", &TFGMLEdif::BBgmlClick);
    gml->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    QPushButton* cargar = handlerButton(form_, "BBCargarXML", "Cargar GML", "Rellenar los datos desde un GML ya creado",
                                        &TFGMLEdif::BBCargarXMLClick);
    cargar->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    QPushButton* comprobar = handlerButton(form_, "BBComprobar", "Comprobar",
                                           "Comprueba el GML antes de entregarlo al catastro", &TFGMLEdif::BBComprobarClick);
    comprobar->setIcon(st->standardIcon(QStyle::SP_DialogApplyButton));
    QPushButton* limpiar = handlerButton(form_, "BBLimpiarTodo", "Limpiar", "Borra TODOS los datos",
                                         &TFGMLEdif::BBLimpiarTodoClick);
    limpiar->setIcon(st->standardIcon(QStyle::SP_DialogResetButton));
    QPushButton* botones[] = {
        gml,
        cargar,
        comprobar,
        handlerButton(form_, "BBComparar", "Comparar con Catastro",
                      "Comprueba que cada edificación queda dentro de la parcela catastral de la referencia",
                      &TFGMLEdif::BBCompararClick),
        handlerButton(form_, "BBImprimir", "Imprimir", "Imprime la pantalla", &TFGMLEdif::BBImprimirClick),
        handlerButton(form_, "BBInforme", "Informe PDF",
                      "Guarda un informe en PDF con el plano, las coordenadas y la superficie", &TFGMLEdif::BBInformeClick),
        limpiar,
        handlerButton(form_, "BBVistaTotal", "Vista Previa",
                      "Visualiza la representación gráfica de todos los polígonos que haya en la Lista de Edificaciones",
                      &TFGMLEdif::BBVistaTotalClick),
        handlerButton(form_, "BBMapaTotal", "Ver en Mapa", "Muestra sobre el mapa de catastro todas las edificaciones.",
                      &TFGMLEdif::BBMapaTotalClick),
        handlerButton(form_, "BBExcelTodo", "Exportar", "Exportar las coordenadas a un formato Excel",
                      &TFGMLEdif::BBExcelTodoClick),
        handlerButton(form_, "BBCambiarHuso", "Cambiar huso", "Convierte las coordenadas de la lista a otro huso UTM",
                      &TFGMLEdif::BBCambiarHusoClick),
        handlerButton(form_, "BBAyuda", "Ayuda", "¡No me entero! ¡Ayúdame!", &TFGMLEdif::BBAyudaClick),
        handlerButton(form_, "BBAcercade", "® Acerca de", QString(), &TFGMLEdif::BBAcercadeClick),
    };
    // On a low screen the buttons go in two columns: one column set the
    // height of the whole top half, and the window did not fit.
    if (pantallaBaja()) {
        auto* rejilla = new QGridLayout;
        rejilla->setSpacing(2);
        const int filas = static_cast<int>((std::size(botones) + 1) / 2);
        for (int i = 0; i < static_cast<int>(std::size(botones)); ++i) rejilla->addWidget(botones[i], i % filas, i / filas);
        columna->addLayout(rejilla);
    } else {
        for (QPushButton* b : botones) columna->addWidget(b);
    }
    columna->addStretch();

    auto* datos = new QVBoxLayout;
    datos->addWidget(referencia);
    datos->addWidget(valores);
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(datos, 1);
    arriba->addLayout(columna);

    auto* edificaciones = new QTabWidget;
    edificaciones->addTab(buildEditor(), "Edificaciones");
    edificaciones->tabBar()->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(arriba);
    layout->addWidget(edificaciones, 1);
    return page;
}

QWidget* BuildingWindow::buildEditor()
{
    auto* page = new QWidget;
    QStyle* st = style();

    auto* datos = new QGroupBox("Datos Edificación");
    EArchivoDXF = field("EArchivoDXF");
    CBTipo = choice("CBTipo", {kEdificacion, kPiscina});
    CBIE = choice("CBIE", {kExterior, kInterior});
    onLeave(CBIE, form_, &TFGMLEdif::CBIEExit);
    MX = coordinateList("MX");
    MY = coordinateList("MY");
    scrollTogether(MX, MY);
    for (QPlainTextEdit* m : {MX, MY}) m->setMinimumSize(150, 160);
    onLeave(MX, form_, &TFGMLEdif::MXExit);
    onLeave(MY, form_, &TFGMLEdif::MYExit);

    auto* campos = new QGridLayout;
    campos->addWidget(new QLabel("Denominación"), 0, 0);
    campos->addWidget(EArchivoDXF, 0, 1, 1, 3);
    campos->addWidget(new QLabel("Tipo"), 1, 0);
    campos->addWidget(CBTipo, 1, 1);
    campos->addWidget(new QLabel("Int. / Ext."), 1, 2);
    campos->addWidget(CBIE, 1, 3);
    campos->addWidget(new QLabel("Coord. X"), 2, 0, 1, 2);
    campos->addWidget(new QLabel("Coord. Y"), 2, 2, 1, 2);
    campos->addWidget(MX, 3, 0, 1, 2);
    campos->addWidget(MY, 3, 2, 1, 2);

    auto* columna = new QVBoxLayout;
    QPushButton* guardar = handlerButton(form_, "BBGuardar", "Guardar", "Guardar las coordenadas", &TFGMLEdif::BBGuardarClick);
    guardar->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    QPushButton* cargar = handlerButton(form_, "BBCargar", "Cargar", "Cargar las coordenadas", &TFGMLEdif::BBCargarClick);
    cargar->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    QPushButton* botones[] = {
        handlerButton(form_, "BBCargaDXF", "Abre DXF", "Cargar coordenadas desde archivo DXF",
                      &TFGMLEdif::BBCargaDXFClick),
        guardar,
        cargar,
        handlerButton(form_, "BBLimpiar", "Limpiar", "Borrar las Coordenadas", &TFGMLEdif::BBLimpiarClick),
        handlerButton(form_, "BBList", "List Autocad",
                      "Introducir el contenido de la orden LIST de autocad para extraer las coordenadas",
                      &TFGMLEdif::BBListClick),
        handlerButton(form_, "BBVista", "Vista Previa",
                      "Visualiza la representación gráfica del polígono definido por las coordenadas.",
                      &TFGMLEdif::BBVistaClick),
        handlerButton(form_, "BBVerMapa", "Ver en Mapa", "Muestra sobre el mapa de catastro la edificación seleccionada.",
                      &TFGMLEdif::BBVerMapaClick),
        handlerButton(form_, "BBExcel", "Exportar", "Exportar las coordenadas a un formato Excel",
                      &TFGMLEdif::BBExcelClick),
    };
    for (QPushButton* b : botones) columna->addWidget(b);
    columna->addStretch();

    auto* datosLayout = new QHBoxLayout(datos);
    datosLayout->addLayout(campos, 1);
    datosLayout->addLayout(columna);

    // The list of constructions under its four small buttons.
    auto small = [&](const char* name, QStyle::StandardPixmap icon, const QString& hint, void (TFGMLEdif::*handler)()) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setIcon(st->standardIcon(icon));
        b->setToolTip(hint);
        connectClick(b, form_, handler);
        return b;
    };
    auto* pequenos = new QHBoxLayout;
    pequenos->addWidget(small("SBNuevo", QStyle::SP_FileIcon, "Nueva edificación", &TFGMLEdif::SBNuevoClick));
    pequenos->addWidget(
        small("SBBorrar", QStyle::SP_TrashIcon, "Borrar la edificación seleccionada", &TFGMLEdif::SBBorrarClick));
    pequenos->addWidget(
        small("SBSubir", QStyle::SP_ArrowUp, "Subir edificación una posición", &TFGMLEdif::SBSubirClick));
    pequenos->addWidget(
        small("SBBajar", QStyle::SP_ArrowDown, "Bajar edificación una posición", &TFGMLEdif::SBBajarClick));
    pequenos->addStretch();
    auto* list = new KeyboardList;
    LBElementos = list;
    LBElementos->setObjectName("LBElementos");
    LBElementos->setSelectionMode(QAbstractItemView::SingleSelection);
    LBElementos->setMinimumWidth(200);
    TFGMLEdif* form = &form_;
    connect(LBElementos, &QListWidget::itemClicked, this, [this, form] { run([form] { form->LBElementosClick(); }); });
    list->onKeyboardMove = [this, form] { run([form] { form->LBElementosClick(); }); };

    auto* lista = new QVBoxLayout;
    lista->addWidget(new QLabel("Lista Edificaciones"));
    lista->addLayout(pequenos);
    lista->addWidget(LBElementos, 1);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(datos, 1);
    layout->addLayout(lista);
    return page;
}

void BuildingWindow::pull()
{
    TFGMLEdif& f = form_;
    f.ERefCatas = str(ERefCatas->text());
    f.RBRefCatas = RBRefCatas->isChecked();
    f.RBRefOtra = RBRefOtra->isChecked();
    f.CBHuso = str(CBHuso->currentText());
    f.CBEstado = str(CBEstado->currentText());
    f.CBUso = str(CBUso->currentText());
    f.EFechaConstruc = str(EFechaConstruc->text());
    f.ENInmueble = str(ENInmueble->text());
    f.ENViv = str(ENViv->text());
    f.ENSobreRas = str(ENSobreRas->text());
    f.ESuptot = str(ESuptot->text());
    f.EArchivoDXF = str(EArchivoDXF->text());
    f.CBTipo = str(CBTipo->currentText());
    f.CBIE = str(CBIE->currentText());
    f.MX = lines(MX);
    f.MY = lines(MY);
    f.ESup = str(ESup->text());
    const auto selected = LBElementos->selectedItems();
    f.LBElementosIndex = selected.isEmpty() ? -1 : LBElementos->row(selected.front());
}

void BuildingWindow::push()
{
    const TFGMLEdif& f = form_;
    setText(ERefCatas, f.ERefCatas);
    (f.RBRefOtra ? RBRefOtra : RBRefCatas)->setChecked(true);
    setChoice(CBHuso, f.CBHuso);
    setChoice(CBEstado, f.CBEstado);
    setChoice(CBUso, f.CBUso);
    setText(EFechaConstruc, f.EFechaConstruc);
    setText(ENInmueble, f.ENInmueble);
    setText(ENViv, f.ENViv);
    setText(ENSobreRas, f.ENSobreRas);
    setText(ESuptot, f.ESuptot);
    setText(EArchivoDXF, f.EArchivoDXF);
    setChoice(CBTipo, f.CBTipo);
    setChoice(CBIE, f.CBIE);
    setLines(MX, f.MX);
    setLines(MY, f.MY);
    setText(ESup, f.ESup);

    setItems(LBElementos, f.LBElementos);
    LBElementos->clearSelection();
    if (f.LBElementosIndex >= 0 && f.LBElementosIndex < LBElementos->count()) {
        LBElementos->setCurrentRow(f.LBElementosIndex);
        LBElementos->item(f.LBElementosIndex)->setSelected(true);
    }
}

}  // namespace vadrel::app
