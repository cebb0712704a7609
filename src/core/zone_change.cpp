#include "core/zone_change.hpp"

#include <proj.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/failure.hpp"
#include "core/messages.hpp"
#include "core/number_format.hpp"
#include "core/ui.hpp"
#include "core/utm_spain.hpp"

namespace vadrel::utm {

namespace {

constexpr int kHusos[] = {28, 29, 30, 31};

}  // namespace

struct CambioDeHuso::Proj {
    PJ_CONTEXT* context = nullptr;
    PJ* pipeline = nullptr;
};

CambioDeHuso::CambioDeHuso(int desde, int hasta) : proj_(std::make_unique<Proj>())
{
    spainRange(desde);
    spainRange(hasta);
    proj_->context = proj_context_create();
    proj_log_level(proj_->context, PJ_LOG_NONE);
    // "+proj=utm" is PROJ's exact transverse Mercator (the approximate one
    // needs "+approx"); a definition that needs no database.
    const std::string definition = "+proj=pipeline +step +inv +proj=utm +zone=" + std::to_string(desde) +
                                   " +ellps=GRS80 +step +proj=utm +zone=" + std::to_string(hasta) + " +ellps=GRS80";
    proj_->pipeline = proj_create(proj_->context, definition.c_str());
    if (!proj_->pipeline) {
        proj_context_destroy(proj_->context);
        throw std::runtime_error("PROJ cannot make " + definition);
    }
}

CambioDeHuso::~CambioDeHuso()
{
    proj_destroy(proj_->pipeline);
    proj_context_destroy(proj_->context);
}

std::optional<Punto> CambioDeHuso::convierte(Punto p) const
{
    const PJ_COORD c = proj_trans(proj_->pipeline, PJ_FWD, proj_coord(p.x, p.y, 0, 0));
    if (!std::isfinite(c.xy.x) || !std::isfinite(c.xy.y) || c.xy.x == HUGE_VAL) return std::nullopt;
    return Punto{c.xy.x, c.xy.y};
}

std::string comoOriginal(double valor, std::string_view original)
{
    const std::size_t sep = original.find_first_of(".,");
    int decimales = 2;
    if (sep != std::string_view::npos) {
        std::size_t n = 0;
        while (sep + 1 + n < original.size() && original[sep + 1 + n] >= '0' && original[sep + 1 + n] <= '9') ++n;
        decimales = std::max(2, static_cast<int>(std::min<std::size_t>(n, 9)));
    }
    return formatFixed(valor, decimales, sep != std::string_view::npos && original[sep] == ',' ? ',' : '.');
}

bool cambiaHuso(Ui& ui, const std::vector<ListasXY>& anillos, int desde, int hasta, const NumberFormat& fmt)
{
    std::vector<CoordList> xs, ys;
    Review origen(desde);
    for (const ListasXY& a : anillos) {
        CoordList x = *a.x, y = *a.y;
        limpiaCoordenadas(x, y);
        if (x.size() != y.size()) {
            ui.message(msg::kDistintasCoordenadas);
            return false;
        }
        if (!compruebaUtm(ui, origen, x, y, fmt)) return false;
        xs.push_back(std::move(x));
        ys.push_back(std::move(y));
    }

    const CambioDeHuso cambio(desde, hasta);
    Review destino(hasta);
    for (std::size_t k = 0; k < xs.size(); ++k) {
        const std::vector<Punto> puntos = puntosDe(xs[k], ys[k], fmt);
        CoordList x, y;
        for (std::size_t i = 0; i < puntos.size(); ++i) {
            // A point PROJ cannot convert (none of Spain's) falls out of
            // every range, and is refused as such.
            const Punto p = cambio.convierte(puntos[i]).value_or(Punto{0, 0});
            x.push_back(comoOriginal(p.x, xs[k][i]));
            y.push_back(comoOriginal(p.y, ys[k][i]));
        }
        if (!compruebaUtm(ui, destino, x, y, NumberFormat::batch())) return false;
        xs[k] = std::move(x);
        ys[k] = std::move(y);
    }
    for (std::size_t k = 0; k < anillos.size(); ++k) {
        *anillos[k].x = std::move(xs[k]);
        *anillos[k].y = std::move(ys[k]);
    }
    avisaHuso(ui, destino);
    return true;
}

std::optional<int> pideHuso(Ui& ui, int actual)
{
    std::vector<std::string> husos;
    std::size_t elegido = 0;
    for (std::size_t i = 0; i < std::size(kHusos); ++i) {
        husos.push_back(std::to_string(kHusos[i]));
        if (kHusos[i] == actual) elegido = i;
    }
    const std::optional<std::size_t> respuesta =
        ui.choose("Huso UTM al que convertir las coordenadas (ahora en el huso " + std::to_string(actual) + "):",
                  husos, elegido);
    if (!respuesta || *respuesta >= husos.size()) return std::nullopt;
    return kHusos[*respuesta];
}

}  // namespace vadrel::utm
