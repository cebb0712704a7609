#pragma once
// The report's blocks set down its pages one below the other: a block's
// lines wrapped to its columns, a block that does not fit what is left of
// a page onto the next one, under that page's heading; a block longer
// than a whole page continued line by line.

#include <functional>
#include <string>
#include <vector>

#include "report/report_layout.hpp"

namespace vadrel::report {

struct Parrafo {
    std::string texto;
    Letra letra{kTexto, false};
    bool aviso = false;
};

// One column of a block: its paragraphs one under the other.
struct Columna {
    double x = 0, ancho = 0;
    std::vector<Parrafo> parrafos;
};

class Flujo {
public:
    // `cabecera` heads a new page and gives where its content starts.
    Flujo(std::vector<Pagina>& paginas, const MedidaTexto& medida, std::function<double(Pagina&)> cabecera);

    Pagina& actual() { return paginas_.back(); }
    double y() const { return y_; }
    void baja(double mm) { y_ += mm; }
    void nuevaPagina();
    // On a new page unless `alto` mm fit here; a page just begun keeps
    // what does not fit a page at all.
    void reserva(double alto);

    // The columns side by side, their lines `paso` mm apart: on the next
    // page when the block does not fit here but fits a page, else
    // continued line by line, `alSeguir` heading it again on each new page.
    // Ending on the page it began, it takes at least `altoMinimo` mm.
    void bloque(const std::vector<Columna>& columnas, double paso, const std::function<void()>& alSeguir = {},
                double altoMinimo = 0);
    // The height the block takes, on one page.
    double alto(const std::vector<Columna>& columnas, double paso) const;

private:
    std::size_t numeroDePagina() const { return paginas_.size() - 1; }
    bool alPrincipio() const { return y_ == inicio_; }
    // Whether `alto` mm fit between here and the page's foot.
    bool cabe(double alto) const { return y_ + alto <= kFinPagina + 1e-9; }

    struct Puesta {
        std::string texto;
        const Parrafo* parrafo;
    };
    std::vector<std::vector<Puesta>> lineasDe(const std::vector<Columna>& columnas) const;

    std::vector<Pagina>& paginas_;
    const MedidaTexto& medida_;
    std::function<double(Pagina&)> cabecera_;
    double y_ = 0, inicio_ = 0;  // where the next line goes; where a page's content starts
};

}  // namespace vadrel::report
