#pragma once
// "Desplazamiento" of the parcel window: the points common to the survey
// and the cadastral map, their fit, and the lists moved onto the map. The
// table is the person's: proposed or loaded pairs land in it, and
// "Calcular" reads it as it stands.

#include <optional>
#include <string>
#include <vector>

#include "compare/comparison_picture.hpp"
#include "core/form.hpp"
#include "core/ui.hpp"
#include "georef/common_points.hpp"

namespace vadrel {

class TFParcelgen;

// One row of the table as shown: Nº, the four coordinates as typed, and
// the rigid fit's residual ("" until computed).
struct FilaPar {
    std::string n, xm, ym, xc, yc, residuo;
    bool operator==(const FilaPar&) const = default;
};

inline constexpr const char* kPreguntaAplicar = "¿Aplicar el desplazamiento a las coordenadas?";
inline constexpr const char* kSinComparacion =
    "Error. Compare antes la parcela con el catastro (\"Comparar con Catastro\"): los puntos se proponen de esa "
    "cartografía.";
inline constexpr const char* kSinPuntosCerca =
    "No hay vértices de la cartografía catastral a menos de 5 m de los de la parcela: escriba los puntos comunes.";
inline constexpr const char* kAplicado =
    "Desplazamiento aplicado a las coordenadas de la parcela y a los puntos medidos de la tabla. Vuelva a comparar "
    "con el catastro para verlas sobre la cartografía.";
inline constexpr const char* kNadaQueAplicar =
    "El desplazamiento calculado no mueve ningún vértice ni un milímetro: las coordenadas ya están sobre la "
    "cartografía.";
inline const FileFilter kFiltroPares{"Puntos comunes (N;Xm;Ym;Xc;Yc)|*.txt|Todos|*.*", "txt"};

class TFDesplazamiento : public Form {
public:
    TFDesplazamiento(Ui& ui, TFParcelgen& parcela);

    std::string_view instancia() const override { return "FDesplazamiento"; }
    std::string_view Caption() const override { return "Desplazamiento de la cartografía catastral"; }

    // Fields, as the dialog shows them.
    std::vector<FilaPar> SGPares;
    std::vector<int> SGParesSeleccion;     // the selected rows
    std::vector<std::string> MResultado;   // what "Calcular" gave: the lines, or the refusal

    void BBProponerClick();  // "Proponer puntos": from the last comparison
    void BBAnadirClick();    // a row at the end
    void BBQuitarClick();    // the selected rows out
    void BBCargarClick();    // "Cargar" a pairs file, in place of the table
    void BBGuardarClick();   // "Guardar" the table as a pairs file
    void BBCalcularClick();  // "Calcular"
    void BBAplicarClick();   // "Aplicar": computes, asks, moves the lists

    // A fit "Calcular" (or "Aplicar") gave.
    struct Calculo {
        std::vector<georef::Pair> pares;
        georef::Fit ajuste;
        std::vector<std::string> lineas;
        bool aplicado = false;
    };
    // What the client's report tells: the fit last applied to the lists,
    // which a later computation (the pairs then already on the map) does
    // not replace; else the last one computed; none before either.
    const Calculo* paraInforme() const;

    // The rows that read as pairs, as the picture's arrows.
    std::vector<compare::Arrow> flechas() const;

    // The last comparison's picture with the table's arrows; false
    // (nothing drawn) when there is none to draw, sinDibujo() telling why.
    bool dibujaComparacion(Canvas& canvas, int side) const;
    std::string sinDibujo() const;

    // Everything back to empty (the parcel window's top "Limpiar").
    void limpia();

private:
    // The table's pairs; rows left wholly empty are skipped. Throws Failure
    // at the first row that is no pair.
    std::vector<georef::Pair> pairs() const;
    // The fit of the table, its lines in MResultado and its residuals in
    // the table; false (the refusal in MResultado) when there is none.
    bool compute();

    TFParcelgen& parcela_;
    std::optional<Calculo> calculo_, aplicado_;
};

// The pairs as the table shows them: coordinates in millimetres.
std::vector<FilaPar> rowsOf(const std::vector<georef::Pair>& pares);

}  // namespace vadrel
