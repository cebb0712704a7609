// The building window's editor: one construction at a time, the list of
// their names, and the window's small commands.

#include <algorithm>

#include "building/building_form.hpp"
#include "check/gml_check.hpp"
#include "core/dates.hpp"
#include "core/geometry.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_file.hpp"
#include "io/coord_file.hpp"
#include "preview/preview_forms.hpp"
#include "webmap/webmap_forms.hpp"
#include "shell/about_form.hpp"
#include "shell/aplicacion.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const char* const kMenosElementos = "Error. Hay menos elementos de los esperados. Reinicie el programa.";
const char* const kBorrarSeguro = "¿Está seguro de que desea borrar la edificación seleccionada?";
const char* const kUnaComoMinimo = "Error. Debe existir una edificación como mínimo.";
const char* const kNadaSeleccionado = "Error. No había nada seleccionado.";
const char* const kNoSubir = "Error. No puede subir más la primera edificación.";
const char* const kNoBajar = "Error. No puede bajar más la última edificación.";
const char* const kCerrarConEdificaciones = "Se perderán las edificaciones de la lista. ¿Desea cerrar la ventana?";
const char* const kLimpiarConEdificaciones =
    "Se borrarán todos los datos y las edificaciones de la lista. ¿Desea continuar?";
const char* const kFechaInvalida = "Fecha inválida. Por favor, ingrese una fecha en formato dd/mm/aaaa";

// A line that is empty or one blank is no coordinate; two blanks are kept.
bool vacia(const CoordList& list, std::size_t i) { return i >= list.size() || list[i].empty() || list[i] == " "; }

// Line i of both lists is one vertex: a line goes only when it is empty in
// both, so that a gap in one list never pairs a later X with another
// vertex's Y (the writer then names the line that has X but no Y). A list
// typed before the other keeps its lines.
void quitaVacias(CoordList& MX, CoordList& MY)
{
    CoordList x, y;
    for (std::size_t i = 0; i < std::max(MX.size(), MY.size()); ++i) {
        if (vacia(MX, i) && vacia(MY, i)) continue;
        if (i < MX.size()) x.push_back(std::move(MX[i]));
        if (i < MY.size()) y.push_back(std::move(MY[i]));
    }
    MX = std::move(x);
    MY = std::move(y);
}

}  // namespace

TFGMLEdif::TFGMLEdif(Ui& ui, Entorno entorno, Aplicacion* app) : Form(ui, app), entorno_(std::move(entorno))
{
    Edificaciones.resize(1);
}

void TFGMLEdif::FormCreate()
{
    // Folder and number format first, so a missing template cannot also
    // leave the window without them.
    directorio = entorno_.directorioInicio;
    formato = entorno_.formato;
    Edificaciones.assign(1, EdifProp{});
    elemActual = 0;
    loadXml(XMLEdificio, entorno_.plantilla(kPlantillaEdificios));
}

void TFGMLEdif::unaEdificacionNueva()
{
    Edificaciones.assign(1, EdifProp{1, nombreNuevaEdificacion(1), "", "", {}, {}});
    LBElementos.assign(1, Edificaciones[0].nombre);
    LBElementosIndex = -1;
    EArchivoDXF = Edificaciones[0].nombre;
    elemActual = 0;
}

void TFGMLEdif::FormShow() { unaEdificacionNueva(); }

void TFGMLEdif::muestraPrimera()
{
    elemActual = 0;
    if (Edificaciones.empty()) {
        LBElementosIndex = -1;
        BBLimpiarClick();
        return;
    }
    LBElementosIndex = 0;
    MuestraElem();
}

void TFGMLEdif::setReferenciaCatastral(bool catastral)
{
    RBRefCatas = catastral;
    RBRefOtra = !catastral;
}

void TFGMLEdif::GuardaElem()
{
    if (Edificaciones.size() == 1 && elemActual != 0)
        return ui_.message("Error. Sólo hay un elemento y estoy situado en " + std::to_string(elemActual) +
                           ". Reicicie el programa.");
    // An index past the list would store into nothing: refused like an empty list.
    if (Edificaciones.empty() || elemActual < 0 || static_cast<std::size_t>(elemActual) >= Edificaciones.size())
        return ui_.message(kMenosElementos);
    quitaVacias(MX, MY);
    EdifProp& e = Edificaciones[static_cast<std::size_t>(elemActual)];
    e.nombre = EArchivoDXF;
    e.tipo = CBTipo;
    e.e_i = CBIE;
    e.coorx = MX;
    e.coory = MY;
}

void TFGMLEdif::MuestraElem()
{
    if (LBElementosIndex < 0 || static_cast<std::size_t>(LBElementosIndex) >= Edificaciones.size()) return;
    elemActual = LBElementosIndex;
    const EdifProp& e = Edificaciones[static_cast<std::size_t>(elemActual)];
    EArchivoDXF = e.nombre;
    CBTipo = e.tipo;
    CBIE = e.e_i;
    MX = e.coorx;
    MY = e.coory;
}

void TFGMLEdif::ActualizaElem()
{
    LBElementos.clear();
    for (const EdifProp& e : Edificaciones) LBElementos.push_back(e.nombre);
    LBElementosIndex = elemActual < static_cast<int>(LBElementos.size()) ? elemActual : -1;
    MuestraElem();
}

void TFGMLEdif::CBIEExit()
{
    GuardaElem();
    MuestraElem();
    ActualizaElem();
}

void TFGMLEdif::LBElementosClick()
{
    GuardaElem();
    MuestraElem();
    ActualizaElem();
}

void TFGMLEdif::SBNuevoClick()
{
    GuardaElem();
    const std::size_t n = Edificaciones.size();
    Edificaciones.push_back(EdifProp{static_cast<std::int32_t>(n + 1), nombreNuevaEdificacion(n + 1), "", "", {}, {}});
    EArchivoDXF = Edificaciones.back().nombre;
    CBTipo.clear();
    CBIE.clear();
    MX.clear();
    MY.clear();
    LBElementos.push_back(Edificaciones.back().nombre);
    LBElementosIndex = static_cast<int>(n);
    elemActual = static_cast<int>(n);
}

void TFGMLEdif::SBBorrarClick()
{
    if (!ui_.confirm(kBorrarSeguro, true)) return;
    if (Edificaciones.size() <= 1) return ui_.message(kUnaComoMinimo);
    if (LBElementosIndex < 0 || static_cast<std::size_t>(LBElementosIndex) >= Edificaciones.size())
        return ui_.message(kNadaSeleccionado);
    const auto i = static_cast<std::size_t>(LBElementosIndex);
    Edificaciones.erase(Edificaciones.begin() + static_cast<std::ptrdiff_t>(i));
    if (i < LBElementos.size()) LBElementos.erase(LBElementos.begin() + static_cast<std::ptrdiff_t>(i));
    elemActual = 0;
    LBElementosIndex = 0;
    MuestraElem();
}

void TFGMLEdif::SBSubirClick()
{
    if (LBElementosIndex == 0) return ui_.message(kNoSubir);
    // Nothing selected (right after showing the window or clearing it).
    if (LBElementosIndex < 0 || static_cast<std::size_t>(LBElementosIndex) >= Edificaciones.size())
        return ui_.message(kNadaSeleccionado);
    mueveSeleccionada(-1);
}

void TFGMLEdif::SBBajarClick()
{
    if (LBElementos.size() <= 1 || LBElementosIndex == static_cast<int>(LBElementos.size()) - 1)
        return ui_.message(kNoBajar);
    if (LBElementosIndex < 0 || static_cast<std::size_t>(LBElementosIndex) + 1 >= Edificaciones.size())
        return ui_.message(kNadaSeleccionado);
    mueveSeleccionada(+1);
}

void TFGMLEdif::mueveSeleccionada(int paso)
{
    // The editor is stored first, as "Nuevo" does: a line typed into one list
    // and not yet stored would be lost, and the lists would no longer pair.
    GuardaElem();
    const auto i = static_cast<std::size_t>(LBElementosIndex);
    const auto j = static_cast<std::size_t>(LBElementosIndex + paso);
    std::swap(Edificaciones[i], Edificaciones[j]);
    if (i < LBElementos.size() && j < LBElementos.size()) std::swap(LBElementos[i], LBElementos[j]);
    // The selection follows the moved construction, so the editor keeps
    // showing what the person was editing.
    LBElementosIndex = static_cast<int>(j);
    MuestraElem();
}

void TFGMLEdif::EFechaConstrucExit()
{
    // An empty date is no mistake yet: the writer asks for it when it is needed.
    if (trimmed(EFechaConstruc).empty()) return;
    if (auto f = parseFecha(EFechaConstruc, formato))
        EFechaConstruc = textoFecha(*f);
    else
        ui_.message(kFechaInvalida);
}

void TFGMLEdif::BBLimpiarClick()
{
    EArchivoDXF.clear();
    CBTipo.clear();
    CBIE.clear();
    MX.clear();
    MY.clear();
}

bool TFGMLEdif::hayCoordenadas() const
{
    if (!MX.empty() || !MY.empty()) return true;
    return std::any_of(Edificaciones.begin(), Edificaciones.end(),
                       [](const EdifProp& e) { return !e.coorx.empty() || !e.coory.empty(); });
}

bool TFGMLEdif::FormCloseQuery()
{
    return !hayCoordenadas() || ui_.confirm(kCerrarConEdificaciones, false);
}

void TFGMLEdif::BBLimpiarTodoClick()
{
    if (hayCoordenadas() && !ui_.confirm(kLimpiarConEdificaciones, false)) return;
    BBLimpiarClick();
    for (std::string* f : {&ERefCatas, &EFechaConstruc, &ENInmueble, &ENViv, &ENSobreRas, &ESuptot}) f->clear();
    parcelaCatastral.clear();
    unaEdificacionNueva();
}

void TFGMLEdif::BBCalcularClick()
{
    if (auto area = textoSuperficie(MX, MY, formato, ui_)) ESup = *area;
}

void TFGMLEdif::BBCopiarClick()
{
    if (MX.size() != MY.size()) return ui_.message(std::string(kCoordenadasDistintas));
    std::string text;
    for (std::size_t i = 0; i < MX.size(); ++i) text += MX[i] + " " + MY[i] + ";";
    ui_.setClipboardText(text);
}

void TFGMLEdif::BBGuardarClick() { guardarCoordenadas(ui_, MX, MY); }

void TFGMLEdif::BBCargarClick() { cargarCoordenadas(ui_, MX, MY); }

void TFGMLEdif::BBImprimirClick() { ui_.printWindow(); }

void TFGMLEdif::BBComprobarClick() { check::checkChosenGml(ui_, check::SchemaSettings::fromEnvironment()); }

void TFGMLEdif::BBAyudaClick() { abreDocumento(ui_, utf8Of(directorio / "ayuda.pdf"), Visor::LectorPdf); }

void TFGMLEdif::DibujaGML()
{
    if (!app_) return;
    TFVPrev& vista = *app_->FVPrev;
    vista.dibuja(ui_, MX, MY, formato);
    vista.ERef = EArchivoDXF;
    BBCalcularClick();
    vista.ESup = ESup + " m2";
}

void TFGMLEdif::BBVistaClick()
{
    if (!app_) return;
    DibujaGML();
    app_->FVPrev->abre("edificio");
    ui_.showModal(*app_->FVPrev);
}

void TFGMLEdif::BBVistaTotalClick()
{
    if (Edificaciones.size() < 2 && (MX.empty() || MY.empty()))
        return ui_.message("Error. Debe haber al menos una edificación cargada para poder mostrarlas.");
    if (!app_) return;
    TFVPrevTotal& vista = *app_->FVPrevTotal;
    std::vector<TFVPrevTotal::Construccion> construcciones;
    for (const EdifProp& e : Edificaciones) construcciones.push_back({e.id, &e.coorx, &e.coory});
    vista.cargaEdificaciones(construcciones, formato);
    vista.dibujaTodos();
    ui_.showModal(vista);
}

void TFGMLEdif::BBVerMapaClick()
{
    if (!app_) return;
    app_->FVPrevWeb->opcion = 0;
    ui_.showModal(*app_->FVPrevWeb);
}

void TFGMLEdif::BBMapaTotalClick()
{
    if (!app_) return;
    app_->FVPrevWeb->opcion = 1;
    ui_.showModal(*app_->FVPrevWeb);
}

void TFGMLEdif::BBAcercadeClick()
{
    if (app_) ui_.showModal(*app_->FAcercade);
}

}  // namespace vadrel
