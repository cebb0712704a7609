#pragma once
// The three preview windows: one polygon of either coordinate window, the
// parcels of the files to group, and all constructions of a building.

#include <array>
#include <functional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "core/coord_list.hpp"
#include "core/form.hpp"
#include "core/number_format.hpp"
#include "preview/canvas.hpp"

namespace vadrel {

class Ui;

// What the three option boxes "Puntos", "Referencia" and "Superficie" of
// the two labelled previews share: turning one off draws the picture again
// and then the labels of the others still on.
class TFPreviewConOpciones : public Form {
public:
    using Form::Form;
    std::string_view Caption() const override { return "Vista Previa"; }

    Canvas* IDibujo = &ninguno_;  // the 390 x 390 picture
    bool CBPuntos = false;
    bool CBRef = false;
    bool CBSup = false;

    void CBPuntosClick();
    void CBRefClick();
    void CBSupClick();
    void BBCopiarClick();  // the picture onto the clipboard

protected:
    virtual void numeros() = 0;
    virtual void referencias() = 0;
    virtual void superficies() = 0;
    virtual void redibuja() = 0;

private:
    using Etiquetas = void (TFPreviewConOpciones::*)();
    void alterna(bool activa, Etiquetas propias, Etiquetas primeras, bool conPrimeras, Etiquetas segundas,
                 bool conSegundas);
    NullCanvas ninguno_;
};

class TFVPrev : public TFPreviewConOpciones {
public:
    using TFPreviewConOpciones::TFPreviewConOpciones;
    std::string_view instancia() const override { return "FVPrev"; }

    // One row per vertex drawn: its number and pixel; the number's box has
    // its top left corner at (px + 2, py + 2).
    struct Fila {
        std::size_t numero = 0;
        int px = 0;
        int py = 0;
        bool operator==(const Fila&) const = default;
    };
    std::vector<Fila> SGAux;
    std::string ERef;      // the reference label
    std::string ESup;      // the area label
    std::string ECentroX;  // the labels' anchor, a pixel
    std::string ECentroY;
    std::string FormuOrigen;  // "parcela" or "edificio": who draws again
    // Draws the origin window's lists again (its DibujaGML); wired by the
    // application, which knows both windows.
    std::function<void(const std::string& origen)> dibujaOrigen;

    // The drawing both coordinate windows run (their DibujaGML): the lists
    // scaled into the picture, the ring closed in them first (told through
    // `ui`, the window's). A line that is no number ends it before anything
    // changes.
    void dibuja(Ui& ui, CoordList& MX, CoordList& MY, const NumberFormat& fmt);
    // Before each showing: every option off, and who draws again.
    void abre(std::string origen);

protected:
    void numeros() override;
    void referencias() override;
    void superficies() override;
    void redibuja() override;
};

class TFVPrevMulti : public TFPreviewConOpciones {
public:
    using TFPreviewConOpciones::TFPreviewConOpciones;
    std::string_view instancia() const override { return "FVPrevMulti"; }

    // One row per vertex read.
    struct Fila {
        int anillo = 0;         // the ring's number, from 1
        std::string x, y;       // as read
        std::string ref, sup;   // the parcel's reference and "AREA m2", on a ring's first row
        // Set by dibujaTodos; `fila` stays 0 when nothing was drawn.
        std::size_t fila = 0;   // the row's number, from 1
        int px = 0, py = 0;     // the vertex's pixel
        bool ancla = false;     // a ring's last row, which holds its label anchor:
        int centroX = 0, centroY = 0;
    };
    std::vector<Fila> SGAux;
    pugi::xml_document XMLDibujo;

    // Reads the files of the grouping page's right-hand list; `fmt` is how
    // that window writes decimals.
    void cargaArchivos(const std::vector<std::string>& archivos, const NumberFormat& fmt);
    void dibujaTodos();

protected:
    void numeros() override;
    void referencias() override;
    void superficies() override;
    void redibuja() override { dibujaTodos(); }

private:
    void etiquetas(std::string Fila::*columnaTexto, int desplazamiento);
    NumberFormat formato_;
};

class TFVPrevTotal : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FVPrevTotal"; }
    std::string_view Caption() const override { return "Vista Previa"; }

    Canvas* IDibujo = &ninguno_;
    // One row per stored vertex: the construction's id, X and Y as stored.
    struct Fila {
        std::string id;
        std::string x;
        std::string y;
        int px = 0;
        int py = 0;
    };
    std::vector<Fila> SGAux;

    // One stored construction: its id (0 or less: left out) and its lists.
    struct Construccion {
        std::int32_t id = 0;
        const CoordList* x = nullptr;
        const CoordList* y = nullptr;
    };
    // Reads the building window's stored constructions, in list order.
    void cargaEdificaciones(const std::vector<Construccion>& construcciones, const NumberFormat& fmt);
    void dibujaTodos();
    void BBCopiarClick();

private:
    std::vector<std::size_t> inicios_;  // the first row of each construction
    NumberFormat formato_;
    NullCanvas ninguno_;
};

}  // namespace vadrel
