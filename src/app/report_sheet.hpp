#pragma once
// A PDF page drawn in millimetres: the report's layout is in millimetres,
// the writer's device in its own dots.

#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <string>

#include "core/geometry.hpp"
#include "report/report_layout.hpp"

namespace vadrel::app {

// The report's font at `puntos` points (a point is 1/72 inch): what every
// text of the document is set in, and what the layout is measured with.
QFont fuenteDelInforme(double puntos, bool negrita = false);

class Hoja {
public:
    Hoja(QPainter& painter, double puntosPorMm) : p(painter), k(puntosPorMm) {}

    QPainter& p;
    const double k;

    QPointF punto(double x, double y) const { return {x * k, y * k}; }
    QPointF punto(Punto q) const { return punto(q.x, q.y); }
    QRectF caja(double x, double y, double ancho, double alto) const { return {x * k, y * k, ancho * k, alto * k}; }
    QRectF caja(const report::Caja& c) const { return caja(c.x, c.y, c.ancho, c.alto); }

    // A pen `ancho` mm wide.
    QPen pluma(const QColor& color, double ancho, Qt::PenStyle estilo = Qt::SolidLine) const;
    // Text `puntos` points high in the report's font.
    void fuente(double puntos, bool negrita = false);
    // One line of text in a box, cut with "…" when it does not fit: for the
    // plan's labels, which the plan's frame bounds.
    void texto(const QRectF& caja, const std::string& texto, int alineacion = Qt::AlignLeft | Qt::AlignVCenter);
    // One line of text in a box, whole: the layout made it fit.
    void entero(const QRectF& caja, const std::string& texto, int alineacion = Qt::AlignLeft | Qt::AlignVCenter);
};

// The plan with its rings, numbers, scale and north arrow.
void dibujaPlano(Hoja& hoja, const report::Informe& informe);
// A whole page of the report, `pagina` from 0; on a white page of A4.
void dibujaPagina(Hoja& hoja, const report::Informe& informe, std::size_t pagina);

}  // namespace vadrel::app
