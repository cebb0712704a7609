// The report's pages drawn with QPdfWriter: every line of text and the
// table where the layout placed them; the plan in report_plan.cpp.

#include "app/report_pdf.hpp"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPdfWriter>

#include "app/offscreen_app.hpp"
#include "app/report_measure.hpp"
#include "app/report_sheet.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"

namespace vadrel::app {

using namespace report;

namespace {

const QColor kRojo(200, 0, 0);
const QColor kGris(120, 120, 120);

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The heading, the figures, the check, the comparison: each line where
// the layout put it, whole; those `arriba` of `limite` (mm) or the others.
void lineas(Hoja& h, const Pagina& pag, bool arriba, double limite)
{
    for (const Linea& l : pag.lineas) {
        if ((l.y < limite) != arriba) continue;
        h.fuente(l.letra.puntos, l.letra.negrita);
        h.p.setPen(l.aviso ? kRojo : QColor(Qt::black));
        h.entero(h.caja(l.x, l.y, l.ancho, l.alto), l.texto);
    }
    for (const Raya& r : pag.rayas) {
        if ((r.y < limite) != arriba) continue;
        h.p.setPen(r.gris ? h.pluma(kGris, 0.3) : h.pluma(Qt::black, 0.25));
        h.p.drawLine(h.punto(r.x, r.y), h.punto(r.x + r.ancho, r.y));
    }
}

void pie(Hoja& h, const Informe& inf, std::size_t pagina)
{
    h.fuente(kTextoTabla);
    h.p.setPen(Qt::black);
    h.entero(h.caja(kMargen, kAltoPagina - kMargen + 3, kAnchoPagina - 2 * kMargen, 5), inf.pie(pagina),
             Qt::AlignRight | Qt::AlignVCenter);
}

void tabla(Hoja& h, const Pagina& pag)
{
    h.p.setPen(Qt::black);
    for (double x : pag.columnas) {
        h.fuente(kTextoTabla, true);
        const double y = pag.cabeceraY;
        const int derecha = Qt::AlignRight | Qt::AlignVCenter;
        h.entero(h.caja(x, y, kFinNumero, 5), "Nº", derecha);
        h.entero(h.caja(x, y, kFinX, 5), "X", derecha);
        h.entero(h.caja(x, y, kFinY, 5), "Y", derecha);
        h.entero(h.caja(x, y, kFinLado, 5), "Lado (m)", derecha);
        h.p.setPen(h.pluma(Qt::black, 0.25));
        h.p.drawLine(h.punto(x, y + 5), h.punto(x + kAnchoColumna, y + 5));
    }
    for (const Fila& f : pag.filas) {
        if (f.titulo) {
            h.fuente(kTextoTabla, true);
            h.entero(h.caja(f.posX, f.posY, kAnchoColumna, kAltoFila), f.texto);
            continue;
        }
        h.fuente(kTextoTabla);
        const int derecha = Qt::AlignRight | Qt::AlignVCenter;
        if (!f.sigue) h.entero(h.caja(f.posX, f.posY, kFinNumero, kAltoFila), std::to_string(f.numero), derecha);
        h.entero(h.caja(f.posX + kFinNumero, f.posY, kFinX - kFinNumero, kAltoFila), f.x, derecha);
        h.entero(h.caja(f.posX + kFinX, f.posY, kFinY - kFinX, kAltoFila), f.y, derecha);
        h.entero(h.caja(f.posX + kFinY, f.posY, kFinLado - kFinY, kAltoFila), f.lado, derecha);
    }
}

}  // namespace

QPen Hoja::pluma(const QColor& color, double ancho, Qt::PenStyle estilo) const
{
    QPen pen(color, ancho * k, estilo);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void Hoja::fuente(double puntos, bool negrita) { p.setFont(fuenteDelInforme(puntos, negrita)); }

void Hoja::texto(const QRectF& caja, const std::string& texto, int alineacion)
{
    const QString t = QFontMetricsF(p.font(), p.device()).elidedText(qs(texto), Qt::ElideRight, caja.width());
    p.drawText(caja, alineacion | Qt::TextSingleLine, t);
}

void Hoja::entero(const QRectF& caja, const std::string& texto, int alineacion)
{
    p.drawText(caja, alineacion | Qt::TextSingleLine | Qt::TextDontClip, qs(texto));
}

void dibujaPagina(Hoja& hoja, const Informe& informe, std::size_t i)
{
    // Top to bottom, as the document's text is read and copied: what is
    // above the plan, the plan, what is below.
    const Pagina& pagina = informe.paginas[i];
    const double plano = pagina.conPlano ? informe.plano.caja.y : kAltoPagina;
    lineas(hoja, pagina, true, plano);
    if (pagina.conPlano) dibujaPlano(hoja, informe);
    lineas(hoja, pagina, false, plano);
    tabla(hoja, informe.paginas[i]);
    pie(hoja, informe, i);
}

std::string pdfDeInforme(const Informe& informe)
{
    const auto aplicacion = aplicacionSinPantalla();
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(kResolucionPdf);
        writer.setTitle(qs(informe.titulo));
        writer.setCreator("Vadrel");
        QPainter painter;
        if (!painter.begin(&writer)) throw Failure("Error. No se ha podido crear el documento PDF.");
        painter.setRenderHint(QPainter::Antialiasing);
        Hoja hoja(painter, kResolucionPdf / 25.4);
        for (std::size_t i = 0; i < informe.paginas.size(); ++i) {
            if (i > 0) writer.newPage();
            dibujaPagina(hoja, informe, i);
        }
        painter.end();
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void guardaInformePdf(const Informe& informe, const std::filesystem::path& file)
{
    writeFileAtomically(file, pdfDeInforme(informe));
}

}  // namespace vadrel::app
