#include "parcel/parcel_form.hpp"

#include <algorithm>

#include "check/gml_check.hpp"
#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_file.hpp"
#include "io/coord_file.hpp"
#include "preview/preview_forms.hpp"
#include "webmap/webmap_forms.hpp"
#include "core/messages.hpp"
#include "shell/aplicacion.hpp"
#include "shell/about_form.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const char* const kReferencia14 =
    "Si va a rellenar la Referencia Catastral real para validar el GML en catastro, recuerde que sólo "
    "debe introducir los 14 primeros caracteres";
const char* const kSinArchivosDerecha =
    "Error. Debe haber al menos un archivo en la columna de la derecha para poder visualizarlo.";
const char* const kBorrarListas = "¿Desea borrar las coordenadas que hay en las listas?";

}  // namespace

TFParcelgen::TFParcelgen(Ui& ui, Entorno entorno, Aplicacion* app)
    : Form(ui, app), FDesplazamiento(ui, *this), entorno_(std::move(entorno))
{
}

void TFParcelgen::FormCreate()
{
    // Captured before the loads so that a missing template cannot also
    // leave the window without its folder or number format.
    directorio = entorno_.directorioInicio;
    formato = entorno_.formato;

    std::string errors;
    for (auto [doc, name] : {std::pair{&XMLParcela, kPlantillaParcela}, std::pair{&XMLMultiple, kPlantillaMultiple}}) {
        try {
            loadXml(*doc, entorno_.plantilla(name));
        } catch (const Failure& f) {
            errors += errors.empty() ? "" : "\n";
            errors += f.what();
        }
    }
    if (!errors.empty()) throw Failure(errors);
}

void TFParcelgen::setReferenciaCatastral(bool catastral)
{
    RBRefCatas = catastral;
    RBRefOtra = !catastral;
}

void TFParcelgen::BBCalcularClick()
{
    if (auto area = textoSuperficie(MX, MY, formato, ui_)) ESup = *area;
}

void TFParcelgen::ERefCatasExit()
{
    if (characterCount(ERefCatas) != 14 && RBRefCatas) ui_.message(kReferencia14);
}

void TFParcelgen::BBLimpiarClick()
{
    EArchivoDXF.clear();
    MX.clear();
    MY.clear();
}

void TFParcelgen::recuerdaListas()
{
    listasX_ = MX;
    listasY_ = MY;
}

bool TFParcelgen::puedeBorrarListas()
{
    const bool vacias = std::all_of(MX.begin(), MX.end(), [](const std::string& v) { return trimmed(v).empty(); }) &&
                        std::all_of(MY.begin(), MY.end(), [](const std::string& v) { return trimmed(v).empty(); });
    if (vacias || (MX == listasX_ && MY == listasY_)) return true;
    return ui_.confirm(kBorrarListas, false);
}

void TFParcelgen::BBLimpiarTodoClick()
{
    if (!puedeBorrarListas()) return;
    ERefCatas.clear();
    ESup.clear();
    ESupRegistral.clear();
    CBHuso = "30";
    cartografia.clear();
    nuevas.clear();
    comparacion.reset();
    FDesplazamiento.limpia();
    BBLimpiarClick();
}

void TFParcelgen::BBGuardarClick()
{
    if (guardarCoordenadas(ui_, MX, MY)) recuerdaListas();
}

void TFParcelgen::BBCargarClick()
{
    cargaEnListas([this] { cargarCoordenadas(ui_, MX, MY); });
}

void TFParcelgen::BBImprimirClick() { ui_.printWindow(); }

void TFParcelgen::BBComprobarClick() { check::checkChosenGml(ui_, check::SchemaSettings::fromEnvironment()); }

void TFParcelgen::BBAyudaClick() { abreDocumento(ui_, utf8Of(directorio / "ayuda.pdf"), Visor::LectorPdf); }

void TFParcelgen::BBAcercadeClick()
{
    if (app_) ui_.showModal(*app_->FAcercade);
}

void TFParcelgen::BBVPrevMultiClick()
{
    if (LBDestino.empty()) return ui_.message(kSinArchivosDerecha);
    if (!app_) return;
    TFVPrevMulti& vista = *app_->FVPrevMulti;
    vista.cargaArchivos(LBDestino, formato);
    vista.dibujaTodos();
    ui_.showModal(vista);
}

void TFParcelgen::BBVerMapaClick()
{
    if (!app_) return;
    app_->FVPrevWeb2->opcion = 0;
    ui_.showModal(*app_->FVPrevWeb2);
}

void TFParcelgen::DibujaGML()
{
    if (!app_) return;
    TFVPrev& vista = *app_->FVPrev;
    vista.dibuja(ui_, MX, MY, formato);
    vista.ERef = ERefCatas;
    vista.ESup = ESup + " m2";
}

void TFParcelgen::BBVistaClick()
{
    if (!app_) return;
    DibujaGML();
    app_->FVPrev->abre("parcela");
    ui_.showModal(*app_->FVPrev);
}

}  // namespace vadrel
