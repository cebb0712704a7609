#pragma once
// How wide a text comes out on the report's page. The layout wraps and
// places every text itself, so it asks the font the PDF is set in; the
// core has no font, and the desktop and the batch command lend theirs.

#include <string_view>

namespace vadrel::report {

class MedidaTexto {
public:
    virtual ~MedidaTexto() = default;
    // The width in millimetres of `texto` (UTF-8) set in the report's font
    // at `puntos` points (a point is 1/72 inch).
    virtual double ancho(std::string_view texto, double puntos, bool negrita = false) const = 0;
};

// Every character as wide as the font's wide letters: never narrower than
// the real text for the report's own texts, so what it lays out fits. For
// callers without a font (the core's own tests).
class MedidaHolgada : public MedidaTexto {
public:
    double ancho(std::string_view texto, double puntos, bool negrita = false) const override
    {
        double caracteres = 0;
        for (unsigned char c : texto)
            if ((c & 0xC0) != 0x80) caracteres += 1;  // a UTF-8 character's first byte
        return caracteres * puntos * (negrita ? 0.72 : 0.66) * 25.4 / 72;
    }
};

}  // namespace vadrel::report
