#pragma once
// The building window, toolkit-free: the building's values, the ordered list
// of its constructions and the editor that shows one of them.

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "building/edif_prop.hpp"
#include "compare/shapes.hpp"
#include "core/arcs.hpp"
#include "core/environment.hpp"
#include "core/form.hpp"
#include "core/ui.hpp"

namespace vadrel {

class TFGMLEdif : public Form {
public:
    TFGMLEdif(Ui& ui, Entorno entorno, Aplicacion* app = nullptr);

    std::string_view instancia() const override { return "FGMLEdif"; }
    std::string_view Caption() const override { return "Generador de GML de Edificio"; }

    static constexpr const char* kPlantillaEdificios = "BASE_EDIFICIOS.XML";
    static constexpr const char* kPlantillaPiscinas = "BASE_PISCINAS.XML";

    // Building values.
    std::string ERefCatas;
    bool RBRefCatas = true;
    bool RBRefOtra = false;
    std::string CBHuso = "30";
    std::string CBEstado = "Funcional";
    std::string CBUso = "Residencial";
    std::string EFechaConstruc;
    std::string ENInmueble;
    std::string ENViv;
    std::string ENSobreRas;
    std::string ESuptot;

    // The editor of the shown construction.
    std::string EArchivoDXF;  // "Denominación"
    std::string CBTipo;
    std::string CBIE;
    CoordList MX;
    CoordList MY;
    std::string ESup = "Superficie Oculta";  // hidden: the shown construction's area

    // The constructions, the list of their names and the shown one.
    std::vector<EdifProp> Edificaciones;
    std::vector<std::string> LBElementos;
    int LBElementosIndex = -1;  // the selected line, -1 for none
    int elemActual = 0;

    pugi::xml_document XMLEdificio;
    pugi::xml_document XMLPiscina;
    pugi::xml_document XMLCarga;

    // The cadastre parcel of the last "Comparar con Catastro", drawn behind
    // the plan of the client's report; emptied with the top "Limpiar".
    std::vector<compare::Shape> parcelaCatastral;

    std::filesystem::path directorio;
    NumberFormat formato;
    // The sagitta within which the arcs of a loaded drawing become chords
    // (0 keeps the chords): the batch command's --flecha.
    double flecha = arcos::kFlechaPorDefecto;

    void FormCreate();  // throws Failure when the building template does not load
    void FormShow() override;
    // Closing the window: true when it may close. A list holding coordinates
    // is only thrown away when the person says so.
    bool FormCloseQuery() override;
    bool hayCoordenadas() const;  // any construction, or the editor, holds a coordinate

    void GuardaElem();     // store the editor into the shown construction
    void MuestraElem();    // show the selected construction
    void ActualizaElem();  // refresh the list of names

    void MXExit() { GuardaElem(); }
    void MYExit() { GuardaElem(); }
    void CBIEExit();
    void LBElementosClick();
    void SBNuevoClick();
    void SBBorrarClick();
    void SBSubirClick();
    void SBBajarClick();
    void EFechaConstrucExit();
    void BBLimpiarClick();
    void BBLimpiarTodoClick();
    void BBCalcularClick();
    void BBCopiarClick();
    void BBGuardarClick();
    void BBCargarClick();
    void BBImprimirClick();
    void BBAyudaClick();
    void BBAcercadeClick();
    void BBgmlClick();        // "Crear GML"
    void BBInformeClick();    // "Informe PDF": the client's report of the GML "Crear GML" writes
    void BBCargarXMLClick();  // "Cargar GML"
    void BBComprobarClick();  // "Comprobar": checks a GML file, changes nothing here
    void BBCompararClick();   // "Comparar con Catastro": every construction inside its parcel
    void BBCargaDXFClick();   // "Abre DXF"
    void BBListClick();       // "List Autocad"
    void BBExcelClick();      // "Exportar" the shown construction
    void BBExcelTodoClick();  // "Exportar" every construction
    void BBCambiarHusoClick(); // "Cambiar huso": every construction converted to another zone
    void BBVistaClick();      // "Vista Previa" of the shown construction
    void BBVistaTotalClick(); // "Vista Previa" of every construction
    void DibujaGML();         // the editor's lists drawn into the preview
    void BBVerMapaClick();    // "Ver en Mapa" of the shown construction
    void BBMapaTotalClick();  // "Ver en Mapa" of every construction

    // Turns one of the two radio buttons on, the other off.
    void setReferenciaCatastral(bool catastral);

private:
    // "Crear GML" up to the file: checks, closes the rings and fills the
    // templates; false when that ended on a message.
    bool preparaGml();
    void unaEdificacionNueva();
    std::vector<compare::Shape> construcciones() const;  // as rings: each exterior with its interiors
    void mueveSeleccionada(int paso);  // the selected construction one line up (-1) or down
    void muestraPrimera();  // line 0 selected and shown; an empty editor for an empty list
    void cargaPlantillas();
    void rellenaEdificio(const std::string& ns, const std::string& epsg);
    bool construyeRecintos(std::vector<std::size_t>& piscinas);
    void anadePiscinas(const std::vector<std::size_t>& piscinas, const std::string& ns, const std::string& epsg);

    Entorno entorno_;
};

}  // namespace vadrel
