// vadrel-ayuda: turns the help guide's HTML into the PDF that the windows'
// "Ayuda" button opens. Runs at build time, without a display. The guide's
// picture of a report's first page ("informe.png") is drawn here by the
// report's own code, so it always shows the report as it is.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>
#include <cstdio>

#include "app/report_measure.hpp"
#include "app/report_sheet.hpp"
#include "compare/shapes.hpp"
#include "report/report_comparison.hpp"

namespace {

using vadrel::Punto;
using namespace vadrel::report;

// An example parcel between two neighbours, one corner a little into the
// eastern one, as a comparison would show it.
Informe ejemplo()
{
    DatosInforme d;
    d.referencia = "1234567AB1234N";
    d.huso = "30";
    d.superficieDeclarada = "360";
    d.fecha = "09/12/2026";
    d.firma = {"Ana Pérez", "Arquitecta técnica, colegiada nº 1234", "Luis Gil Martín", "Camino de la Vega 12, Villena"};
    d.formato = vadrel::NumberFormat::withDecimal('.');
    AnilloInforme a;
    a.x = {"440000.00", "440019.00", "440020.60", "440012.10", "440000.80"};
    a.y = {"4470000.00", "4470001.20", "4470012.00", "4470021.30", "4470019.90"};
    d.anillos.push_back(a);
    d.comprobacion = {"Sin problemas"};
    using vadrel::compare::Shape;
    const std::vector<Shape> mapa{
        Shape{"1234567AB1234N", {{{{{440000, 4470000}, {440019, 4470001.2}, {440019.9, 4470014.6}, {440012.1, 4470021.3},
                                    {440000.8, 4470019.9}, {440000, 4470000}}}}}},
        Shape{"1234568AB1234N", {{{{{440019, 4470001.2}, {440040, 4470002.5}, {440041, 4470016}, {440019.9, 4470014.6},
                                    {440019, 4470001.2}}}}}},
        Shape{"1234566AB1234N", {{{{{439980, 4469998.8}, {440000, 4470000}, {440000.8, 4470019.9}, {439981, 4470018.5},
                                    {439980, 4469998.8}}}}}},
    };
    anadeCartografia(d, mapa);
    return componeInforme(d, vadrel::app::MedidaPdf());
}

// The first page at `porMm` pixels a millimetre, with its edge drawn.
QImage primeraPagina(double porMm)
{
    const Informe informe = ejemplo();
    QImage imagen(static_cast<int>(kAnchoPagina * porMm), static_cast<int>(kAltoPagina * porMm), QImage::Format_RGB32);
    imagen.setDotsPerMeterX(static_cast<int>(porMm * 1000));
    imagen.setDotsPerMeterY(static_cast<int>(porMm * 1000));
    imagen.fill(Qt::white);
    QPainter painter(&imagen);
    painter.setRenderHint(QPainter::Antialiasing);
    vadrel::app::Hoja hoja(painter, porMm);
    vadrel::app::dibujaPagina(hoja, informe, 0);
    painter.setPen(QPen(Qt::gray, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(imagen.rect().adjusted(1, 1, -1, -1));
    return imagen;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Uso: vadrel-ayuda AYUDA.html AYUDA.pdf\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "No se puede leer %s\n", argv[1]);
        return 1;
    }
    const QString html = QString::fromUtf8(in.readAll());

    const QString target = QString::fromLocal8Bit(argv[2]);
    const QString partial = target + ".part";
    {
        QPdfWriter pdf(partial);
        pdf.setTitle("Vadrel · Guía de uso");
        pdf.setCreator("Vadrel");
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                      QPageLayout::Millimeter));
        QTextDocument doc;
        doc.addResource(QTextDocument::ImageResource, QUrl("informe.png"), primeraPagina(4));
        doc.setHtml(html);
        doc.print(&pdf);
    }
    QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        std::fprintf(stderr, "No se puede escribir %s\n", argv[2]);
        return 1;
    }
    return 0;
}
