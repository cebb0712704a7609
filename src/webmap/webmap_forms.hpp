#pragma once
// The two web-map dialogs: asked whether to go on, they write a page that
// shows the geometry over the cadastre's map and open it in the browser.

#include <filesystem>
#include <string>

#include "core/coord_list.hpp"
#include "core/form.hpp"
#include "core/number_format.hpp"

namespace vadrel {

// What both dialogs show and do.
class TFVistaWeb : public Form {
public:
    using Form::Form;

    static constexpr std::string_view Label1 = "Se va a abrir en el navegador por defecto";
    static constexpr std::string_view Label3 = "la geometría seleccionada sobre el mapa de catastro";
    static constexpr std::string_view Label2 = "¿Desea continuar?";

    int opcion = 0;  // 0: one polygon; 1: every construction (building dialog)

    // "Sí": the page of `opcion`, written and opened.
    void BBSiClick();
    // The one-polygon page, "ejemplo_catastro_montado.html".
    virtual void BActualizaClick() = 0;

protected:
    virtual void BActualTodoClick() {}
    // The one-polygon page of these lists in this zone, written into
    // `directorio` and opened.
    void paginaUnPoligono(const CoordList& MX, const CoordList& MY, const std::string& huso, const NumberFormat& fmt,
                          const std::filesystem::path& directorio);
    void escribeYAbre(const std::filesystem::path& file, const std::string& page);
};

class TFVPrevWeb : public TFVistaWeb {
public:
    using TFVistaWeb::TFVistaWeb;
    std::string_view instancia() const override { return "FVPrevWeb"; }
    std::string_view Caption() const override { return "Vista Previa"; }

    void BActualizaClick() override;  // the construction in the editor
    void BActualTodoClick() override;  // every stored construction, "ejemplo_catastro_montado2.html"
};

// A coordinate window's fields the one-polygon page is drawn from, read
// when the page is written.
struct FuentePoligono {
    const CoordList* MX = nullptr;
    const CoordList* MY = nullptr;
    const std::string* huso = nullptr;
    const NumberFormat* formato = nullptr;
    const std::filesystem::path* directorio = nullptr;
};

class TFVPrevWeb2 : public TFVistaWeb {
public:
    using TFVistaWeb::TFVistaWeb;
    std::string_view instancia() const override { return "FVPrevWeb2"; }
    std::string_view Caption() const override { return "Vista Previa de Parcela"; }

    FuentePoligono fuente;  // the parcel window's, wired by the application
    void BActualizaClick() override;  // the parcel
};

// "x1,y1,x2,y2": the lists' box, each corner rounded (halves to even). A
// line that is no number throws its Failure.
std::string calculaBox(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt);

// A coordinate as a page may carry it: a finite number, with "." as
// separator. Anything else throws the conversion Failure, so that no text
// reaches the page's script unchecked.
std::string coordenadaEnPagina(const std::string& texto, const NumberFormat& fmt);

}  // namespace vadrel
