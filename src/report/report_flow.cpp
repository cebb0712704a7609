#include "report/report_flow.hpp"

#include <algorithm>

namespace vadrel::report {

Flujo::Flujo(std::vector<Pagina>& paginas, const MedidaTexto& medida, std::function<double(Pagina&)> cabecera)
    : paginas_(paginas), medida_(medida), cabecera_(std::move(cabecera))
{
    nuevaPagina();
}

void Flujo::nuevaPagina()
{
    paginas_.emplace_back();
    y_ = inicio_ = cabecera_(paginas_.back());
}

void Flujo::reserva(double alto)
{
    if (!cabe(alto) && !alPrincipio()) nuevaPagina();
}

std::vector<std::vector<Flujo::Puesta>> Flujo::lineasDe(const std::vector<Columna>& columnas) const
{
    std::vector<std::vector<Puesta>> lineas(columnas.size());
    for (std::size_t c = 0; c < columnas.size(); ++c)
        for (const Parrafo& p : columnas[c].parrafos)
            for (std::string& l : parteEnLineas(p.texto, columnas[c].ancho, p.letra, medida_))
                lineas[c].push_back({std::move(l), &p});
    return lineas;
}

double Flujo::alto(const std::vector<Columna>& columnas, double paso) const
{
    std::size_t filas = 0;
    for (const auto& c : lineasDe(columnas)) filas = std::max(filas, c.size());
    return static_cast<double>(filas) * paso;
}

void Flujo::bloque(const std::vector<Columna>& columnas, double paso, const std::function<void()>& alSeguir,
                   double altoMinimo)
{
    const std::vector<std::vector<Puesta>> lineas = lineasDe(columnas);
    std::size_t filas = 0;
    for (const auto& c : lineas) filas = std::max(filas, c.size());
    // Each page's share column after column, as it is read and copied.
    std::vector<std::vector<Linea>> enPagina(columnas.size());
    const auto vuelca = [&] {
        for (auto& c : enPagina) {
            actual().lineas.insert(actual().lineas.end(), c.begin(), c.end());
            c.clear();
        }
    };
    const auto siguePagina = [&] {
        vuelca();
        nuevaPagina();
        if (alSeguir) alSeguir();
    };
    // Kept whole when a page holds it.
    const double total = static_cast<double>(filas) * paso;
    if (!cabe(total) && !alPrincipio() && inicio_ + total <= kFinPagina) siguePagina();
    const std::size_t pagina = numeroDePagina();
    const double desde = y_;
    for (std::size_t f = 0; f < filas; ++f) {
        if (!cabe(paso) && !alPrincipio()) siguePagina();
        for (std::size_t c = 0; c < columnas.size(); ++c) {
            if (f >= lineas[c].size()) continue;
            const Puesta& l = lineas[c][f];
            enPagina[c].push_back(
                Linea{l.texto, columnas[c].x, y_, columnas[c].ancho, paso, l.parrafo->letra, l.parrafo->aviso});
        }
        y_ += paso;
    }
    vuelca();
    if (numeroDePagina() == pagina) y_ = std::max(y_, desde + altoMinimo);
}

}  // namespace vadrel::report
