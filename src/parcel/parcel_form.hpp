#pragma once
// The parcel window, toolkit-free: its fields under the control names, its
// documents, and one member function per handler.

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "compare/comparison.hpp"
#include "compare/shapes.hpp"
#include "core/arcs.hpp"
#include "core/coord_list.hpp"
#include "core/environment.hpp"
#include "core/form.hpp"
#include "core/ui.hpp"
#include "parcel/shift_form.hpp"

namespace vadrel {

// "Cargar GML" of a file of several surfaces; the client's report, which
// shows them all, leaves this warning out.
inline constexpr const char* kAvisoVariasSuperficies =
    "¡Atención! GML con varias superficies definidas. Sólo se cargará la primera.";

class TFParcelgen : public Form {
public:
    TFParcelgen(Ui& ui, Entorno entorno, Aplicacion* app = nullptr);

    std::string_view instancia() const override { return "FParcelgen"; }
    std::string_view Caption() const override { return "Generador GML PARCELAS"; }

    static constexpr const char* kPlantillaParcela = "BASE_PARCELAS.XML";
    static constexpr const char* kPlantillaMultiple = "BASE_MULTIPLE.XML";

    // Fields, as the window shows them.
    std::string ERefCatas;
    bool RBRefCatas = true;
    bool RBRefOtra = false;
    std::string ESup;
    std::string ESupRegistral;  // "Superficie registral", m2; optional
    std::string CBHuso = "30";
    std::string EArchivoDXF;
    CoordList MX;
    CoordList MY;
    // The full path of each file chosen; the window shows the bare names
    // and the path as each line's hint, and files are opened by that path.
    std::vector<std::string> LBOrigen;   // kept in alphabetical order of the names
    std::vector<std::string> LBDestino;  // in the order moved in: the grouping order
    std::vector<int> LBOrigenSeleccion;  // the selected lines of each list
    std::vector<int> LBDestinoSeleccion;

    // The parcel template, filled in place by every write; the document GML
    // files are read into; the grouping document.
    pugi::xml_document XMLParcela;
    pugi::xml_document XMLCarga;
    pugi::xml_document XMLMultiple;

    // The cadastral map of the last "Comparar con Catastro", drawn behind
    // the plan of the client's report; emptied with the top "Limpiar".
    std::vector<compare::Shape> cartografia;
    // The parcel as that comparison took it, and its figures: what
    // "Proponer puntos" pairs; none before a comparison or after "Limpiar".
    std::vector<compare::Shape> nuevas;
    std::optional<compare::ParcelComparison> comparacion;
    // "Desplazamiento": its table and its last fit stay for the session.
    TFDesplazamiento FDesplazamiento;

    // Captured at creation.
    std::filesystem::path directorio;
    NumberFormat formato;

    // The sagitta within which the arcs of a loaded drawing become chords
    // (0 keeps the chords): the batch command's --flecha.
    double flecha = arcos::kFlechaPorDefecto;

    // Loads both templates; throws Failure with the loader's message.
    void FormCreate();

    void BBgmlClick();         // "Crear GML"
    void BBCargarXMLClick();   // "Cargar GML"
    void BBComprobarClick();   // "Comprobar": checks a GML file, changes nothing here
    void BBCompararClick();    // "Comparar con Catastro": the ring against the cadastral map
    void BBDesplazamientoClick();  // "Desplazamiento": the common points' dialog
    void BBDescargarClick();   // "Descargar del Catastro": the parcel of the typed reference
    void BBCalcularClick();    // "Cal. Área"
    void ERefCatasExit();      // leaving the reference field
    void BBLimpiarClick();     // "Limpiar" of the coordinates box
    void BBLimpiarTodoClick(); // "Limpiar" of the top box
    void BBGuardarClick();     // "Guardar" the coordinates
    void BBCargarClick();      // "Cargar" coordinates
    void BBImprimirClick();    // "Imprimir"
    void BBInformeClick();     // "Informe PDF": the client's report of the GML "Crear GML" writes
    void BBAyudaClick();       // "Ayuda"
    void BBAcercadeClick();    // "® Acerca de", and a double click on the emblem
    void BBVPrevMultiClick();  // "Vista Prev." of the grouping page
    void BBVistaClick();       // "Vista Prev." of the coordinates
    void DibujaGML();          // the lists drawn into the preview
    void BBVerMapaClick();     // "Ver Mapa"
    void BitBtn1Click();       // "Cargar GMLs"
    void BitBtn2Click();       // "Agrupar GMLs"
    void BBCompararMultiClick();  // "Comparar con Catastro" of the grouping page: the right-hand files
    void SpeedButton1Click();  // selected names to the right
    void SpeedButton2Click();  // selected names back to the left
    void SpeedButton3Click();  // both lists emptied
    void SBCargarDXFClick();   // load the points of a DXF polyline
    void BBListClick();        // "List Autocad"
    void BBExcelClick();       // "Exportar" to a spreadsheet table
    void BBCambiarHusoClick(); // "Cambiar huso": the lists converted to another zone

    // Turns one of the two radio buttons on, the other off.
    void setReferenciaCatastral(bool catastral);

private:
    // "Crear GML" up to the file: checks the fields, closes the ring and
    // fills the template; false when that ended on a message.
    bool preparaGml(bool paraInforme = false);
    void cargaParcela();  // the window filled from XMLCarga, as "Cargar GML" fills it
    bool agrupaVarias(pugi::xml_node coleccion);
    bool agrupaUna(pugi::xml_node coleccion);
    void cierraAnillo();
    bool superficieConfirmada(bool paraInforme);  // the area field against the ring's; asks when they differ
    void rellenaPlantilla(const std::string& epsg);

    // The lists as last loaded or written: "Descargar del Catastro" and the
    // top "Limpiar" ask before they drop anything else the lists hold.
    void recuerdaListas();
    bool puedeBorrarListas();
    // Runs a load that may add to the lists; remembers them when it did.
    template <class Carga>
    void cargaEnListas(Carga carga)
    {
        const CoordList x = MX, y = MY;
        carga();
        if (MX != x || MY != y) recuerdaListas();
    }
    CoordList listasX_, listasY_;

    Entorno entorno_;
};

}  // namespace vadrel
