#include "app/report_measure.hpp"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <map>
#include <utility>

#include "app/offscreen_app.hpp"
#include "app/report_sheet.hpp"

namespace vadrel::app {

QFont fuenteDelInforme(double puntos, bool negrita)
{
    QFont f("DejaVu Sans");
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    // No "fi" ligatures: the document's text is copied and searched, and
    // "Superficie" must read as typed; any letter spacing turns them off.
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.02);  // points: the least Qt tells from none
    return f;
}

// A writer that never writes, for its resolution; the application first,
// so that it outlives them.
struct MedidaPdf::Estado {
    std::unique_ptr<QGuiApplication> aplicacion = aplicacionSinPantalla();
    QBuffer nada;
    QPdfWriter dispositivo{&nada};
    std::map<std::pair<double, bool>, QFontMetricsF> metricas;

    Estado() { dispositivo.setResolution(kResolucionPdf); }
};

MedidaPdf::MedidaPdf() = default;
MedidaPdf::~MedidaPdf() = default;

double MedidaPdf::ancho(std::string_view texto, double puntos, bool negrita) const
{
    if (!estado_) estado_ = std::make_unique<Estado>();
    auto it = estado_->metricas.find({puntos, negrita});
    if (it == estado_->metricas.end())
        it = estado_->metricas
                 .emplace(std::pair{puntos, negrita}, QFontMetricsF(fuenteDelInforme(puntos, negrita), &estado_->dispositivo))
                 .first;
    const QString q = QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
    return it->second.horizontalAdvance(q) * 25.4 / kResolucionPdf;
}

}  // namespace vadrel::app
