#include <gtest/gtest.h>

#include "building_fixture.hpp"

using namespace vadrel;
using test::BuildingFormTest;

using BuildingEditorTest = BuildingFormTest;

namespace {
}  // namespace

TEST_P(BuildingEditorTest, ShowingTheWindowStartsOneNewConstruction)
{
    EXPECT_EQ(nombres(), std::vector<std::string>{"Nueva Edificación 1"});
    EXPECT_EQ(form->LBElementos, std::vector<std::string>{"Nueva Edificación 1"});
    EXPECT_EQ(form->EArchivoDXF, "Nueva Edificación 1");
    EXPECT_EQ(form->LBElementosIndex, -1);
    EXPECT_EQ(form->ESup, "Superficie Oculta");

    form->ERefCatas = "R";
    form->MX = {"1", "2"};
    form->SBNuevoClick();
    form->SBNuevoClick();
    form->MX = {"7"};
    form->FormShow();
    EXPECT_EQ(form->Edificaciones.size(), 1u);
    EXPECT_EQ(form->ERefCatas, "R");
    EXPECT_EQ(form->MX, CoordList{"7"});
    form->MXExit();
    EXPECT_EQ(form->Edificaciones[0].coorx, CoordList{"7"});
}

// A line goes only when it is empty (or one blank) in both lists: a gap in
// one list never pairs a later X with another vertex's Y.
TEST_P(BuildingEditorTest, StoreDropsLinesEmptyInBothListsOnly)
{
    const struct {
        CoordList mx, my, x, y;
    } cases[] = {
        {{"1", "", "3"}, {"a", " ", "c"}, {"1", "3"}, {"a", "c"}},
        {{"1", "", "3", "4"}, {"a", "b", "", "d"}, {"1", "", "3", "4"}, {"a", "b", "", "d"}},
        {{"1", "", "", " ", "  ", "2"}, {" ", "3"}, {"1", "", "  ", "2"}, {" ", "3"}},
        {{"1", "2", "3"}, {}, {"1", "2", "3"}, {}},  // X typed first: Y still to come
    };
    for (const auto& c : cases) {
        form->MX = c.mx;
        form->MY = c.my;
        form->EArchivoDXF = "Casa";
        form->CBTipo = kEdificacion;
        form->CBIE = kExterior;
        form->MXExit();
        const EdifProp& e = form->Edificaciones[0];
        EXPECT_EQ(e.coorx, c.x);
        EXPECT_EQ(e.coory, c.y);
        EXPECT_EQ(form->MX, c.x) << "the editor shows what was stored";
    }
    const EdifProp& e = form->Edificaciones[0];
    EXPECT_EQ(e.nombre, "Casa");
    EXPECT_EQ(e.tipo, kEdificacion);
    EXPECT_EQ(e.e_i, kExterior);
    EXPECT_EQ(form->LBElementos[0], "Nueva Edificación 1") << "the list shows the name only after a refresh";
    form->CBIEExit();
    EXPECT_EQ(form->LBElementos[0], "Casa");
}

TEST_P(BuildingEditorTest, StoreRefusesWhenTheIndexHasNoConstruction)
{
    form->elemActual = 2;
    form->GuardaElem();
    EXPECT_EQ(ui.messages.back(), "Error. Sólo hay un elemento y estoy situado en 2. Reicicie el programa.");
    form->Edificaciones.clear();
    form->elemActual = 0;
    form->GuardaElem();
    EXPECT_EQ(ui.messages.back(), "Error. Hay menos elementos de los esperados. Reinicie el programa.");
    form->Edificaciones.resize(3);
    form->elemActual = 7;
    form->GuardaElem();
    EXPECT_EQ(ui.messages.back(), "Error. Hay menos elementos de los esperados. Reinicie el programa.");
}

TEST_P(BuildingEditorTest, NewNamesFollowTheCountAndStoresTheShownOne)
{
    form->MX = {"1"};
    form->SBNuevoClick();
    EXPECT_EQ(form->Edificaciones[0].coorx, CoordList{"1"});
    EXPECT_TRUE(form->MX.empty());
    form->SBNuevoClick();
    EXPECT_EQ(nombres(),
              (std::vector<std::string>{"Nueva Edificación 1", "Nueva Edificación 2", "Nueva Edificación 3"}));
    EXPECT_EQ(form->Edificaciones[2].id, 3);
    EXPECT_EQ(form->elemActual, 2);
    EXPECT_EQ(form->LBElementosIndex, 2);

    ui.confirmAnswers.push_back(true);
    form->LBElementosIndex = 1;
    form->SBBorrarClick();
    EXPECT_EQ(ui.questions.back(), "¿Está seguro de que desea borrar la edificación seleccionada?");
    form->SBNuevoClick();
    EXPECT_EQ(nombres(),
              (std::vector<std::string>{"Nueva Edificación 1", "Nueva Edificación 3", "Nueva Edificación 3"}));
    EXPECT_EQ(form->LBElementos, nombres());
}

TEST_P(BuildingEditorTest, UpAndDownStoreTheEditorAndTheSelectionFollowsTheMovedConstruction)
{
    form->EArchivoDXF = "A";
    form->SBNuevoClick();
    form->EArchivoDXF = "B";
    form->MX = {"b"};
    form->MY = {"b"};
    form->SBNuevoClick();
    form->EArchivoDXF = "C";
    form->CBIEExit();
    ASSERT_EQ(form->LBElementos, (std::vector<std::string>{"A", "B", "C"}));

    // B edited: a line added to X (stored on leaving X), then one to Y,
    // still in the editor when the arrow is pressed.
    form->LBElementosIndex = 1;
    form->LBElementosClick();
    form->MX = {"b", "b2"};
    form->MXExit();
    form->MY = {"b", "y2"};
    form->SBSubirClick();
    EXPECT_EQ(nombres(), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(form->LBElementos, nombres());
    EXPECT_EQ(form->LBElementosIndex, 0) << "the selection follows B";
    EXPECT_EQ(form->EArchivoDXF, "B");
    EXPECT_EQ(form->Edificaciones[0].coorx, (CoordList{"b", "b2"}));
    EXPECT_EQ(form->Edificaciones[0].coory, (CoordList{"b", "y2"})) << "the Y line typed last is kept";
    EXPECT_EQ(form->MY, (CoordList{"b", "y2"}));

    form->MX = {"b", "b2", "b3"};
    form->MY = {"b", "y2", "y3"};
    form->SBBajarClick();
    form->SBBajarClick();
    EXPECT_EQ(nombres(), (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(form->LBElementosIndex, 2);
    EXPECT_EQ(form->Edificaciones[2].coory, (CoordList{"b", "y2", "y3"}));
    EXPECT_EQ(form->MX, (CoordList{"b", "b2", "b3"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(BuildingEditorTest, ClosingOrClearingAListWithCoordinatesAsksFirst)
{
    const char* const cerrar = "Se perderán las edificaciones de la lista. ¿Desea cerrar la ventana?";
    const char* const limpiar = "Se borrarán todos los datos y las edificaciones de la lista. ¿Desea continuar?";
    // Nothing to lose: no question.
    EXPECT_TRUE(form->FormCloseQuery());
    form->BBLimpiarTodoClick();
    EXPECT_TRUE(ui.questions.empty());

    form->ERefCatas = "R";
    form->MX = {"1"};  // typed, not yet stored
    EXPECT_FALSE(form->FormCloseQuery()) << "No is the default";
    form->SBNuevoClick();
    form->SBNuevoClick();
    form->BBLimpiarTodoClick();
    EXPECT_EQ(ui.questions, (std::vector<std::string>{cerrar, limpiar}));
    EXPECT_EQ(form->Edificaciones.size(), 3u) << "No changes nothing";
    EXPECT_EQ(form->ERefCatas, "R");

    ui.confirmAnswers = {true, true};
    EXPECT_TRUE(form->FormCloseQuery());
    form->BBLimpiarTodoClick();
    EXPECT_EQ(form->Edificaciones.size(), 1u);
    EXPECT_TRUE(form->ERefCatas.empty());
}

TEST_P(BuildingEditorTest, EditorRefusalsAreTold)
{
    const struct {
        void (TFGMLEdif::*handler)();
        int selected;
        const char* message;
    } cases[] = {
        {&TFGMLEdif::SBBajarClick, 0, "Error. No puede bajar más la última edificación."},
        {&TFGMLEdif::SBSubirClick, 0, "Error. No puede subir más la primera edificación."},
        {&TFGMLEdif::SBSubirClick, -1, "Error. No había nada seleccionado."},
    };
    for (const auto& c : cases) {
        form->LBElementosIndex = c.selected;
        (*form.*c.handler)();
        EXPECT_EQ(ui.messages.back(), c.message);
    }
    ui.confirmAnswers.push_back(true);
    form->SBBorrarClick();
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.messages.back(), "Error. Debe existir una edificación como mínimo.");

    form->SBNuevoClick();
    form->LBElementosIndex = -1;
    ui.confirmAnswers.push_back(true);
    form->SBBorrarClick();
    EXPECT_EQ(ui.messages.back(), "Error. No había nada seleccionado.");
    form->LBElementosIndex = 1;
    form->SBBajarClick();
    EXPECT_EQ(ui.messages.back(), "Error. No puede bajar más la última edificación.");

    ui.confirmAnswers.push_back(false);
    form->LBElementosIndex = 0;
    form->SBBorrarClick();
    EXPECT_EQ(form->Edificaciones.size(), 2u);
}

TEST_P(BuildingEditorTest, DateIsRewrittenOrRefused)
{
    const std::pair<const char*, const char*> table[] = {
        {"3/7/2015", "03/07/2015"}, {" 03/07/2015 ", "03/07/2015"}, {"29/2/2024", "29/02/2024"}, {"1/1/15", "01/01/2015"}};
    for (auto [typed, shown] : table) {
        form->EFechaConstruc = typed;
        form->EFechaConstrucExit();
        EXPECT_EQ(form->EFechaConstruc, shown) << typed;
    }
    EXPECT_TRUE(ui.messages.empty());
    form->EFechaConstruc = "";
    form->EFechaConstrucExit();
    EXPECT_TRUE(ui.messages.empty()) << "an empty date is asked for by the writer, not on every pass";
    for (const char* bad : {" x ", "31/02/2020", "29/2/2023", "3-7-2015", "3/7", "hoy", "0/1/2000", "1/13/2000"}) {
        form->EFechaConstruc = bad;
        form->EFechaConstrucExit();
        EXPECT_EQ(ui.messages.back(), "Fecha inválida. Por favor, ingrese una fecha en formato dd/mm/aaaa") << bad;
        EXPECT_EQ(form->EFechaConstruc, bad);
    }
}

TEST_P(BuildingEditorTest, ClearingTheEditorOrEverything)
{
    valores();
    form->CBHuso = "28";
    form->CBEstado = "Ruinoso";
    form->setReferenciaCatastral(false);
    form->CBTipo = kPiscina;
    form->MX = {"1"};
    form->BBLimpiarClick();
    EXPECT_TRUE(form->MX.empty() && form->CBTipo.empty() && form->EArchivoDXF.empty());
    EXPECT_EQ(form->Edificaciones[0].nombre, "Nueva Edificación 1") << "nothing is stored";

    form->SBNuevoClick();
    form->BBLimpiarTodoClick();
    EXPECT_EQ(form->Edificaciones.size(), 1u);
    EXPECT_EQ(form->EArchivoDXF, "Nueva Edificación 1");
    EXPECT_EQ(form->LBElementosIndex, -1);
    for (const std::string* f : {&form->ERefCatas, &form->EFechaConstruc, &form->ENInmueble, &form->ENViv,
                                 &form->ENSobreRas, &form->ESuptot})
        EXPECT_TRUE(f->empty());
    EXPECT_EQ(form->CBHuso, "28");
    EXPECT_EQ(form->CBEstado, "Ruinoso");
    EXPECT_TRUE(form->RBRefOtra);
}

TEST_P(BuildingEditorTest, HiddenAreaAndCopy)
{
    form->MX = {"0", "10", "", "10", "0"};
    form->MY = {"0", "0", "", "10", "10"};
    form->BBCalcularClick();
    EXPECT_EQ(form->ESup, "100");
    form->BBCopiarClick();
    EXPECT_EQ(ui.clipboard, "0 0;10 0;10 10;0 10;");
    form->MX.push_back("5");
    form->BBCopiarClick();
    EXPECT_EQ(ui.messages.back(), "Error. Debe haber el mismo número de coordenadas en X que en Y.");
    form->MX = {"0", "1"};
    form->MY = {"0", "1"};
    form->BBCalcularClick();
    EXPECT_EQ(ui.messages.back(), "Error. Debe haber al menos tres coordenadas X e Y.");
    form->MX.clear();
    form->MY.clear();
    form->BBCopiarClick();
    EXPECT_EQ(ui.clipboard, "");
}

TEST_P(BuildingEditorTest, HelpPrintAndAbout)
{
    form->BBAyudaClick();
    EXPECT_EQ(ui.openedWithDesktop, std::vector<std::string>{(dir / "ayuda.pdf").string()});
    EXPECT_TRUE(ui.messages.empty());
    ui.desktopOpens = false;
    form->BBAyudaClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"No se ha podido abrir " + (dir / "ayuda.pdf").string() +
                                                    ". Ábralo con su lector de PDF."});
    form->BBImprimirClick();
    EXPECT_EQ(ui.printed, 1);
}

INSTANTIATE_TEST_SUITE_P(Separators, BuildingEditorTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "dot" : "comma"; });
