// The report's pages drawn with QPdfWriter: heading, figures, check and
// table where the layout placed them; the plan in report_plan.cpp.

#include "app/report_pdf.hpp"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPdfWriter>

#include "app/offscreen_app.hpp"
#include "app/report_sheet.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"

namespace vadrel::app {

using namespace report;

namespace {

// Fine enough that a millimetre is 47 dots: the scale bar and the plan stay
// true to a hundredth of a millimetre.
constexpr int kResolucion = 1200;
constexpr double kTexto = 8.5;  // points
constexpr double kTextoTabla = 7.5;
const QColor kRojo(200, 0, 0);
const QColor kGris(120, 120, 120);

QString qs(const std::string& s) { return QString::fromStdString(s); }

void cabecera(Hoja& h, const Informe& inf)
{
    h.fuente(13, true);
    h.texto(h.caja(kMargen, kMargen, kAnchoPagina - 2 * kMargen, 7), inf.titulo);
    h.fuente(kTexto);
    double y = kMargen + 8;
    for (const std::string& linea : inf.cabecera) {
        h.texto(h.caja(kMargen, y, kAnchoPagina - 2 * kMargen, 5), linea);
        y += 5;
    }
    h.p.setPen(h.pluma(kGris, 0.3));
    h.p.drawLine(h.punto(kMargen, kMargen + kCabeceraAlto), h.punto(kAnchoPagina - kMargen, kMargen + kCabeceraAlto));
}

void pie(Hoja& h, const Informe& inf, std::size_t pagina)
{
    h.fuente(kTextoTabla);
    h.p.setPen(Qt::black);
    h.texto(h.caja(kMargen, kAltoPagina - kMargen + 3, kAnchoPagina - 2 * kMargen, 5), inf.pie(pagina),
            Qt::AlignRight | Qt::AlignVCenter);
}

// The figures on the left under the plan, the check on the right.
void cifrasYComprobacion(Hoja& h, const Informe& inf)
{
    const double arriba = inf.plano.caja.y + inf.plano.caja.alto + 3;
    const double ancho = (kAnchoPagina - 2 * kMargen) / 2 - 3;
    h.fuente(kTexto);
    double y = arriba;
    for (const Cifra& c : inf.cifras) {
        h.p.setPen(c.aviso ? kRojo : QColor(Qt::black));
        h.texto(h.caja(kMargen, y, ancho, 4.5), c.texto);
        y += 4.5;
    }
    // The check: a line too long for one takes two, and what does not fit
    // the block is left out (the summary quotes few problems).
    h.p.setPen(Qt::black);
    y = arriba;
    const double x = kAnchoPagina / 2 + 3, abajo = arriba + kLineasCifras * 4.5;
    for (std::size_t i = 0; i < inf.comprobacion.size() && y + 4.5 <= abajo + 1e-9; ++i) {
        h.fuente(kTexto, i == 0);
        const std::string linea = (i == 0 ? "Comprobación: " : "") + inf.comprobacion[i];
        const bool larga = QFontMetricsF(h.p.font(), h.p.device()).horizontalAdvance(qs(linea)) > ancho * h.k;
        if (larga && y + 9 <= abajo + 1e-9) {
            h.p.save();
            h.p.setClipRect(h.caja(x, y, ancho, 7.4));  // two lines, never the top of a third
            h.p.drawText(h.caja(x, y + 0.4, ancho, 9), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, qs(linea));
            h.p.restore();
            y += 9;
        } else {
            h.texto(h.caja(x, y, ancho, 4.5), linea);
            y += 4.5;
        }
    }
}

// The comparison with the cadastral map across the page, under its heading.
void comparacion(Hoja& h, const Informe& inf)
{
    if (inf.comparacion.empty()) return;
    const double ancho = kAnchoPagina - 2 * kMargen;
    double y = inf.comparacionY;
    h.p.setPen(Qt::black);
    h.fuente(kTexto, true);
    h.texto(h.caja(kMargen, y, ancho, 4.5), "Comparación con la cartografía catastral");
    h.fuente(kTexto);
    for (const std::string& linea : inf.comparacion) {
        y += 4.5;
        h.texto(h.caja(kMargen, y, ancho, 4.5), linea);
    }
}

// Column edges within a table column: number, X, Y, side.
constexpr double kFinNumero = 9, kFinX = 36, kFinY = 66, kFinLado = kAnchoColumna - 2;

void tabla(Hoja& h, const Pagina& pag)
{
    h.p.setPen(Qt::black);
    for (double x : pag.columnas) {
        h.fuente(kTextoTabla, true);
        const double y = pag.cabeceraY;
        const int derecha = Qt::AlignRight | Qt::AlignVCenter;
        h.texto(h.caja(x, y, kFinNumero, 5), "Nº", derecha);
        h.texto(h.caja(x, y, kFinX, 5), "X", derecha);
        h.texto(h.caja(x, y, kFinY, 5), "Y", derecha);
        h.texto(h.caja(x, y, kFinLado, 5), "Lado (m)", derecha);
        h.p.setPen(h.pluma(Qt::black, 0.25));
        h.p.drawLine(h.punto(x, y + 5), h.punto(x + kAnchoColumna, y + 5));
    }
    for (const Fila& f : pag.filas) {
        if (f.titulo) {
            h.fuente(kTextoTabla, true);
            h.texto(h.caja(f.posX, f.posY, kAnchoColumna, kAltoFila), f.texto);
            continue;
        }
        h.fuente(kTextoTabla);
        const int derecha = Qt::AlignRight | Qt::AlignVCenter;
        h.texto(h.caja(f.posX, f.posY, kFinNumero, kAltoFila), std::to_string(f.numero), derecha);
        h.texto(h.caja(f.posX + kFinNumero, f.posY, kFinX - kFinNumero, kAltoFila), f.x, derecha);
        h.texto(h.caja(f.posX + kFinX, f.posY, kFinY - kFinX, kAltoFila), f.y, derecha);
        h.texto(h.caja(f.posX + kFinY, f.posY, kFinLado - kFinY, kAltoFila), f.lado, derecha);
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

void Hoja::fuente(double puntos, bool negrita)
{
    QFont f("DejaVu Sans");
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    // No "fi" ligatures: the document's text is copied and searched, and
    // "Superficie" must read as typed; any letter spacing turns them off.
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.02);  // points: the least Qt tells from none
    p.setFont(f);
}

void Hoja::texto(const QRectF& caja, const std::string& texto, int alineacion)
{
    const QString t = QFontMetricsF(p.font(), p.device()).elidedText(qs(texto), Qt::ElideRight, caja.width());
    p.drawText(caja, alineacion | Qt::TextSingleLine, t);
}

void dibujaPagina(Hoja& hoja, const Informe& informe, std::size_t i)
{
    cabecera(hoja, informe);
    if (informe.paginas[i].conPlano) {
        dibujaPlano(hoja, informe);
        cifrasYComprobacion(hoja, informe);
        comparacion(hoja, informe);
    }
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
        writer.setResolution(kResolucion);
        writer.setTitle(qs(informe.titulo));
        writer.setCreator("Vadrel");
        QPainter painter;
        if (!painter.begin(&writer)) throw Failure("Error. No se ha podido crear el documento PDF.");
        painter.setRenderHint(QPainter::Antialiasing);
        Hoja hoja(painter, kResolucion / 25.4);
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
